// Reading the Terminus strikes through FreeType into code-page cells.
#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>

namespace art {

namespace {
[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "make_art: %s\n", why.c_str());
    std::exit(1);
}

// The Unicode code point of a cell: ASCII 32..127 in cells 0..95, А..я in 96..159.
uint32_t Code_Point(int g) {
    if (g < 95) return static_cast<uint32_t>(g + 32);
    if (g == 95) return ' ';  // 127 is no letter
    return 0x410u + static_cast<uint32_t>(g - 96);
}
}  // namespace

int Cell_Of(uint8_t b) {
    if (b < 32) return 0;
    if (b < 128) return b - 32;
    if (b == 168) return 101;
    if (b == 184) return 133;
    if (b < 192) return 0;
    return b - 96;
}

Glyph_Set Load_Glyphs(const std::string& font_path, int strike, bool widen) {
    FT_Library lib;
    FT_Face face;
    if (FT_Init_FreeType(&lib) != 0) Fail("FreeType does not start");
    if (FT_New_Face(lib, font_path.c_str(), 0, &face) != 0) Fail("cannot read " + font_path);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(strike)) != 0)
        Fail("no strike of " + std::to_string(strike) + " pixels in " + font_path);
    const int sw = strike / 2, sh = strike;
    // Rows are placed from the top of the strike's cell, whose top M shares.
    if (FT_Load_Char(face, 'M', FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) Fail("no M");
    const int base = face->glyph->bitmap_top;
    Glyph_Set set;
    set.w = widen ? 2 * sw : sw;
    set.h = sh;
    for (int g = 0; g < 160; ++g) {
        std::vector<uint8_t> cell(static_cast<size_t>(set.w) * set.h, 0);
        if (FT_Load_Char(face, Code_Point(g), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            Fail("no letter for cell " + std::to_string(g));
        const FT_Bitmap& bm = face->glyph->bitmap;
        const int x0 = face->glyph->bitmap_left;
        const int y0 = base - face->glyph->bitmap_top;
        for (unsigned y = 0; y < bm.rows; ++y)
            for (unsigned x = 0; x < bm.width; ++x) {
                const bool ink =
                    (bm.buffer[y * static_cast<unsigned>(bm.pitch) + x / 8] >> (7 - x % 8)) & 1;
                const int cx = x0 + static_cast<int>(x), cy = y0 + static_cast<int>(y);
                if (!ink || cx < 0 || cx >= sw || cy < 0 || cy >= sh) continue;
                if (widen) {
                    cell[static_cast<size_t>(cy) * set.w + 2 * cx] = 1;
                    cell[static_cast<size_t>(cy) * set.w + 2 * cx + 1] = 1;
                } else {
                    cell[static_cast<size_t>(cy) * set.w + cx] = 1;
                }
            }
        set.cells.push_back(std::move(cell));
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    return set;
}

int Draw_Text(Canvas& c, const Glyph_Set& g, int x, int y, const std::string& text, uint8_t ink) {
    int cx = x;
    for (unsigned char ch : text) {
        const uint8_t* cell = g.Cell(Cell_Of(ch));
        for (int j = 0; j < g.h; ++j)
            for (int i = 0; i < g.w; ++i)
                if (cell[j * g.w + i]) c.Set(cx + i, y + j, ink);
        cx += g.w;
    }
    return cx - x;
}

int Draw_Text_Outlined(Canvas& c, const Glyph_Set& g, int x, int y, const std::string& text,
                       uint8_t ink, uint8_t outline, bool bold) {
    Canvas mask(Text_Width(g, text) + 3, g.h + 2, 0);
    Draw_Text(mask, g, 1, 1, text, 1);
    if (bold) Draw_Text(mask, g, 2, 1, text, 1);
    for (int j = 0; j < mask.h; ++j)
        for (int i = 0; i < mask.w; ++i) {
            if (mask.Get(i, j)) continue;
            bool near = false;
            for (int dj = -1; dj <= 1 && !near; ++dj)
                for (int di = -1; di <= 1; ++di)
                    if (mask.Get(i + di, j + dj) == 1) near = true;
            if (near) c.Set(x - 1 + i, y - 1 + j, outline);
        }
    if (bold) Draw_Text(c, g, x + 1, y, text, ink);
    return Draw_Text(c, g, x, y, text, ink);
}

}  // namespace art
