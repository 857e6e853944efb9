// The falling-block rules: dealing, steering, landing and the rows it completes.
#include "game/board.h"

#include "platform/shell_input.h"
#include "platform/platform.h"

uint32_t Blocks_Dealt = 0;

// clang-format off
const Block_Shape Shapes_A[7] = {
    {4, {{-2, 0}, {-1, 0}, {0, 0}, {1, 0}}},
    {4, {{-1, -1}, {-1, 0}, {0, 0}, {1, 0}}},
    {4, {{-2, 0}, {-1, 0}, {0, 0}, {0, -1}}},
    {4, {{-1, 0}, {0, 0}, {1, 0}, {0, -1}}},
    {4, {{-1, -1}, {0, -1}, {-1, 0}, {0, 0}}},
    {4, {{-1, 0}, {0, 0}, {0, -1}, {1, -1}}},
    {4, {{-2, -1}, {-1, -1}, {-1, 0}, {0, 0}}},
};
const Block_Shape Shapes_B[13] = {
    {5, {{-2, 0}, {-2, -1}, {-1, -1}, {0, -1}, {1, -1}}},
    {5, {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}}},
    {5, {{-2, 0}, {-1, 0}, {-1, -1}, {0, 0}, {1, 0}}},
    {5, {{-2, 0}, {-1, 0}, {0, 0}, {0, -1}, {1, 0}}},
    {5, {{-1, 0}, {0, 0}, {0, -1}, {1, 0}, {0, 1}}},
    {5, {{-1, 1}, {0, 1}, {0, 0}, {0, -1}, {1, -1}}},
    {5, {{-2, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}}},
    {5, {{-1, 1}, {0, 1}, {0, 0}, {0, -1}, {1, 0}}},
    {5, {{-2, 0}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}}},
    {5, {{-1, -2}, {-1, -1}, {-1, 0}, {0, 0}, {1, 0}}},
    {5, {{-1, -1}, {0, -1}, {1, -1}, {0, 0}, {0, 1}}},
    {5, {{-1, -1}, {0, -1}, {0, 0}, {-1, 0}, {-1, 1}}},
    {5, {{0, -1}, {-1, -1}, {-1, 0}, {0, 0}, {0, 1}}},
};
const Block_Shape Shapes_C[23] = {
    {6, {{-2, 1}, {-2, 0}, {-1, 0}, {0, 0}, {1, 0}, {1, 1}}},
    {6, {{-1, 2}, {-1, 1}, {-1, 0}, {0, 0}, {1, 0}, {1, 1}}},
    {6, {{-1, 1}, {-1, 0}, {0, 0}, {1, 0}, {1, 1}, {1, 2}}},
    {6, {{0, -3}, {0, -2}, {0, -1}, {0, 0}, {1, 0}, {2, 0}}},
    {6, {{-2, 0}, {-1, 0}, {0, 0}, {0, 1}, {0, 2}, {0, 3}}},
    {6, {{0, 2}, {0, 1}, {0, 0}, {0, -1}, {1, -1}, {1, 0}}},
    {6, {{-1, 0}, {-1, -1}, {0, -1}, {0, 0}, {0, 1}, {0, 2}}},
    {6, {{-1, 1}, {-1, 0}, {-1, -1}, {0, 0}, {1, 0}, {1, 1}}},
    {6, {{-1, 1}, {-1, 0}, {0, 0}, {1, -1}, {1, 0}, {1, 1}}},
    {6, {{-1, -1}, {0, -1}, {1, -1}, {0, 0}, {0, 1}, {0, 2}}},
    {6, {{0, 1}, {0, 0}, {0, -1}, {1, -1}, {1, 0}, {1, 1}}},
    {6, {{0, 2}, {0, 1}, {0, 0}, {0, -1}, {1, 0}, {1, 1}}},
    {6, {{0, 2}, {0, 1}, {0, 0}, {0, -1}, {-1, 0}, {-1, 1}}},
    {6, {{-1, 1}, {-1, 0}, {0, 0}, {1, 0}, {1, 1}, {2, 0}}},
    {6, {{-2, 0}, {-1, 0}, {-1, -1}, {0, 0}, {1, 0}, {1, 1}}},
    {6, {{0, -1}, {0, 0}, {-1, 0}, {-1, 1}, {1, 0}, {1, 1}}},
    {6, {{-1, 1}, {0, 1}, {0, 0}, {0, -1}, {1, -1}, {1, 0}}},
    {6, {{-1, 0}, {-1, -1}, {0, -1}, {0, 0}, {0, 1}, {1, 1}}},
    {6, {{-2, 1}, {-1, 1}, {-1, 0}, {0, 0}, {0, -1}, {1, -1}}},
    {6, {{2, 1}, {1, 1}, {1, 0}, {0, 0}, {0, -1}, {-1, -1}}},
    {6, {{-1, 1}, {-1, 0}, {0, 0}, {0, -1}, {0, -2}, {-1, -2}}},
    {6, {{1, 1}, {1, 0}, {0, 0}, {0, -1}, {0, -2}, {1, -2}}},
    {6, {{-1, 0}, {0, 0}, {0, -1}, {1, 0}, {0, 1}, {0, 2}}},
};
// clang-format on

namespace {

// The steering keys: DirectInput code and the hold time before a held key repeats.
struct Control_Key {
    int dik;
    uint32_t delay;
};
const Control_Key Key_Codes_Delays[Control_Keys] = {
    {DIK_LEFT, 100}, {DIK_RIGHT, 100},  {DIK_UP, 200},
    {DIK_DOWN, 200}, {DIK_RETURN, 400}, {DIK_SPACE, 400},
};

void Tell_Points(Build_Area* a, int x, int y, int value, int kind) {
    if (a->Watcher != nullptr) a->Watcher->Points(x, y, value, kind);
}

// Outside the board, or an occupied cell. Places above row 0 are free.
bool Blocked(Build_Area* a, int c, int r) {
    if (c < 1 || c > a->Width || r >= a->Height) return true;
    return r >= 0 && Area_Cell(a, c, r).kind > 0;
}

// The four wall corrections after a turn or mirror, all from the same bounds.
void Keep_At_Walls(Build_Area* a, Block* b, const Block_Box& before) {
    const Block_Box after = Block_Bounds(b);
    if (after.min_col < 1) b->X += 1 - after.min_col;
    if (after.max_col > a->Width) b->X += a->Width - after.max_col;
    if (before.min_col == 1 && after.min_col >= 2) b->X += 1 - after.min_col;
    if (before.max_col == a->Width && after.max_col < a->Width)
        b->X += before.max_col - after.max_col;
}

int Run_Pay(int m) {
    return m > 1 ? (Plat_Rand() % 10 + 10) * (m + 1) : Plat_Rand() % 5 + 5;
}

}  // namespace

std::unique_ptr<Build_Area> Area_Create() {
    auto a = std::make_unique<Build_Area>();
    Area_Reset(a.get());
    return a;
}

void Area_Reset(Build_Area* a) {
    for (Stone_Cell& c : a->Cells) {
        c.kind = 0;
        c.reserved = 0;
        c.frame = 0;
        c.frame_step = 1;
    }
    a->Collect_Count = 0;
    a->Block_Points = a->Block_Rows = 0;
}

int Block_Spawn(Block* b, int column) {
    ++Blocks_Dealt;
    b->X = column;
    b->Y = 0;
    b->Sub_Step = 0;
    b->Last_Fall = 0;
    b->Fall_Delay = 50;
    const Block_Shape* shape = &Shapes_A[Plat_Rand() % 7];
    if (Blocks_Dealt % 5 == 0) shape = &Shapes_B[Plat_Rand() % 13];
    if (Blocks_Dealt % 50 == 0) shape = &Shapes_C[Plat_Rand() % 23];
    const int kind = Plat_Rand() % 8 + 1;
    b->count = shape->count;
    for (int i = 0; i < shape->count; ++i)
        b->Stones[i] = Block_Stone{shape->offsets[i][0], shape->offsets[i][1], kind, 0, 1, 0, 110};
    return 1;
}

Block_Box Block_Bounds(const Block* b) {
    Block_Box box{b->X, b->X, b->Y, b->Y};
    for (int i = 0; i < b->count; ++i) {
        const int c = b->X + b->Stones[i].dc, r = b->Y + b->Stones[i].dr;
        if (c < box.min_col) box.min_col = c;
        if (c > box.max_col) box.max_col = c;
        if (r < box.min_row) box.min_row = r;
        if (r > box.max_row) box.max_row = r;
    }
    return box;
}

int Block_Fits(Build_Area* a, const Block* b) {
    const Block_Box box = Block_Bounds(b);
    if (box.min_col < 1 || box.max_col > a->Width || box.max_row >= a->Height) return 0;
    for (int i = 0; i < b->count; ++i)
        if (Blocked(a, b->X + b->Stones[i].dc, b->Y + b->Stones[i].dr)) return 0;
    // Hanging between two rows, the block needs the row below free as well.
    if (b->Sub_Step != 0)
        for (int i = 0; i < b->count; ++i)
            if (Blocked(a, b->X + b->Stones[i].dc, b->Y + b->Stones[i].dr + 1)) return 0;
    return 1;
}

int Block_Landed(Build_Area* a, const Block* b) {
    if (Block_Bounds(b).max_row == a->Height - 1) return 1;
    for (int i = 0; i < b->count; ++i)
        if (Blocked(a, b->X + b->Stones[i].dc, b->Y + b->Stones[i].dr + 1)) return 1;
    return 0;
}

int Block_Rotate(Build_Area* a, int direction, Block* b) {
    const int s = direction == -1 ? -1 : 1;
    const Block_Box before = Block_Bounds(b);
    for (int i = 0; i < b->count; ++i) {
        Block_Stone& st = b->Stones[i];
        const int dc = st.dc;
        st.dc = -st.dr * s;
        st.dr = dc * s;
    }
    Keep_At_Walls(a, b, before);
    return Block_Fits(a, b);
}

int Block_Mirror(Build_Area* a, Block* b) {
    const Block_Box before = Block_Bounds(b);
    for (int i = 0; i < b->count; ++i) b->Stones[i].dc = -b->Stones[i].dc;
    Keep_At_Walls(a, b, before);
    return Block_Fits(a, b);
}

void Block_Copy(Block* dst, const Block* src) {
    dst->count = src->count;
    dst->X = src->X;
    dst->Y = src->Y;
    dst->Sub_Step = src->Sub_Step;
    dst->Last_Fall = src->Last_Fall;
    dst->Fall_Delay = src->Fall_Delay;
    for (int i = 0; i < src->count && i < 16; ++i) dst->Stones[i] = src->Stones[i];
}

void Block_Control(Build_Area* a) {
    Block_Copy(&a->Trial, &a->Current);
    uint8_t keys[256];
    Di_Keyboard_State(keys);
    const uint32_t now = Plat_Tick();
    bool fire[Control_Keys] = {};
    for (int k = 0; k < Control_Keys; ++k) {
        uint32_t& pressed = a->Key_Press[k];
        if ((keys[Key_Codes_Delays[k].dik] & 0x80) == 0) {
            pressed = 0;
        } else if (pressed == 0) {
            pressed = now;
            fire[k] = true;
        } else {
            fire[k] = pressed + Key_Codes_Delays[k].delay < now;
        }
    }
    // Every try of the tick works on the same Trial, which keeps what earlier tries
    // did to it even when they did not fit.
    if (fire[0]) {
        a->Trial.X -= 1;
        if (Block_Fits(a, &a->Trial)) a->Current.X -= 1;
    }
    if (fire[1]) {
        a->Trial.X += 1;
        if (Block_Fits(a, &a->Trial)) a->Current.X += 1;
    }
    if (fire[2] && Block_Rotate(a, -1, &a->Trial)) Block_Copy(&a->Current, &a->Trial);
    if (fire[3] && Block_Rotate(a, +1, &a->Trial)) Block_Copy(&a->Current, &a->Trial);
    if (fire[4] && Block_Mirror(a, &a->Trial)) Block_Copy(&a->Current, &a->Trial);
    if (fire[5]) a->Drop_Bonus = a->Drop_Bonus == 0 ? 32 : 0;

    Block_Copy(&a->Trial, &a->Current);
    // The block lands on the first tick it cannot move down.
    if (Block_Landed(a, &a->Trial)) {
        Block_Land(a, &a->Trial);
        return;
    }
    Block& b = a->Current;
    if (b.Last_Fall + static_cast<uint32_t>(b.Fall_Delay) > now) return;
    b.Sub_Step += a->Drop_Bonus + 1;
    b.Last_Fall = now;
    if (b.Sub_Step >= Cell_Size) {
        b.Y += 1;
        b.Sub_Step = 0;
    }
}

int Block_Land(Build_Area* a, Block* b) {
    int points = 0;
    for (int i = 0; i < b->count; ++i) {
        const int c = b->X + b->Stones[i].dc, r = b->Y + b->Stones[i].dr;
        points += Blocked(a, c - 1, r) + Blocked(a, c + 1, r) + Blocked(a, c, r - 1) +
                  Blocked(a, c, r + 1);
    }
    const Block_Box box = Block_Bounds(b);
    for (int i = 0; i < b->count; ++i) {
        const int c = b->X + b->Stones[i].dc, r = b->Y + b->Stones[i].dr;
        if (r < 0) continue;  // stones above the top are lost
        Stone_Cell& cell = Area_Cell(a, c, r);
        cell.kind = b->Stones[i].kind;
        cell.reserved = 0;
        cell.frame = 0;
        cell.frame_step = 1;
    }
    a->Block_Points += points;
    Tell_Points(a, Cell_Size * b->X, Cell_Size * b->Y, points, 1);
    Rows_Check(a, box.min_row, box.max_row);
    return points;
}

int Rows_Check(Build_Area* a, int first, int last) {
    int n = 0;
    for (int r = first; r <= last; ++r) {
        if (r < 0 || r >= a->Height) continue;
        bool full = true;
        for (int c = 1; c <= a->Width && full; ++c) full = Area_Cell(a, c, r).kind > 0;
        if (!full) continue;
        Row_Collect(a, r);
        ++n;
    }
    if (n > 1) {
        const int k = a->Width * n;
        const int bonus = 5 * k + Plat_Rand() % (5 * k);
        a->Block_Points += bonus;
        Tell_Points(a, 16 * a->Width, 16 * a->Height, bonus, 3);
    }
    a->Block_Rows += n;
    return n;
}

int Row_Collect(Build_Area* a, int row) {
    for (int c = 1; c <= a->Width; ++c) {
        Stone_Cell& cell = Area_Cell(a, c, row);
        cell.reserved = Plat_Rand() % 8;
        cell.frame = Plat_Rand() % 8;
        cell.frame_step = Plat_Rand() % 10 > 5 ? 1 : -1;
        cell.last_step = 0;
        cell.step_period = 10;
    }
    if (a->Collect_Count < Max_Collect) {
        a->Collect_List[a->Collect_Count] = Collect_Entry{row, Plat_Tick() + 1000};
        a->Collect_Count += 1;
    }
    // Runs of one colour pay: the run ending at each change of colour, then the last.
    int points = 0, prev = 0, m = 0;
    for (int c = 1; c <= a->Width; ++c) {
        const int kind = Area_Cell(a, c, row).kind;
        if (kind != prev) {
            points += Run_Pay(m);
            prev = kind;
            m = 0;
        } else {
            m += 1;
        }
    }
    if (m > 0) points += Run_Pay(m);
    a->Block_Points += points;
    Tell_Points(a, 16 * a->Width, Cell_Size * row, points, 2);
    return points;
}

void Rows_Leave(Build_Area* a, uint32_t now) {
    for (int i = 0; i < a->Collect_Count;) {
        if (a->Collect_List[i].remove_at < now)
            Row_Remove(a, i);  // the next entry moves into place i
        else
            ++i;
    }
}

void Rows_Shimmer(Build_Area* a, uint32_t now) {
    for (int i = 0; i < a->Collect_Count; ++i) {
        const int row = a->Collect_List[i].row;
        for (int c = 1; c <= a->Width; ++c) {
            Stone_Cell& cell = Area_Cell(a, c, row);
            if (cell.last_step + static_cast<uint32_t>(cell.step_period) >= now) continue;
            cell.frame += cell.frame_step;
            cell.last_step = now;
            if (cell.frame < 0) {
                cell.frame = 0;
                cell.frame_step = 1;
            } else if (cell.frame >= 8) {
                cell.frame = 7;
                cell.frame_step = -1;
            }
        }
    }
}

void Cells_Step(Build_Area* a) {
    for (int r = 0; r < a->Height; ++r)
        for (int c = 1; c <= a->Width; ++c) {
            Stone_Cell& cell = Area_Cell(a, c, r);
            if (cell.kind > 0) continue;
            cell.frame += cell.frame_step;
            if (cell.frame >= 8) {
                cell.frame = 7;
                cell.frame_step = -1;
            } else if (cell.frame <= 0) {
                cell.frame = 0;
                cell.frame_step = 1;
            }
        }
}

void Block_Animate(Block* b, uint32_t now) {
    for (int i = 0; i < b->count; ++i) {
        Block_Stone& st = b->Stones[i];
        if (st.last_step + static_cast<uint32_t>(st.period) > now) continue;
        st.frame += st.frame_step;
        st.last_step = now;
        if (st.frame >= 8) st.frame = 0;
    }
}

void Row_Remove(Build_Area* a, int entry) {
    if (entry < 0 || entry >= a->Collect_Count) return;
    const int removed = a->Collect_List[entry].row;
    for (int i = 0; i < a->Collect_Count; ++i)
        if (i != entry && a->Collect_List[i].row < removed) a->Collect_List[i].row += 1;
    for (int i = entry; i + 1 < a->Collect_Count; ++i) a->Collect_List[i] = a->Collect_List[i + 1];
    a->Collect_Count -= 1;
    for (int r = removed; r >= 1; --r)
        for (int c = 1; c <= a->Width; ++c) Area_Cell(a, c, r) = Area_Cell(a, c, r - 1);
    for (int c = 1; c <= a->Width; ++c) Area_Cell(a, c, 0).kind = 0;
}
