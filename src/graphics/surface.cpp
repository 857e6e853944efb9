// Rectangle copies and fills on 8-bit surfaces, with the back buffer's clipping.
#include "graphics/surface.h"

#include <cstring>
#include <new>

namespace {

bool Valid(const Rect& r) {
    return r.left < r.right && r.top < r.bottom;
}

bool Inside(const Rect& r, int w, int h) {
    return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h;
}

// The part of the destination rectangle that may be written, or false when the
// copy must fail or draws nothing.
bool Target(const Surface* dst, const Rect& d, Rect* out, bool* nothing) {
    *nothing = false;
    if (!Valid(d)) return false;
    if (!dst->has_clip) {
        if (!Inside(d, dst->width, dst->height)) return false;
        *out = d;
        return true;
    }
    Rect c = dst->clip;
    if (c.left < 0) c.left = 0;
    if (c.top < 0) c.top = 0;
    if (c.right > dst->width) c.right = dst->width;
    if (c.bottom > dst->height) c.bottom = dst->height;
    out->left = d.left > c.left ? d.left : c.left;
    out->top = d.top > c.top ? d.top : c.top;
    out->right = d.right < c.right ? d.right : c.right;
    out->bottom = d.bottom < c.bottom ? d.bottom : c.bottom;
    *nothing = !Valid(*out);
    return true;
}

}  // namespace

Surface* Surface_Create_Plain(int width, int height) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    Surface* s = new (std::nothrow) Surface();
    if (s == nullptr) return nullptr;
    // Rows are padded to 4 bytes, as video memory would be.
    s->pitch = (width + 3) & ~3;
    s->pixels = new (std::nothrow) uint8_t[static_cast<size_t>(s->pitch) * height]();
    if (s->pixels == nullptr) {
        delete s;
        return nullptr;
    }
    s->width = width;
    s->height = height;
    return s;
}

void Surface_Destroy(Surface* s) {
    if (s == nullptr) return;
    delete[] s->pixels;
    delete s;
}

int Surface_Fill(Surface* dst, const Rect* rect, uint8_t index) {
    if (dst == nullptr || dst->pixels == nullptr) return 0;
    const Rect d = rect ? *rect : Rect{0, 0, dst->width, dst->height};
    Rect t;
    bool nothing;
    if (!Target(dst, d, &t, &nothing)) return 0;
    if (nothing) return 1;
    for (int y = t.top; y < t.bottom; ++y)
        std::memset(dst->pixels + static_cast<size_t>(y) * dst->pitch + t.left, index,
                    static_cast<size_t>(t.right - t.left));
    return 1;
}

int Surface_Blt(Surface* dst, const Rect* dst_rect, const Surface* src, const Rect* src_rect,
                int flags) {
    if (dst == nullptr || src == nullptr || dst->pixels == nullptr || src->pixels == nullptr)
        return 0;
    const Rect s = src_rect ? *src_rect : Rect{0, 0, src->width, src->height};
    const Rect d = dst_rect ? *dst_rect : Rect{0, 0, dst->width, dst->height};
    if (!Valid(s) || !Inside(s, src->width, src->height)) return 0;
    Rect t;
    bool nothing;
    if (!Target(dst, d, &t, &nothing)) return 0;
    if (nothing) return 1;
    const bool keyed = (flags & Blt_Keysrc) != 0 && src->color_key >= 0;
    const uint8_t key = static_cast<uint8_t>(src->color_key);
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    const int w = t.right - t.left;
    if (sw == dw && sh == dh) {
        for (int y = t.top; y < t.bottom; ++y) {
            const uint8_t* from = src->pixels +
                                  static_cast<size_t>(s.top + y - d.top) * src->pitch +
                                  (s.left + t.left - d.left);
            uint8_t* to = dst->pixels + static_cast<size_t>(y) * dst->pitch + t.left;
            // A row without the key colour is copied whole.
            if (!keyed || std::memchr(from, key, static_cast<size_t>(w)) == nullptr) {
                std::memcpy(to, from, static_cast<size_t>(w));
                continue;
            }
            for (int x = 0; x < w; ++x)
                if (from[x] != key) to[x] = from[x];
        }
        return 1;
    }
    // Scaled: each destination pixel takes the source pixel its place maps to,
    // measured in the whole (unclipped) destination rectangle. The column map is
    // worked out once per copy.
    int columns[2048];
    const bool mapped = w <= 2048;
    if (mapped)
        for (int x = 0; x < w; ++x)
            columns[x] =
                s.left + static_cast<int>((static_cast<int64_t>(t.left + x - d.left) * sw) / dw);
    for (int y = t.top; y < t.bottom; ++y) {
        const int sy = s.top + static_cast<int>((static_cast<int64_t>(y - d.top) * sh) / dh);
        const uint8_t* row = src->pixels + static_cast<size_t>(sy) * src->pitch;
        uint8_t* to = dst->pixels + static_cast<size_t>(y) * dst->pitch + t.left;
        for (int x = 0; x < w; ++x) {
            const int sx =
                mapped
                    ? columns[x]
                    : s.left +
                          static_cast<int>((static_cast<int64_t>(t.left + x - d.left) * sw) / dw);
            const uint8_t p = row[sx];
            if (!keyed || p != key) to[x] = p;
        }
    }
    return 1;
}
