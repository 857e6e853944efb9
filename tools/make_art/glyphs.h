// Letter shapes for the art: the 160 cells of the game's code page, read once from
// the Terminus bitmap strikes through FreeType.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace art {

struct Glyph_Set {
    int w = 0, h = 0;
    std::vector<std::vector<uint8_t>> cells;  // 160 cells of w * h, 1 = ink
    const uint8_t* Cell(int g) const { return cells[static_cast<size_t>(g)].data(); }
};

// Loads a strike of pixel height 16 or 32 (cells 8 x 16 or 16 x 32); widen doubles
// every column. Stops the program with a message when the font cannot be read.
Glyph_Set Load_Glyphs(const std::string& font_path, int strike, bool widen);

// The cell of a Windows-1251 byte, as the game maps it.
int Cell_Of(uint8_t byte);

// Draws Windows-1251 text with one colour; returns the width drawn.
int Draw_Text(Canvas& c, const Glyph_Set& g, int x, int y, const std::string& text, uint8_t ink);
// Text with a one-pixel dark outline around every letter; bold doubles each stroke
// one pixel to the right.
int Draw_Text_Outlined(Canvas& c, const Glyph_Set& g, int x, int y, const std::string& text,
                       uint8_t ink, uint8_t outline, bool bold = false);
inline int Text_Width(const Glyph_Set& g, const std::string& text) {
    return g.w * static_cast<int>(text.size());
}

}  // namespace art
