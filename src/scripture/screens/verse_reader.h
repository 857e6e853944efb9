// The reading box of a newly opened verse: the book title, the chapter, verse and
// letter count, and the verse wrapped at 30 characters, over the game picture; it
// cannot be closed before its reading time (50 ms a letter) is over.
#pragma once

#include <cstdint>

#include "graphics/font.h"
#include "ui/widgets.h"

class Verse_Reader {
  public:
    static constexpr int Max_Lines = 40;
    static constexpr int Line_Room = 81;  // 80 characters and the NUL
    static constexpr int Wrap = 30;

    Verse_Reader(int chapter, int verse, const char* line, const char* book_title);
    ~Verse_Reader();
    Verse_Reader(const Verse_Reader&) = delete;
    Verse_Reader& operator=(const Verse_Reader&) = delete;

    // Wraps the text into the line slots.
    void Add_Text(const char* text);
    // Runs until OK fired, the program is being left or the quit message came; 1.
    int Run();
    void Draw(Surface* surface);
    // Milliseconds of reading time left (may be negative).
    int32_t Time_Left() const;

    uint32_t start_time = 0;
    uint32_t min_time = 0;
    cls_Desk_Rect* panel = nullptr;
    cls_Button_Standart* ok = nullptr;
    Font font;
    char lines[Max_Lines][Line_Room] = {};
    int32_t line_count = 0;
    int32_t ready = 0;

  private:
    void Add_Line(const char* from, int n);
    // Lines that fit on the screen in the box's font (never more than the slots).
    int Room_For_Lines() const;
    bool cut = false;  // text that did not fit was left out
};
