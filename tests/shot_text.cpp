// Shot reading and text finding for the scripted tests.
#include "shot_text.h"

#include <cstring>

#include "core/bytes.h"
#include "graphics/surface.h"

Shot Shot_Of_Surface(const Surface* surface) {
    Shot s;
    s.width = surface->width;
    s.height = surface->height;
    s.pixels.resize(static_cast<size_t>(s.width) * s.height);
    for (int y = 0; y < s.height; ++y)
        std::memcpy(&s.pixels[static_cast<size_t>(y) * s.width],
                    surface->pixels + static_cast<ptrdiff_t>(y) * surface->pitch,
                    static_cast<size_t>(s.width));
    return s;
}

Shot Shot_Read(const std::string& b) {
    Shot s;
    if (b.size() < 1078 || b.compare(0, 2, "BM") != 0) return s;
    const int w = static_cast<int>(Get_Le32(b.data() + 18));
    const int h = static_cast<int>(Get_Le32(b.data() + 22));
    const uint32_t off = Get_Le32(b.data() + 10);
    if (w <= 0 || h <= 0 || b.size() < off + static_cast<size_t>(w) * h) return s;
    s.width = w;
    s.height = h;
    s.pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        std::memcpy(&s.pixels[static_cast<size_t>(y) * w],
                    b.data() + off + static_cast<size_t>(h - 1 - y) * w, static_cast<size_t>(w));
    return s;
}

bool Shot_Find_Text(const Shot& shot, const char* text, const Font& font, int colour, int* fx,
                    int* fy) {
    if (!font.ready || font.glyphs == nullptr || shot.pixels.empty()) return false;
    const int cw = font.cell_w, ch = font.cell_h, n = static_cast<int>(std::strlen(text));
    const int w = cw * n;
    // The text's pixels: opaque where the glyph surface is not the key colour.
    std::vector<uint8_t> mask(static_cast<size_t>(w) * ch, 0);
    int opaque = 0;
    for (int i = 0; i < n; ++i) {
        const int g = Glyph_Index(static_cast<uint8_t>(text[i]));
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) {
                const uint8_t p =
                    font.glyphs
                        ->pixels[static_cast<size_t>(ch * (g / 16) + y) * font.glyphs->pitch +
                                 cw * (g % 16) + x];
                if (p != 0) {
                    mask[static_cast<size_t>(y) * w + i * cw + x] = 1;
                    ++opaque;
                }
            }
    }
    if (opaque == 0) return false;
    // The glyph pixels are checked first, so most places are left at once.
    std::vector<int> on, off;
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < w; ++x)
            (mask[static_cast<size_t>(y) * w + x] ? on : off).push_back(y * shot.width + x);
    const uint8_t* px = shot.pixels.data();
    for (int top = 0; top + ch <= shot.height; ++top)
        for (int left = 0; left + w <= shot.width; ++left) {
            const uint8_t* at = px + static_cast<size_t>(top) * shot.width + left;
            bool all = true;
            for (size_t i = 0; i < on.size() && all; ++i) all = at[on[i]] == colour;
            if (!all) continue;
            // A field of that one colour is no text.
            size_t around_same = 0;
            for (int o : off) around_same += at[o] == colour ? 1 : 0;
            if (around_same * 2 < off.size()) {
                if (fx != nullptr) *fx = left;
                if (fy != nullptr) *fy = top;
                return true;
            }
        }
    return false;
}

int Shot_Diff(const Shot& a, const Shot& b, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return n;
}
