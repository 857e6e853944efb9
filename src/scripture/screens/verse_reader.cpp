// The verse reading box: wrapping, its layout, its reading time and its loop.
#include "scripture/screens/verse_reader.h"

#include <cstdio>
#include <cstring>

#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "ui/screen_loop.h"

Verse_Reader::Verse_Reader(int chapter, int verse, const char* line, const char* book_title) {
    if (line == nullptr) line = "";
    Font_Copy(&font, &Font_16x16);
    Font_Set_Colour(&font, 6);
    const int letters = static_cast<int>(std::strlen(line));
    start_time = Plat_Tick();
    min_time = 50u * static_cast<uint32_t>(letters);
    Add_Text(book_title);
    char head[96];
    std::snprintf(head, sizeof head, "Глава %d, стих %d, букв %d", chapter, verse, letters);
    Add_Text(head);
    Add_Text(" ");
    Add_Text(line);
    const int width = font.cell_w * Wrap + 60, height = font.cell_h * line_count + 90;
    panel = new cls_Desk_Rect(Screen_Width / 2 - width / 2, Screen_Height / 2 - height / 2,
                              Screen_Width / 2 + width / 2, Screen_Height / 2 + height / 2);
    int il, it, ir, ib;
    const int inner_width = panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_16x16, 2);
    ok = new cls_Button_Standart(il + (inner_width - 40) / 2, ib - 30, "OK", &Font_16x16);
    ready = 1;
}

Verse_Reader::~Verse_Reader() {
    delete ok;
    delete panel;
    Font_Release(&font);
}

int Verse_Reader::Room_For_Lines() const {
    // The panel is the lines plus 90 pixels; it must stay on the screen.
    const int fit = font.cell_h > 0 ? (Screen_Height - 90) / font.cell_h : Max_Lines;
    return fit < Max_Lines ? fit : Max_Lines;
}

void Verse_Reader::Add_Line(const char* from, int n) {
    if (line_count >= Room_For_Lines()) {
        // A verse longer than the screen holds: its last line says there is more.
        if (!cut && line_count > 0) {
            char* last = lines[line_count - 1];
            const size_t len = std::strlen(last);
            std::memcpy(last + (len > Wrap - 3 ? Wrap - 3 : len), "...", 4);
        }
        cut = true;
        return;
    }
    if (n > Line_Room - 1) n = Line_Room - 1;
    std::memcpy(lines[line_count], from, static_cast<size_t>(n));
    lines[line_count][n] = '\0';
    ++line_count;
}

void Verse_Reader::Add_Text(const char* text) {
    const int len = static_cast<int>(std::strlen(text));
    if (len <= Wrap) {
        Add_Line(text, len);
        return;
    }
    int p = 0;
    while (len - p > Wrap) {
        // The last space from p + 1 to p + W - 1 ends the line and stays on it.
        int k = p + Wrap - 1;
        while (k > p && text[k] != ' ') --k;
        if (k > p) {
            Add_Line(text + p, k - p + 1);
            p = k + 1;
        } else {
            Add_Line(text + p, Wrap);
            p += Wrap;
        }
    }
    Add_Line(text + p, len - p);
}

int32_t Verse_Reader::Time_Left() const {
    return static_cast<int32_t>(start_time + min_time - Plat_Tick());
}

void Verse_Reader::Draw(Surface* s) {
    int il, it, ir, ib;
    const int inner_width = panel->Inner_Rect(&il, &it, &ir, &ib);
    const Sprite* rule = Sprite_Get("Hrz_Label_Frame");
    panel->Draw(s);
    Font_Set_Colour(&Font_8x16, 2);
    Text_Draw(il + (inner_width - 136) / 2, it + 3, "Открыт новый стих", &Font_8x16, s);
    Sprite_Tile(rule, il, it + 20, ir, it + 23, s);
    const int middle = (panel->left + panel->right) / 2;
    const int first_y = panel->top + Sprite_Height("desk_bord_Tp") + 27;
    for (int i = 0; i < line_count; ++i) {
        const int chars = static_cast<int>(std::strlen(lines[i]));
        Text_Draw(middle - font.cell_w * chars / 2, first_y + i * font.cell_h, lines[i], &font, s);
    }
    Sprite_Tile(rule, il, ib - 37, ir, ib - 34, s);
    const int32_t left = Time_Left();
    if (left < 1) {
        ok->Draw(s);
    } else {
        char text[64];
        std::snprintf(text, sizeof text, "мин время чтения: %.1f с", left / 1000.0);
        const int chars = static_cast<int>(std::strlen(text));
        Text_Draw(il + (inner_width - 8 * chars) / 2, ib - 27, text, &Font_8x16, s);
    }
}

int Verse_Reader::Run() {
    while (!Exit_Requested) {
        if (Screen_Pump() == Pump::Leave) break;
        bool fired = false;
        // Until the reading time is over, keys and clicks do nothing at all.
        if (static_cast<int32_t>(Plat_Tick() - (start_time + min_time)) >= 0) {
            Ok_Keys_Press(ok);
            fired = ok->Update() != 0;
        }
        Draw(Back_Buffer);
        Frame_End_Kept();
        if (fired) break;
    }
    return 1;
}
