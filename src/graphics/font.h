// Bitmap fonts of 16 x 10 glyph cells in Windows-1251 order, and text drawing.
#pragma once

#include <cstdint>

#include "graphics/bmp.h"
#include "graphics/surface.h"

struct Font {
    int32_t ready = 0;
    int32_t colour = 0;  // index every glyph pixel has; 0 = the picture's own colours
    int32_t cell_w = 0;
    int32_t cell_h = 0;
    Surface* glyphs = nullptr;  // (16 w + 1) x (10 h + 1), owned
};

extern Font Font_8x16;
extern Font Font_16x16;
extern Font Font_32x32;

int Glyph_Index(uint8_t byte);
int Font_Create(const Image8* image, Font* font, int w, int h);
int Font_Set_Colour(Font* font, int index);
int Font_Copy(Font* dst, const Font* src);
void Font_Release(Font* font);
// Draws the text from (x, y), a glyph cell a letter. A line drawn before is kept
// as a picture of its own and copied whole; Font_Forget_Lines (and any font's
// release) lets those pictures go.
int Text_Draw(int x, int y, const char* text, const Font* font, Surface* dst);
void Font_Forget_Lines();
int Text_Draw_Vertical(int x, int y, const char* text, Surface* dst);
