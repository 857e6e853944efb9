// Drawing the board, its backgrounds and the score popups.
#include "game/screens/board_draw.h"

#include <cstdio>
#include <cstring>

#include "graphics/display.h"
#include "graphics/font.h"
#include "platform/platform.h"

namespace {

// Whether a row waits on the collect list (its stones shimmer).
bool Row_Collecting(const Build_Area* a, int row) {
    for (int i = 0; i < a->Collect_Count; ++i)
        if (a->Collect_List[i].row == row) return true;
    return false;
}

// The shared digit strip recoloured in place: its first colour other than 0 and 7
// becomes a, its second b (both in one pass, so neither can turn into the other).
void Recolour_Digits(Sprite* digits, int a, int b) {
    int32_t pitch = 0;
    uint8_t* p = Surface_Lock(digits->surface, &pitch);
    if (p == nullptr) return;
    int first = -1, second = -1;
    for (int y = 0; y < digits->height && second < 0; ++y)
        for (int x = 0; x < digits->width && second < 0; ++x) {
            const int c = p[static_cast<size_t>(y) * pitch + x];
            if (c == 0 || c == 7) continue;
            if (first < 0)
                first = c;
            else if (c != first)
                second = c;
        }
    for (int y = 0; y < digits->height; ++y)
        for (int x = 0; x < digits->width; ++x) {
            uint8_t& c = p[static_cast<size_t>(y) * pitch + x];
            if (c == first)
                c = static_cast<uint8_t>(a);
            else if (c == second)
                c = static_cast<uint8_t>(b);
        }
    Surface_Unlock(digits->surface);
}

}  // namespace

Score_Popup::~Score_Popup() {
    for (Sprite& f : frames) Sprite_Release(&f);
}

std::unique_ptr<Score_Popup> Popup_Create(int x, int y, int value, int kind) {
    auto p = std::make_unique<Score_Popup>();
    p->x = x;
    p->y = y;
    p->last_step = Plat_Tick();
    p->life = Plat_Rand() % 20 + 10;
    const int a = Plat_Rand() % 30 * 8 + 8;
    int b = Plat_Rand() % 30 * 8 + 8;
    while (b == a) b = Plat_Rand() % 30 * 8 + 8;
    Sprite* digits = Sprite_Get(kind == 2 ? "Cifry16x16" : kind == 3 ? "Cifry24x24" : "Cifry8x8");
    const int s = kind == 2 ? 16 : kind == 3 ? 24 : 8;
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    const int n = static_cast<int>(std::strlen(text));
    for (int f = 0; f < 8; ++f) {
        // A frame that cannot be made is logged and stays empty.
        if (!Sprite_Create_Surface(s * n, s, &p->frames[f])) continue;
        if (digits == nullptr || digits->surface == nullptr) continue;
        Recolour_Digits(digits, a + f, b + f);
        for (int i = 0; i < n; ++i) {
            if (text[i] < '0' || text[i] > '9') continue;
            const int d = text[i] - '0';
            const Rect src{d * (s + 1), 0, d * (s + 1) + s, s};
            const Rect to{i * s, 0, i * s + s, s};
            Surface_Blt(p->frames[f].surface, &to, digits->surface, &src, 0);
        }
    }
    return p;
}

Board_View::~Board_View() {
    Sprite_Release(&Background);
}

void Board_View::Lay_Out() {
    Left = 0;
    Top = 480 - Sprite_Height("Build_Area_Horiz") - Board_Height * Cell_Size;
    Wall_Top = Sprite_Height("HScrollStr_front");
    Backgrounds_Open(&Backgrounds);
    Background_Index = 0;
}

void Board_View::Points(int x, int y, int value, int kind) {
    if (static_cast<int>(Popups.size()) < Max_Popups)
        Popups.push_back(Popup_Create(x, y, value, kind));
}

void Popups_Draw(const Board_View& view) {
    for (const auto& p : view.Popups) {
        const Sprite& f = p->frames[p->frame];
        Sprite_Draw(Back_Buffer, p->x - f.width / 2, p->y - f.height / 2, &f);
    }
}

void Popups_Step(Board_View* view, uint32_t now) {
    auto& popups = view->Popups;
    for (size_t i = 0; i < popups.size();) {
        Score_Popup* p = popups[i].get();
        if (p->life <= 0) {
            popups.erase(popups.begin() + static_cast<ptrdiff_t>(i));
            continue;  // the next popup has moved into place i
        }
        if (p->last_step + p->period < now) {
            p->last_step = now;
            p->frame += p->step;
            if (p->frame > 7) {
                p->frame = 7;
                p->step = -1;
            } else if (p->frame < 0) {
                p->frame = 0;
                p->step = 1;
            }
            p->x += p->dx;
            p->y += p->dy;
            p->life -= 1;
        }
        ++i;
    }
}

void Board_New_Look(Board_View* v) {
    v->Popups.clear();
    Sprite_Release(&v->Background);
    const int n = v->Backgrounds.count;
    if (n <= 0) return;
    if (n >= 2) {
        int index = Plat_Rand() % n;
        while (index == v->Background_Index) index = Plat_Rand() % n;
        v->Background_Index = index;
    } else {
        v->Background_Index = 0;
    }
    Background_Load(&v->Backgrounds, v->Background_Index, &v->Background);
}

void Board_Next_Background(Board_View* v) {
    Sprite_Release(&v->Background);
    const int n = v->Backgrounds.count;
    if (n <= 0) return;
    v->Background_Index = n >= 2 && v->Background_Index + 1 < n ? v->Background_Index + 1 : 0;
    Background_Load(&v->Backgrounds, v->Background_Index, &v->Background);
}

void Block_Draw(const Block* b, int x0, int y0) {
    for (int i = 0; i < b->count; ++i) {
        const Block_Stone& st = b->Stones[i];
        if (st.kind < 0 || st.kind > 8 || st.frame < 0 || st.frame > 7) continue;
        Sprite_Draw(Back_Buffer, x0 + Cell_Size * (b->X + st.dc - 1),
                    y0 + Cell_Size * (b->Y + st.dr) + b->Sub_Step,
                    &Stone_Sprites[st.kind][st.frame]);
    }
}

void Board_Draw_Cells(const Build_Area& a, const Board_View& v) {
    const int w_v = Sprite_Width("Build_Area_Vert");
    if (v.Background.surface != nullptr) {
        const Rect src{0, 0, v.Background.width, v.Background.height};
        const Rect to{v.Left, v.Wall_Top, v.Left + 2 * w_v + Cell_Size * a.Width,
                      v.Top + Cell_Size * a.Height};
        Surface_Blt(Back_Buffer, &to, v.Background.surface, &src, 0);
    }
    for (int r = 0; r < a.Height; ++r) {
        const bool collecting = Row_Collecting(&a, r);
        for (int c = 1; c <= a.Width; ++c) {
            const Stone_Cell& cell = a.Cells[r * Cell_Cols + c];
            // Empty cells show their own frame; stones only while their row shimmers.
            const int kind = cell.kind > 0 ? cell.kind : 0;
            const int frame = kind == 0 || collecting ? cell.frame : 0;
            if (kind > 8 || frame < 0 || frame > 7) continue;  // a damaged cell draws nothing
            Sprite_Draw(Back_Buffer, v.Left + w_v + Cell_Size * (c - 1), v.Top + Cell_Size * r,
                        &Stone_Sprites[kind][frame]);
        }
    }
}

void Board_Draw_Frame(const Build_Area& a, const Board_View& v) {
    const Sprite* vert = Sprite_Get("Build_Area_Vert");
    const Sprite* horiz = Sprite_Get("Build_Area_Horiz");
    const Sprite* corner = Sprite_Get("Build_Area_Ugol");
    const int w_v = vert != nullptr ? vert->width : 0;
    const int floor_y = v.Top + Cell_Size * a.Height;
    const int right_x = v.Left + w_v + Cell_Size * a.Width;
    Sprite_Draw(Back_Buffer, v.Left, v.Wall_Top, vert);
    Sprite_Draw(Back_Buffer, right_x, v.Wall_Top, vert);
    if (horiz != nullptr && horiz->surface != nullptr) {
        const Rect src{0, 0, horiz->width, horiz->height};
        const Rect to{v.Left + w_v, floor_y, right_x, floor_y + horiz->height};
        Surface_Blt(Back_Buffer, &to, horiz->surface, &src, Blt_Keysrc);
    }
    Sprite_Draw(Back_Buffer, v.Left, floor_y, corner);
    Sprite_Draw(Back_Buffer, right_x, floor_y, corner);
}
