// The whole Bible at a glance: the 66 books as rows, each chapter a cell coloured by
// what the player's reading record says of it, with the totals, a tip for the
// chapter under the cursor, and a click on a read chapter to read it again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/font.h"
#include "records/reading.h"
#include "ui/widgets.h"

// Where the game being played stands: its id (0 outside a game) and the chapter it
// plays now (book 0: none).
struct Bible_Map_Game {
    uint64_t game = 0;
    int book = 0, chapter = 0;
};

class Bible_Map {
  public:
    // The cells' colours.
    static constexpr uint8_t Unread = 195, Read = 29, Read_Here = 118, Now = 79, Now_Blink = 2;

    Bible_Map(const Reading_Record& record, const Bible_Map_Game& where);
    ~Bible_Map();
    Bible_Map(const Bible_Map&) = delete;
    Bible_Map& operator=(const Bible_Map&) = delete;

    // Runs until OK fired (Space, Enter, Escape or a pad's B press it), the program is
    // being left or the quit message came; 1.
    int Run();
    void Draw(Surface* surface);

    // The cell of a chapter, and the chapter under a point (false between rows or
    // past a book's last chapter).
    Rect Cell(int book, int chapter) const;
    bool Chapter_At(int x, int y, int* book, int* chapter) const;
    // The colour a chapter's cell has now.
    uint8_t Cell_Colour(int book, int chapter) const;
    // The totals line and the tip's two lines for a chapter.
    std::string Totals_Text() const;
    std::string Tip_Line(int book, int chapter, int line) const;
    // Opens a read chapter in the book viewer (up to the book's last chapter read).
    void Read_Chapter(int book, int chapter);

    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> ok;
    Reading_Summary sum;
    Bible_Map_Game where;
    std::string title;
    Font title_font, text_font, names, names_done, names_hover, counts;
    int32_t name_x = 0, grid_x = 0, grid_y = 0;
    int32_t hover_book = 0, hover_chapter = 0;
    int32_t pressed_book = 0, pressed_chapter = 0;
    int32_t ready = 0;
};
