// The whole-Bible picture: its layout, drawing and loop.
#include "records/screens/bible_map.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "audio/music.h"
#include "audio/sound.h"
#include "core/report_log.h"
#include "core/system.h"
#include "graphics/display.h"
#include "graphics/font_small.h"
#include "platform/platform.h"
#include "scripture/bible_shape.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "scripture/screens/book_viewer.h"
#include "ui/screen_loop.h"

namespace {

constexpr int Row_Pitch = 6;   // a cell 5 pixels high and a line between rows
constexpr int Cell_Pitch = 3;  // a cell 2 pixels wide and a line between cells...
constexpr int Group = 10;      // ...and one more after every ten chapters
constexpr int Group_Width = Group * Cell_Pitch + 1;

const uint8_t Legend_Colours[4] = {Bible_Map::Unread, Bible_Map::Read, Bible_Map::Read_Here,
                                   Bible_Map::Now};
const char* const Legend_Texts[4] = {"не прочитана", "прочитана", "прочитана в этой игре",
                                     "читается сейчас"};

void Fill(Surface* s, int left, int top, int right, int bottom, uint8_t colour) {
    const Rect r{left, top, right, bottom};
    Surface_Fill(s, &r, colour);
}

}  // namespace

Bible_Map::Bible_Map(const Reading_Record& record, const Bible_Map_Game& where_)
    : sum(Reading_Summarize(record, where_.game)), where(where_) {
    title = record.player.empty() ? "Прочитанное" : "Прочитанное игроком " + record.player;
    panel = std::make_unique<cls_Desk_Rect>(0, 0, Screen_Width - 1, Screen_Height - 1);
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    name_x = l + 4;
    grid_x = l + 40;
    grid_y = t + 25;
    Font_Set_Colour(&Font_16x16, 2);
    ok = std::make_unique<cls_Button_Standart>(r - 60, b - 27, "OK", &Font_16x16);
    const std::pair<Font*, int> copies[] = {{&title_font, 5}, {&text_font, 3}};
    for (const auto& [font, colour] : copies) {
        Font_Copy(font, &Font_8x16);
        Font_Set_Colour(font, colour);
    }
    const std::pair<Font*, int> smalls[] = {
        {&names, 6}, {&names_done, 3}, {&names_hover, 96}, {&counts, 69}};
    bool made = true;
    for (const auto& [font, colour] : smalls) made = Font_Small_Create(font, colour) && made;
    ready = made && text_font.ready && title_font.ready;
}

Bible_Map::~Bible_Map() {
    for (Font* f : {&title_font, &text_font, &names, &names_done, &names_hover, &counts})
        Font_Release(f);
}

Rect Bible_Map::Cell(int book, int chapter) const {
    const int k = chapter - 1;
    const int x = grid_x + k * Cell_Pitch + k / Group;
    const int y = grid_y + (book - 1) * Row_Pitch;
    return Rect{x, y, x + Cell_Pitch - 1, y + Row_Pitch - 1};
}

bool Bible_Map::Chapter_At(int x, int y, int* book, int* chapter) const {
    if (x < grid_x || y < grid_y) return false;
    const int row = (y - grid_y) / Row_Pitch;
    if (row >= HS_Book_Count || (y - grid_y) % Row_Pitch == Row_Pitch - 1) return false;
    const int group = (x - grid_x) / Group_Width, within = (x - grid_x) % Group_Width;
    // The line after a group and the one between cells belong to the cell before.
    const int c = group * Group + std::min(within / Cell_Pitch, Group - 1) + 1;
    if (c > Bible_Chapters(row + 1)) return false;
    *book = row + 1;
    *chapter = c;
    return true;
}

uint8_t Bible_Map::Cell_Colour(int book, int chapter) const {
    if (book == where.book && chapter == where.chapter)
        return Plat_Tick() / 400 % 2 == 0 ? Now : Now_Blink;
    const Reading_Mark& m = sum.marks[static_cast<size_t>(Bible_Chapter_Index(book, chapter))];
    if (m.count == 0) return Unread;
    return m.this_game ? Read_Here : Read;
}

std::string Bible_Map::Totals_Text() const {
    char line[96];
    std::snprintf(line, sizeof line, "Глав: %d/%d  Стихов: %d/%d  Книг: %d/66  Дней: %d",
                  sum.chapters, Bible_Chapter_Total, sum.verses, Bible_Verse_Total, sum.books,
                  sum.days);
    return line;
}

std::string Bible_Map::Tip_Line(int book, int chapter, int line) const {
    char text[96];
    if (line == 0) {
        std::snprintf(text, sizeof text, "%s, глава %d", HS_Titles[book - 1], chapter);
        return text;
    }
    const Reading_Mark& m = sum.marks[static_cast<size_t>(Bible_Chapter_Index(book, chapter))];
    Sys_Date d;
    if (m.count > 0 && Sys_Local_Date(m.first, &d)) {
        std::snprintf(text, sizeof text, "Прочитана %02d.%02d.%04d, раз: %d", d.day, d.month,
                      d.year, m.count);
        return text;
    }
    if (book == where.book && chapter == where.chapter) return "Читается сейчас";
    return "Еще не прочитана";
}

void Bible_Map::Read_Chapter(int book, int chapter) {
    const int last = sum.book_last[book];
    if (last < chapter) return;
    const std::string path = Book_Path(book);
    Report_Log("\n Выбрана книга для чтения: %s", path.c_str());
    HS_Book text;
    if (!HS_Book_Load(&text, path.c_str())) return;
    // The viewer plays its own tune; the one playing here comes back after it.
    const std::string tune = Music != nullptr && Music->playing ? Music->file_name : "";
    const int loop = Music != nullptr ? Music->loop : 0;
    {
        Book_Viewer viewer(chapter, last, &text);
        if (viewer.ready) {
            Sound_Stop_All();
            if (Snd_12 >= 0) Sound_Play(Snd_12);
            viewer.Run();
            Sound_Stop_All();
        }
    }
    if (!tune.empty()) Music_Play(tune.c_str(), loop);
}

void Bible_Map::Draw(Surface* s) {
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    Surface_Fill(s, nullptr, 0);
    panel->Draw(s);
    Panel_Centred_Text(*panel, t + 3, title.c_str(), &title_font, s);
    Panel_Rule(*panel, t + 20, s);
    for (int book = 1; book <= HS_Book_Count; ++book) {
        const int chapters = Bible_Chapters(book), read = sum.book_read[book];
        const int y = grid_y + (book - 1) * Row_Pitch;
        const Font* name = book == hover_book ? &names_hover
                           : read == chapters ? &names_done
                                              : &names;
        Text_Draw(name_x, y, HS_Abbrevs[book - 1], name, s);
        for (int c = 1; c <= chapters; ++c) {
            const Rect cell = Cell(book, c);
            Fill(s, cell.left, cell.top, cell.right - 1, cell.bottom, Cell_Colour(book, c));
        }
        char count[16];
        std::snprintf(count, sizeof count, "%d/%d", read, chapters);
        Text_Draw(Cell(book, chapters).right + 4, y, count,
                  read == chapters ? &names_done : &counts, s);
    }
    // What the colours say, beside the short rows of the New Testament.
    const int legend_x = grid_x + 250, legend_y = grid_y + 43 * Row_Pitch;
    for (int k = 0; k < 4; ++k) {
        const int y = legend_y + k * (Font_8x16.cell_h + 4);
        Fill(s, legend_x, y + 5, legend_x + 8, y + 11, Legend_Colours[k]);
        Text_Draw(legend_x + 16, y, Legend_Texts[k], &text_font, s);
    }
    Panel_Rule(*panel, b - 33, s);
    Text_Draw(l + 5, b - 25, Totals_Text().c_str(), &text_font, s);
    ok->Draw(s);
    if (hover_book > 0) {
        // The tip beside the cursor, kept inside the panel.
        const std::string lines[2] = {Tip_Line(hover_book, hover_chapter, 0),
                                      Tip_Line(hover_book, hover_chapter, 1)};
        const int width =
            static_cast<int>(std::max(lines[0].size(), lines[1].size())) * Font_8x16.cell_w + 12;
        const int height = 2 * Font_8x16.cell_h + 10;
        int x = Mouse_X + 14, y = Mouse_Y + 14;
        if (x + width > r) x = Mouse_X - 6 - width;
        if (y + height > b) y = Mouse_Y - 6 - height;
        x = std::max(x, l);
        y = std::max(y, t);
        Fill(s, x, y, x + width, y + height, 1);
        Fill(s, x + 1, y + 1, x + width - 1, y + height - 1, 7);
        for (int k = 0; k < 2; ++k)
            Text_Draw(x + 6, y + 5 + k * Font_8x16.cell_h, lines[k].c_str(), &text_font, s);
    }
}

int Bible_Map::Run() {
    return Box_Loop([&](int* result) { return *result = 1, ok->fired != 0; },
                    [&](int*) {
                        const Screen_Target target = Centre_Of(*ok);
                        Screen_Announce({"bible", &target, 1, this});
                        Ok_Keys_Press(ok.get());
                        ok->Update();
                        int book = 0, chapter = 0;
                        if (!Chapter_At(Mouse_X, Mouse_Y, &book, &chapter)) book = chapter = 0;
                        hover_book = book;
                        hover_chapter = chapter;
                        // A chapter opens when the button is let go over the cell pressed.
                        // (Asking whether it is down forgets that it was pressed: asked
                        // second.)
                        const bool clicked = Left_Button_Clicked();
                        const bool down = clicked || Left_Button_Down();
                        if (pressed_book != 0 && !down) {
                            if (book == pressed_book && chapter == pressed_chapter)
                                Read_Chapter(book, chapter);
                            pressed_book = pressed_chapter = 0;
                        } else if (pressed_book == 0 && clicked && book != 0) {
                            pressed_book = book;
                            pressed_chapter = chapter;
                            if (Snd_7 >= 0) Sound_Play(Snd_7);
                        }
                        Music_Update();
                        return false;
                    },
                    [&](Surface* s) { Draw(s); }, 1);
}
