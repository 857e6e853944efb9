// The book viewer: one chapter of a book at a time as scrollable text, stepping
// between chapter 1 and a last chapter, closed with OK. Its own tune plays while
// it is open.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/font.h"
#include "scripture/hs_book.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

class Book_Viewer {
  public:
    static constexpr int Line_Width = 34;

    // Ready (and worth running) only when the book is there and last >= 1.
    Book_Viewer(int start_chapter, int last_chapter, const HS_Book* book);
    // Releases what it made and stops the music.
    ~Book_Viewer();
    Book_Viewer(const Book_Viewer&) = delete;
    Book_Viewer& operator=(const Book_Viewer&) = delete;

    // Runs until OK fired, the program is being left or the quit message came; 1.
    int Run();
    // Shows chapter n, kept within 1..last; returns the chapter shown.
    int Show_Chapter(int n);
    void Draw(Surface* surface);

    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> ok;
    std::unique_ptr<cls_Button_Arrow> right_arrow, left_arrow;
    std::unique_ptr<cls_VScroll_Control> scroll;
    const HS_Book* book = nullptr;
    std::unique_ptr<Text_Lines> text;
    Font font;
    int32_t chapter = 0;
    int32_t last_chapter = 0;
    int32_t first_line = 0;
    int32_t lines_per_page = 0;
    int32_t text_x = 0, text_y = 0;
    int32_t ready = 0;

  private:
    void Reset_Scroll();
};
