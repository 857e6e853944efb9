// Word-wrapped line storage and the running tickers.
#include "ui/text_lines.h"

#include <algorithm>
#include <cstring>

#include "graphics/display.h"
#include "graphics/font.h"
#include "graphics/sprites.h"
#include "platform/platform.h"

Text_Lines::Text_Lines(int capacity_, int width_)
    : buffer(static_cast<size_t>(std::max(capacity_, 0)) + 1), width(width_) {
    capacity = std::max(capacity_, 0);
    ok = 1;
}

bool Word_Wrap(const char* text, int width, const std::function<bool(const char*, int)>& piece) {
    const int len = static_cast<int>(std::strlen(text));
    int pos = 0;
    while (len - pos > width) {
        // The last blank from pos + 1 to pos + width - 1 ends the piece and stays on
        // it; without one the piece is cut at the width.
        int end = pos + width - 1;
        int blank = end;
        while (blank > pos && text[blank] != ' ') --blank;
        if (blank > pos) end = blank;
        if (!piece(text + pos, end - pos + 1)) return false;
        pos = end + 1;
    }
    return piece(text + pos, len - pos);
}

int Text_Lines::Add_Text(const char* text) {
    if (text == nullptr || *text == '\0') text = " ";
    int pieces = 0;
    return Word_Wrap(text, width,
                     [&](const char* from, int n) {
                         // Room for the piece, its leading blank and NUL, with some to spare.
                         while (capacity - used <= n + 4) capacity += 2048;
                         buffer.resize(static_cast<size_t>(capacity) + 1);
                         if (pieces++ > 0) buffer[used++] = ' ';
                         std::memcpy(buffer.data() + used, from, static_cast<size_t>(n));
                         used += n;
                         buffer[used++] = '\0';
                         ++count;
                         return true;
                     })
               ? 1
               : 0;
}

void Text_Lines::Clear() {
    std::fill(buffer.begin(), buffer.end(), '\0');
    used = count = cursor_line = cursor = 0;
}

const char* Text_Lines::Get_Line(int index) {
    if (index < 0 || index >= count) return nullptr;
    // Walk from the line last looked up, one line a step.
    while (cursor_line < index) {
        cursor += static_cast<int32_t>(std::strlen(buffer.data() + cursor)) + 1;
        ++cursor_line;
    }
    while (cursor_line > index) {
        int32_t p = cursor - 1;  // the NUL ending the line before
        while (p > 0 && buffer[p - 1] != '\0') --p;
        cursor = p;
        --cursor_line;
    }
    return buffer.data() + cursor;
}

Vertical_Ticker::Vertical_Ticker(Text_Lines* lines_, int x_, int start_y_)
    : y(start_y_), lines(lines_), x(x_), start_y(start_y_), last_move(Plat_Tick()) {}

void Vertical_Ticker::Draw(Surface* surface) {
    const uint32_t now = Plat_Tick();
    if (now >= last_move + interval) {
        y -= step;
        last_move = now;
    }
    const int32_t skip = Cells_Skipped(y);
    // The stream: every line followed by two blanks.
    // More letters than the column can show are never needed.
    const int want = Screen_Height / 32 + 2;
    char letters[64];
    int count = 0;
    int32_t position = 0;
    bool beyond = true;
    for (int i = 0; i < lines->Line_Count() && count <= want; ++i) {
        const char* line = lines->Get_Line(i);
        const int32_t len = static_cast<int32_t>(std::strlen(line)), n = len + 2;
        if (position + n > skip) {
            beyond = false;
            for (int32_t k = skip > position ? skip - position : 0; k < n && count <= want; ++k)
                letters[count++] = k < len ? line[k] : ' ';
        }
        position += n;
    }
    if (beyond) {
        y = start_y;
        letters[count++] = ' ';
    }
    letters[count] = '\0';
    const int32_t offset = Cell_Offset(y);
    Font_Set_Colour(&Font_32x32, 6);
    if (const Sprite* back = Sprite_Get("VScrollStr_back");
        back != nullptr && back->surface != nullptr) {
        const Rect src{0, 0, back->width, back->height};
        const Rect to{x, 0, x + back->width, back->height};
        Surface_Blt(surface, &to, back->surface, &src, 0);
    }
    Text_Draw_Vertical(x + 12, offset, letters, surface);
    Sprite_Draw(surface, x, 0, Sprite_Get("VScrollStr_front"));
}

Horizontal_Ticker::Horizontal_Ticker() : x(Screen_Width), text(10000), start_x(Screen_Width) {}

int Horizontal_Ticker::Add_Text(const char* add) {
    const int32_t n = static_cast<int32_t>(std::strlen(add));
    const int32_t capacity = static_cast<int32_t>(text.size());
    if (length + 2 + n >= capacity)
        text.resize(static_cast<size_t>(capacity) +
                    static_cast<size_t>((length + 3 + n - capacity) / 10000 + 1) * 10000);
    std::memcpy(text.data() + length, add, static_cast<size_t>(n));
    length += n;
    text[length++] = ' ';
    text[length++] = ' ';
    text[length] = '\0';
    return 1;
}

void Horizontal_Ticker::Clear() {
    length = 0;
    text[0] = '\0';
}

void Horizontal_Ticker::Draw(Surface* surface) {
    x -= step;
    const int32_t skip = Cells_Skipped(x);
    char letters[64] = " ";
    if (skip >= length) {
        x = start_x;
    } else {
        const int32_t n = std::min(length - skip, Screen_Width / 32 + 2);
        std::memcpy(letters, text.data() + skip, static_cast<size_t>(n));
        letters[n] = '\0';
    }
    const int32_t offset = Cell_Offset(x);
    if (const Sprite* back = Sprite_Get("HScrollStr_back");
        back != nullptr && back->surface != nullptr) {
        const Rect src{0, 0, back->width, back->height};
        const Rect to{0, y, back->width, y + back->height};
        Surface_Blt(surface, &to, back->surface, &src, 0);
    }
    Font_Set_Colour(&Font_32x32, 6);
    Text_Draw(offset, y + 13, letters, &Font_32x32, surface);
    Sprite_Draw(surface, 0, y, Sprite_Get("HScrollStr_front"));
}
