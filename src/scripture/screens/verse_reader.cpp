// The verse reading box: wrapping, its layout, its reading time and its loop.
#include "scripture/screens/verse_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "ui/screen_loop.h"
#include "ui/text_lines.h"

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
    head_lines = static_cast<int32_t>(lines.size());
    Add_Text(line);
    // The verse's lines go in pages of what the screen holds under the head.
    const int verse_lines = static_cast<int>(lines.size()) - head_lines;
    page_lines = std::max(1, Room_For_Lines() - head_lines);
    uint32_t letters_before = 0;
    for (int i = 0; i < verse_lines; ++i) {
        if (i % page_lines == 0) page_at.push_back(50u * letters_before);
        letters_before += static_cast<uint32_t>(lines[static_cast<size_t>(head_lines + i)].size());
    }
    if (page_at.empty()) page_at.push_back(0);
    const int shown = head_lines + std::min(verse_lines, page_lines);
    const int width = font.cell_w * Wrap + 60, height = font.cell_h * shown + 90;
    panel = std::make_unique<cls_Desk_Rect>(Centred_Panel(width, height));
    int il, it, ir, ib;
    const int inner_width = panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_16x16, 2);
    ok = std::make_unique<cls_Button_Standart>(il + (inner_width - 40) / 2, ib - 30, "OK",
                                               &Font_16x16);
    ready = 1;
}

Verse_Reader::~Verse_Reader() {
    Font_Release(&font);
}

int Verse_Reader::Room_For_Lines() const {
    // The panel is the lines plus 90 pixels; it must stay on the screen.
    return font.cell_h > 0 ? (Screen_Height - 90) / font.cell_h : 1;
}

int Verse_Reader::Page_Count() const {
    return static_cast<int>(page_at.size());
}

int Verse_Reader::Page_Shown() const {
    if (chosen_page >= 0) return chosen_page;
    const uint32_t since = Plat_Tick() - start_time;
    int page = 0;
    while (page + 1 < Page_Count() && page_at[static_cast<size_t>(page + 1)] <= since) ++page;
    return page;
}

void Verse_Reader::Add_Text(const char* text) {
    Word_Wrap(text, Wrap, [this](const char* from, int n) {
        lines.emplace_back(from, static_cast<size_t>(n));
        return true;
    });
}

int32_t Verse_Reader::Time_Left() const {
    return static_cast<int32_t>(start_time + min_time - Plat_Tick());
}

void Verse_Reader::Draw(Surface* s) {
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    panel->Draw(s);
    Font_Set_Colour(&Font_8x16, 2);
    Panel_Centred_Text(*panel, it + 3, "Открыт новый стих", &Font_8x16, s);
    Panel_Rule(*panel, it + 20, s);
    const int middle = (panel->left + panel->right) / 2;
    const int first_y = panel->top + Sprite_Height("desk_bord_Tp") + 27;
    const int first_verse_line = head_lines + Page_Shown() * page_lines;
    const int last_verse_line =
        std::min(static_cast<int>(lines.size()), first_verse_line + page_lines);
    int row = 0;
    auto put = [&](const std::string& text) {
        const int chars = static_cast<int>(text.size());
        Text_Draw(middle - font.cell_w * chars / 2, first_y + row++ * font.cell_h, text.c_str(),
                  &font, s);
    };
    for (int i = 0; i < head_lines; ++i) put(lines[static_cast<size_t>(i)]);
    for (int i = first_verse_line; i < last_verse_line; ++i) put(lines[static_cast<size_t>(i)]);
    if (Page_Count() > 1) {
        char page[32];
        std::snprintf(page, sizeof page, "%d/%d", Page_Shown() + 1, Page_Count());
        Font_Set_Colour(&Font_8x16, 2);
        Text_Draw(ir - 8 * static_cast<int>(std::strlen(page)) - 6, ib - 27, page, &Font_8x16, s);
    }
    Panel_Rule(*panel, ib - 37, s);
    const int32_t left = Time_Left();
    if (left < 1) {
        ok->Draw(s);
    } else {
        char text[64];
        std::snprintf(text, sizeof text, "мин время чтения: %.1f с", left / 1000.0);
        Panel_Centred_Text(*panel, ib - 27, text, &Font_8x16, s);
    }
}

int Verse_Reader::Run() {
    bool fired = false;  // OK fired in the pass before: that frame was the last
    return Box_Loop([&](int* result) { return *result = 1, fired; },
                    [&](int*) {
                        // Until the reading time is over, keys and clicks do nothing at all.
                        if (static_cast<int32_t>(Plat_Tick() - (start_time + min_time)) < 0)
                            return false;
                        Ok_Keys_Press(ok.get());
                        fired = ok->Update() != 0;
                        // Read through, a long verse's pages can be turned again.
                        const int page = Page_Shown();
                        if (Key_Clicked(VK_UP) && page > 0) chosen_page = page - 1;
                        if (Key_Clicked(VK_DOWN) && page + 1 < Page_Count()) chosen_page = page + 1;
                        return false;
                    },
                    [&](Surface* s) { Draw(s); }, 1);
}
