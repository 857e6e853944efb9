// Drawing the board, its backgrounds and the score popups.
#include "game/screens/board_draw.h"

#include <cstdio>
#include <cstring>
#include <new>

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

void Board_Drawing_Attach() {
    Popups_Attach(Popup_Create, Popup_Destroy);
}

Score_Popup* Popup_Create(int x, int y, int value, int kind) {
    Score_Popup* p = new (std::nothrow) Score_Popup();
    if (p == nullptr) return nullptr;
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

void Popup_Destroy(Score_Popup* popup) {
    if (popup == nullptr) return;
    for (Sprite& f : popup->frames) Sprite_Release(&f);
    delete popup;
}

void Popups_Update(Build_Area* a) {
    const uint32_t now = Plat_Tick();
    for (int i = 0; i < a->Popup_Count;) {
        Score_Popup* p = a->Popups[i];
        const Sprite& f = p->frames[p->frame];
        Sprite_Draw(Back_Buffer, p->x - f.width / 2, p->y - f.height / 2, &f);
        if (p->life <= 0) {
            Popup_Destroy(p);
            for (int j = i; j + 1 < a->Popup_Count; ++j) a->Popups[j] = a->Popups[j + 1];
            a->Popups[--a->Popup_Count] = nullptr;
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

void Area_New_Background(Build_Area* a) {
    Area_Reset(a);
    Sprite_Release(&a->Background);
    const int n = a->Backgrounds.count;
    if (n <= 0) return;
    if (n >= 2) {
        int index = Plat_Rand() % n;
        while (index == a->Background_Index) index = Plat_Rand() % n;
        a->Background_Index = index;
    } else {
        a->Background_Index = 0;
    }
    Background_Load(&a->Backgrounds, a->Background_Index, &a->Background);
}

void Area_Next_Background(Build_Area* a) {
    Sprite_Release(&a->Background);
    const int n = a->Backgrounds.count;
    if (n <= 0) return;
    a->Background_Index = n >= 2 && a->Background_Index + 1 < n ? a->Background_Index + 1 : 0;
    Background_Load(&a->Backgrounds, a->Background_Index, &a->Background);
}

void Block_Animate(Block* b) {
    const uint32_t now = Plat_Tick();
    for (int i = 0; i < b->count; ++i) {
        Block_Stone& st = b->Stones[i];
        if (st.last_step + static_cast<uint32_t>(st.period) > now) continue;
        st.frame += st.frame_step;
        st.last_step = now;
        if (st.frame >= 8) st.frame = 0;
    }
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

void Area_Draw_Cells(Build_Area* a) {
    const int w_v = Sprite_Width("Build_Area_Vert");
    if (a->Background.surface != nullptr) {
        const Rect src{0, 0, a->Background.width, a->Background.height};
        const Rect to{a->Left, a->Wall_Top, a->Left + 2 * w_v + Cell_Size * a->Width,
                      a->Top + Cell_Size * a->Height};
        Surface_Blt(Back_Buffer, &to, a->Background.surface, &src, 0);
    }
    for (int r = 0; r < a->Height; ++r) {
        const bool collecting = Row_Collecting(a, r);
        for (int c = 1; c <= a->Width; ++c) {
            Stone_Cell& cell = Area_Cell(a, c, r);
            int kind = cell.kind, frame = 0;
            if (kind <= 0) {
                // Empty cells step their own frame on every drawn frame.
                cell.frame += cell.frame_step;
                if (cell.frame >= 8) {
                    cell.frame = 7;
                    cell.frame_step = -1;
                } else if (cell.frame <= 0) {
                    cell.frame = 0;
                    cell.frame_step = 1;
                }
                kind = 0;
                frame = cell.frame;
            } else if (collecting) {
                frame = cell.frame;
            }
            if (kind > 8 || frame < 0 || frame > 7) continue;  // a damaged cell draws nothing
            Sprite_Draw(Back_Buffer, a->Left + w_v + Cell_Size * (c - 1), a->Top + Cell_Size * r,
                        &Stone_Sprites[kind][frame]);
        }
    }
}

void Area_Draw_Frame(const Build_Area* a) {
    const Sprite* vert = Sprite_Get("Build_Area_Vert");
    const Sprite* horiz = Sprite_Get("Build_Area_Horiz");
    const Sprite* corner = Sprite_Get("Build_Area_Ugol");
    const int w_v = vert != nullptr ? vert->width : 0;
    const int floor_y = a->Top + Cell_Size * a->Height;
    const int right_x = a->Left + w_v + Cell_Size * a->Width;
    Sprite_Draw(Back_Buffer, a->Left, a->Wall_Top, vert);
    Sprite_Draw(Back_Buffer, right_x, a->Wall_Top, vert);
    if (horiz != nullptr && horiz->surface != nullptr) {
        const Rect src{0, 0, horiz->width, horiz->height};
        const Rect to{a->Left + w_v, floor_y, right_x, floor_y + horiz->height};
        Surface_Blt(Back_Buffer, &to, horiz->surface, &src, Blt_Keysrc);
    }
    Sprite_Draw(Back_Buffer, a->Left, floor_y, corner);
    Sprite_Draw(Back_Buffer, right_x, floor_y, corner);
}
