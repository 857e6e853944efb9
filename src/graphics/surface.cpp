// Rectangle copies and fills on 8-bit surfaces, with the back buffer's clipping.
#include "graphics/surface.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <new>

namespace {

const Surface_Keeper* Keeper = nullptr;

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

// One row of a keyed copy: every source byte but the key replaces the destination
// byte. Sixteen (or eight) bytes at a time with a compare-and-blend the compiler
// turns into vector instructions on any machine; a row's last bytes are blended
// with the ones before them again, which leaves those as they were.
typedef uint8_t V16 __attribute__((vector_size(16)));
typedef uint8_t V8 __attribute__((vector_size(8)));

template <typename V>
inline void Keyed_Piece(uint8_t* to, const uint8_t* from, V keys) {
    V s, d;
    std::memcpy(&s, from, sizeof s);
    std::memcpy(&d, to, sizeof d);
    const V hole = (V)(s == keys);  // 0xFF where the source is transparent
    d = (d & hole) | (s & ~hole);
    std::memcpy(to, &d, sizeof d);
}

void Keyed_Row(uint8_t* to, const uint8_t* from, int w, uint8_t key) {
    if (w >= 16) {
        const V16 keys = V16{} + key;
        int x = 0;
        for (; x + 16 <= w; x += 16) Keyed_Piece(to + x, from + x, keys);
        if (x < w) Keyed_Piece(to + w - 16, from + w - 16, keys);
    } else if (w >= 8) {
        const V8 keys = V8{} + key;
        Keyed_Piece(to, from, keys);
        Keyed_Piece(to + w - 8, from + w - 8, keys);
    } else {
        for (int x = 0; x < w; ++x)
            if (from[x] != key) to[x] = from[x];
    }
}

}  // namespace

void Surface_Set_Keeper(const Surface_Keeper* keeper) {
    Keeper = keeper;
}

void Surface_Changing(Surface* s) {
    if (Keeper != nullptr) Keeper->changing(s);
    s->content = 0;
    s->opaque_known = false;
    s->opaque_parts.clear();
}

Surface* Surface_Create(int width, int height) {
    Surface* s = Surface_Create_Plain(width, height);
    if (s != nullptr) s->color_key = 0;
    return s;
}

int Surface_Clear(Surface* s) {
    return s != nullptr ? Surface_Fill(s, nullptr, 0) : 0;
}

uint8_t* Surface_Lock(Surface* s, int32_t* pitch) {
    if (s == nullptr) return nullptr;
    Surface_Changing(s);
    if (pitch != nullptr) *pitch = s->pitch;
    return s->pixels;
}

int Surface_Unlock(Surface* s) {
    return s != nullptr ? 1 : 0;
}

void Surface_Release(Surface*& s) {
    Surface_Destroy(s);
    s = nullptr;
}

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
    Surface_Changing(s);
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
    if (Keeper != nullptr && Keeper->keeps(dst)) {
        Keeper->keep_fill(t, index);
        return 1;
    }
    Surface_Changing(dst);
    Fill_Pixels(dst, t, index);
    return 1;
}

void Fill_Pixels(Surface* dst, const Rect& t, uint8_t index) {
    for (int y = t.top; y < t.bottom; ++y)
        std::memset(dst->pixels + static_cast<size_t>(y) * dst->pitch + t.left, index,
                    static_cast<size_t>(t.right - t.left));
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
    if (Keeper != nullptr && Keeper->keeps(dst)) {
        Keeper->keep_blt(t, d, src, s, keyed);
        return 1;
    }
    if (Keeper != nullptr) Keeper->reading(src);
    Surface_Changing(dst);
    Blt_Pixels(dst, t, d, src, s, keyed);
    return 1;
}

namespace {

// The last large picture enlarged without a key (the board's background): kept
// whole, so that drawing any part of it again is a copy of rows.
struct Enlarged {
    uint64_t content = 0;
    Rect s = {0, 0, 0, 0};
    int w = 0, h = 0;
    Surface* pixels = nullptr;
} Cache;

// Copies rows from src, scaled by nearest neighbour when the sizes differ.
void Copy_Rows(Surface* dst, const Rect& t, const Rect& d, const Surface* src, const Rect& s,
               bool keyed) {
    const uint8_t key = static_cast<uint8_t>(src->color_key);
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    const int w = t.right - t.left;
    if (sw == dw && sh == dh) {
        const ptrdiff_t from_pitch = src->pitch, to_pitch = dst->pitch;
        const uint8_t* from =
            src->pixels + (s.top + t.top - d.top) * from_pitch + (s.left + t.left - d.left);
        uint8_t* to = dst->pixels + t.top * to_pitch + t.left;
        for (int y = t.top; y < t.bottom; ++y, from += from_pitch, to += to_pitch) {
            if (keyed)
                Keyed_Row(to, from, w, key);
            else
                std::memcpy(to, from, static_cast<size_t>(w));
        }
        return;
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
    int last_sy = -1;
    for (int y = t.top; y < t.bottom; ++y) {
        const int sy = s.top + static_cast<int>((static_cast<int64_t>(y - d.top) * sh) / dh);
        const uint8_t* row = src->pixels + static_cast<size_t>(sy) * src->pitch;
        uint8_t* to = dst->pixels + static_cast<size_t>(y) * dst->pitch + t.left;
        // Enlarged without a key, a row that comes from the same source row as the
        // one above is that row again.
        if (!keyed && sy == last_sy) {
            std::memcpy(to, to - dst->pitch, static_cast<size_t>(w));
            continue;
        }
        last_sy = sy;
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
}

}  // namespace

void Blt_Pixels(Surface* dst, const Rect& t, const Rect& d, const Surface* src, const Rect& s,
                bool keyed) {
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    if ((sw != dw || sh != dh) && !keyed && dw * dh >= 64 * 64 && dw <= 1024 && dh <= 1024) {
        const uint64_t content = Surface_Content(src);
        if (Cache.pixels == nullptr || Cache.content != content || Cache.w != dw || Cache.h != dh ||
            std::memcmp(&Cache.s, &s, sizeof s) != 0) {
            Surface_Destroy(Cache.pixels);
            Cache = Enlarged{content, s, dw, dh, Surface_Create_Plain(dw, dh)};
            if (Cache.pixels != nullptr)
                Copy_Rows(Cache.pixels, Rect{0, 0, dw, dh}, Rect{0, 0, dw, dh}, src, s, false);
        }
        if (Cache.pixels != nullptr) {
            Rows_Copy(dst->pixels + static_cast<size_t>(t.top) * dst->pitch + t.left, dst->pitch,
                      Cache.pixels->pixels +
                          static_cast<size_t>(t.top - d.top) * Cache.pixels->pitch +
                          (t.left - d.left),
                      Cache.pixels->pitch, t.right - t.left, t.bottom - t.top);
            return;
        }
    }
    Copy_Rows(dst, t, d, src, s, keyed);
}

uint64_t Surface_Content(const Surface* s) {
    if (s->content != 0) return s->content;
    uint64_t h = (uint64_t(uint32_t(s->width)) << 32 | uint32_t(s->height)) ^
                 (uint64_t(uint32_t(s->color_key)) * 0x9E3779B97F4A7C15ULL);
    for (int y = 0; y < s->height; ++y) {
        const uint8_t* row = s->pixels + static_cast<size_t>(y) * s->pitch;
        int x = 0;
        for (; x + 8 <= s->width; x += 8) {
            uint64_t v;
            std::memcpy(&v, row + x, 8);
            h = (h ^ v) * 0x100000001B3ULL;
            h ^= h >> 29;
        }
        for (; x < s->width; ++x) h = (h ^ row[x]) * 0x100000001B3ULL;
    }
    s->content = h | 1;
    return s->content;
}

namespace {

Rect Find_Opaque(const Surface* s, const Rect& part) {
    Rect r{part.right, part.bottom, part.left, part.top};
    for (int y = part.top; y < part.bottom; ++y) {
        const uint8_t* row = s->pixels + static_cast<size_t>(y) * s->pitch;
        for (int x = part.left; x < part.right; ++x)
            if (s->color_key < 0 || row[x] != s->color_key) {
                if (x < r.left) r.left = x;
                if (x >= r.right) r.right = x + 1;
                if (y < r.top) r.top = y;
                r.bottom = y + 1;
            }
    }
    return r.left < r.right ? r : Rect{0, 0, 0, 0};
}

}  // namespace

Rect Surface_Opaque_In(const Surface* s, const Rect& part) {
    // The whole surface (a sprite drawn whole, most copies) has a place of its own.
    if (part.left == 0 && part.top == 0 && part.right == s->width && part.bottom == s->height) {
        if (!s->opaque_known) s->opaque = Find_Opaque(s, part);
        s->opaque_known = true;
        return s->opaque;
    }
    uint64_t key = 0;
    for (int32_t v : {part.left, part.top, part.right, part.bottom})
        key = key << 16 | static_cast<uint16_t>(v);
    const auto known = s->opaque_parts.find(key);
    if (known != s->opaque_parts.end()) return known->second;
    const Rect r = Find_Opaque(s, part);
    s->opaque_parts.emplace(key, r);
    return r;
}

void Rows_Copy(uint8_t* dst, int dst_pitch, const uint8_t* src, int src_pitch, int width,
               int rows) {
    for (int r = 0; r < rows; ++r)
        std::memcpy(dst + static_cast<ptrdiff_t>(r) * dst_pitch,
                    src + static_cast<ptrdiff_t>(r) * src_pitch, static_cast<size_t>(width));
}
