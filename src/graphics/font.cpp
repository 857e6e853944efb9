// Fonts cut from their grid pictures, recoloured copies, text and tiling.
#include "graphics/font.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

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
    Font_Forget_Lines();
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

// Lines of text drawn before, each kept as a picture of its own: a line drawn again
// (a counter, a caption, a ticker's letters, every frame) is one copy instead of a
// copy per letter. A line is known by its letters, its direction and the glyphs'
// pixels, so a recoloured font draws its lines anew.
struct Surface_Destroyer {
    void operator()(Surface* s) const { Surface_Destroy(s); }
};
struct Line_Picture {
    uint64_t glyphs = 0;  // the glyphs' content: their pixels, key and size, so cell size
    bool vertical = false;
    std::string text;
    std::unique_ptr<Surface, Surface_Destroyer> picture;
    uint64_t used = 0;
};
constexpr size_t Max_Lines = 128;
constexpr size_t Max_Line_Bytes = 512 * 1024;
constexpr int Max_Line_Length = 4096;  // pixels along the line; longer ones go by letters

std::vector<Line_Picture>& Lines() {
    static auto* lines = new std::vector<Line_Picture>();  // emptied by Font_Forget_Lines
    return *lines;
}
uint64_t Line_Uses = 0;
size_t Line_Bytes = 0;

size_t Bytes_Of(const Surface* s) {
    return static_cast<size_t>(s->width) * static_cast<size_t>(s->height);
}

// Room for a picture of so many bytes. A full store gives up only lines not drawn
// for a while, so that text that does not fit in it (a screen of more lines than it
// holds) goes by letters instead of making every line anew each frame.
bool Make_Room(size_t bytes) {
    std::vector<Line_Picture>& lines = Lines();
    while (lines.size() >= Max_Lines || Line_Bytes + bytes > Max_Line_Bytes) {
        const auto oldest = std::min_element(
            lines.begin(), lines.end(),
            [](const Line_Picture& a, const Line_Picture& b) { return a.used < b.used; });
        if (oldest == lines.end() || oldest->used + 2 * Max_Lines > Line_Uses) return false;
        Line_Bytes -= Bytes_Of(oldest->picture.get());
        if (&*oldest != &lines.back()) *oldest = std::move(lines.back());
        lines.pop_back();
    }
    return true;
}

// The picture of the text as the font draws it letter by letter, or null when
// there is none to be had (too long, no room, out of memory).
const Surface* Line_Of(const Font* font, const char* text, size_t n, bool vertical) {
    const int w = font->cell_w, h = font->cell_h;
    const int64_t along = static_cast<int64_t>(n) * (vertical ? h : w);
    if (along > Max_Line_Length) return nullptr;
    const uint64_t glyphs = Surface_Content(font->glyphs);
    for (Line_Picture& l : Lines())
        if (l.glyphs == glyphs && l.vertical == vertical && l.text.size() == n &&
            std::memcmp(l.text.data(), text, n) == 0) {
            l.used = ++Line_Uses;
            return l.picture.get();
        }
    ++Line_Uses;
    if (!Make_Room(static_cast<size_t>(along) * static_cast<size_t>(vertical ? w : h)))
        return nullptr;
    Surface* picture = vertical ? Surface_Create_Plain(w, static_cast<int>(along))
                                : Surface_Create_Plain(static_cast<int>(along), h);
    if (picture == nullptr) return nullptr;
    picture->color_key = font->glyphs->color_key;
    if (picture->color_key > 0)
        Surface_Fill(picture, nullptr, static_cast<uint8_t>(picture->color_key));
    for (size_t i = 0; i < n; ++i) {
        const int at = static_cast<int>(i) * (vertical ? h : w);
        Draw_Glyph(font, static_cast<uint8_t>(text[i]), vertical ? 0 : at, vertical ? at : 0,
                   picture);
    }
    Line_Bytes += Bytes_Of(picture);
    Lines().push_back(Line_Picture{glyphs, vertical, std::string(text, n),
                                   std::unique_ptr<Surface, Surface_Destroyer>(picture),
                                   Line_Uses});
    return picture;
}

// Draws the text from (x, y) along the line or down it as one copy where that
// gives the picture letter by letter drawing gives: on a surface with a clipper
// always (letters outside it show nothing either way), on one without only when
// every letter fits. Returns false when the letters must be drawn one by one.
bool Draw_Line(const Font* font, int x, int y, const char* text, bool vertical, Surface* dst) {
    const size_t n = std::strlen(text);
    if (n == 0) return true;
    const int w = font->cell_w, h = font->cell_h;
    if (font->glyphs == nullptr || w <= 0 || h <= 0) return false;
    const int64_t right = x + static_cast<int64_t>(vertical ? w : w * static_cast<int64_t>(n));
    const int64_t bottom = y + static_cast<int64_t>(vertical ? h * static_cast<int64_t>(n) : h);
    if (!dst->has_clip && (x < 0 || y < 0 || right > dst->width || bottom > dst->height))
        return false;
    if (right > INT32_MAX || bottom > INT32_MAX) return false;
    const Surface* line = Line_Of(font, text, n, vertical);
    if (line == nullptr) return false;
    const Rect to{x, y, static_cast<int32_t>(right), static_cast<int32_t>(bottom)};
    Surface_Blt(dst, &to, line, nullptr, Blt_Keysrc);
    return true;
}
}  // namespace

void Font_Forget_Lines() {
    Lines().clear();
    Line_Bytes = 0;
}

int Text_Draw(int x, int y, const char* text, const Font* font, Surface* dst) {
    if (font == nullptr || !font->ready || dst == nullptr) return 0;
    if (Draw_Line(font, x, y, text, false, dst)) return 1;
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
    if (Draw_Line(font, x, y, text, true, dst)) return 1;
    const int h = font->cell_h;
    for (const char* p = text; *p != '\0' && y < dst->height; ++p, y += h) {
        if (y + h < 0) continue;
        if (!Draw_Glyph(font, static_cast<uint8_t>(*p), x, y, dst)) return 0;
    }
    return 1;
}
