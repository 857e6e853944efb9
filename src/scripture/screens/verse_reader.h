// The reading box of a newly opened verse: the book title, the chapter, verse and
// letter count, and the verse wrapped at 30 characters, over the game picture; it
// cannot be closed before its reading time (50 ms a letter) is over.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "ui/widgets.h"

class Verse_Reader {
  public:
    static constexpr int Wrap = 30;

    Verse_Reader(int chapter, int verse, const char* line, const char* book_title);
    ~Verse_Reader();
    Verse_Reader(const Verse_Reader&) = delete;
    Verse_Reader& operator=(const Verse_Reader&) = delete;

    // Wraps the text into lines.
    void Add_Text(const char* text);
    // Runs until OK fired, the program is being left or the quit message came; 1.
    int Run();
    void Draw(Surface* surface);
    // Milliseconds of reading time left (may be negative).
    int32_t Time_Left() const;
    // A verse longer than the box pages: the pages, and the one shown now (from 0).
    // Each page stays for the reading time of its letters, so the last one comes
    // within the verse's reading time; after it the player may turn back (↑, ↓).
    int Page_Count() const;
    int Page_Shown() const;
    // The verse lines a page holds.
    int Page_Lines() const { return page_lines; }

    uint32_t start_time = 0;
    uint32_t min_time = 0;
    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> ok;
    Font font;
    std::vector<std::string> lines;  // the head lines, then the verse's
    int32_t head_lines = 0;          // the book, the chapter and verse line, a blank
    int32_t ready = 0;

  private:
    // Lines that fit on the screen in the box's font.
    int Room_For_Lines() const;
    int page_lines = 1;
    std::vector<uint32_t> page_at;  // when each page comes, ms after the start
    int chosen_page = -1;           // a page the player turned to, or -1
};
