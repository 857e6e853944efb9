// Text containers: a growable store of word-wrapped lines, and the two tickers
// that run text through a column (upwards) or a strip (leftwards) in 32-pixel
// letters.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "graphics/surface.h"

// Cuts the text into pieces of at most width bytes, each ending at its last blank
// (kept on it) when it has one, and hands them on in order; false when a piece
// was refused.
bool Word_Wrap(const char* text, int width, const std::function<bool(const char*, int)>& piece);

class Text_Lines {
  public:
    Text_Lines(int capacity, int width);
    Text_Lines(const Text_Lines&) = delete;
    Text_Lines& operator=(const Text_Lines&) = delete;

    // Appends the text as one or more lines of at most `width` characters, broken
    // at blanks; continuation lines begin with a blank. 0 when the store cannot grow.
    int Add_Text(const char* text);
    // The line, or null when index is not below the line count.
    const char* Get_Line(int index);
    // No lines, the cursor at the start, the buffer cleared; the room stays.
    void Clear();
    int Line_Count() const { return count; }
    int Width() const { return width; }
    int Ok() const { return ok; }

  private:
    std::vector<char> buffer;  // capacity bytes and a NUL; grows by 2048
    int32_t capacity = 0;
    int32_t width = 0;
    int32_t used = 0;  // write position
    int32_t count = 0;
    int32_t cursor_line = 0;
    int32_t cursor = 0;  // offset of cursor_line
    int32_t ok = 0;
};

class Vertical_Ticker {
  public:
    Vertical_Ticker(Text_Lines* lines, int x, int start_y);
    virtual ~Vertical_Ticker() = default;
    virtual void Draw(Surface* surface);
    int32_t y;  // of the stream's first letter cell

  private:
    Text_Lines* lines;
    int32_t x, start_y;
    int32_t step = 4;
    uint32_t interval = 10;
    uint32_t last_move;
};

class Horizontal_Ticker {
  public:
    Horizontal_Ticker();
    virtual ~Horizontal_Ticker() = default;
    Horizontal_Ticker(const Horizontal_Ticker&) = delete;
    Horizontal_Ticker& operator=(const Horizontal_Ticker&) = delete;
    // Appends the text and two blanks to the stream; 0 when it cannot grow.
    int Add_Text(const char* text);
    // Empties the stream; where it scrolls stays.
    void Clear();
    const char* Text() const { return text.data(); }
    virtual void Draw(Surface* surface);
    int32_t x;  // of the stream's first letter cell
    int32_t Length() const { return length; }

  private:
    std::vector<char> text;  // grows by 10000
    int32_t length = 0;
    int32_t y = 0;
    int32_t start_x;
    int32_t step = 5;
};

// A remainder with the sign of the dividend, and the whole cells above or left of 0.
inline int32_t Cell_Offset(int32_t pos) {
    return pos % 32;
}
inline int32_t Cells_Skipped(int32_t pos) {
    return pos < 0 ? -pos / 32 : 0;
}
