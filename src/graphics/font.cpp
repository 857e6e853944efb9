// Fonts cut from their grid pictures, recoloured copies, text and tiling.
#include "graphics/font.h"

#include <cstring>

#include "core/report_log.h"
#include "graphics/surface.h"

Font Font_8x16;
Font Font_16x16;
Font Font_32x32;

int Glyph_Index(uint8_t b) {
    if (b < 32) return 0;
    if (b < 128) return b - 32;
    if (b == 168) return 101;  // Ё draws as Е
    if (b == 184) return 133;  // ё draws as е
    if (b < 192) return 0;
    return b - 96;
}

int Font_Create(const Image8* image, Font* font, int w, int h) {
    // The picture must hold the whole grid: 16 cells across, 10 down, with their
    // one-pixel lines.
    const bool fits = image != nullptr && image->pixels != nullptr && w > 0 && h > 0 &&
                      image->row_length >= 16 * (w + 1) + 1 && image->height >= 10 * (h + 1) + 1;
    Surface* glyphs = fits ? Surface_Create(16 * w + 1, 10 * h + 1) : nullptr;
    int32_t pitch = 0;
    uint8_t* out = Surface_Lock(glyphs, &pitch);
    if (out == nullptr) {
        Surface_Release(glyphs);
        Report_Log("\n  ошибка при создании шрифта %dx%d", w, h);
        return 0;
    }
    for (int r = 0; r < 10; ++r)
        for (int j = 0; j < h; ++j)
            for (int k = 0; k < 16; ++k)
                std::memcpy(out + static_cast<size_t>(r * h + j) * pitch + k * w,
                            image->pixels +
                                static_cast<size_t>(1 + r * (h + 1) + j) * image->row_length + 1 +
                                k * (w + 1),
                            static_cast<size_t>(w));
    Surface_Unlock(glyphs);
    Report_Log("\n  Хорошо сформирован шрифт %dx%d", w, h);
    Font_Release(font);
    font->glyphs = glyphs;
    font->cell_w = w;
    font->cell_h = h;
    font->ready = 1;
    return 1;
}

int Font_Set_Colour(Font* font, int index) {
    if (font->glyphs == nullptr || index == font->colour || index == 0) return 0;
    int32_t pitch = 0;
    uint8_t* p = Surface_Lock(font->glyphs, &pitch);
    if (p != nullptr) {
        const size_t bytes = static_cast<size_t>(pitch) * 10 * font->cell_h;
        for (size_t i = 0; i < bytes; ++i)
            if (p[i] != 0) p[i] = static_cast<uint8_t>(index);
        Surface_Unlock(font->glyphs);
    }
    font->colour = index;
    return 1;
}

int Font_Copy(Font* dst, const Font* src) {
    Font_Release(dst);
    *dst = *src;
    dst->glyphs = nullptr;
    dst->ready = 0;
    if (src->glyphs == nullptr) return 1;
    dst->glyphs = Surface_Create(src->glyphs->width, src->glyphs->height);
    if (dst->glyphs == nullptr) return 1;
    Surface_Blt(dst->glyphs, nullptr, src->glyphs, nullptr, 0);
    dst->ready = src->ready;
    return 1;
}

void Font_Release(Font* font) {
    Surface_Release(font->glyphs);
    font->ready = 0;
}

namespace {
// One glyph cell of the font at (x, y), with its transparent colour.
int Draw_Glyph(const Font* font, uint8_t byte, int x, int y, Surface* dst) {
    const int w = font->cell_w, h = font->cell_h, g = Glyph_Index(byte);
    const Rect src{w * (g % 16), h * (g / 16), w * (g % 16) + w, h * (g / 16) + h};
    const Rect to{x, y, x + w, y + h};
    return Surface_Blt(dst, &to, font->glyphs, &src, Blt_Keysrc);
}
}  // namespace

int Text_Draw(int x, int y, const char* text, const Font* font, Surface* dst) {
    if (font == nullptr || !font->ready || dst == nullptr) return 0;
    const int w = font->cell_w;
    for (const char* p = text; *p != '\0' && x < dst->width; ++p, x += w) {
        if (x + w < 0) continue;
        if (!Draw_Glyph(font, static_cast<uint8_t>(*p), x, y, dst)) return 0;
    }
    return 1;
}

int Text_Draw_Vertical(int x, int y, const char* text, Surface* dst) {
    const Font* font = &Font_32x32;
    if (!font->ready || dst == nullptr) return 0;
    const int h = font->cell_h;
    for (const char* p = text; *p != '\0' && y < dst->height; ++p, y += h) {
        if (y + h < 0) continue;
        if (!Draw_Glyph(font, static_cast<uint8_t>(*p), x, y, dst)) return 0;
    }
    return 1;
}
