// The art generator's drawing surface: an 8-bit picture in the game's palette with
// the few primitives the pictures are made of, a seeded random source, and BMP
// output in the layout the game's reader expects.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace art {

// A small deterministic generator: the same seed draws the same picture anywhere.
struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t Next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s >> 11);
    }
    int Range(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    double Unit() { return (Next() & 0xFFFFFF) / 16777216.0; }
};

// Smooth value noise in 0..1, periodic with the given period (for tileable art).
double Noise(double x, double y, int period, uint32_t seed);
// Sum of octaves of Noise.
double Fractal(double x, double y, int period, int octaves, uint32_t seed);

struct Canvas {
    int w, h;
    std::vector<uint8_t> px;
    Canvas(int w_, int h_, uint8_t fill = 0)
        : w(w_), h(h_), px(static_cast<size_t>(w_) * h_, fill) {}
    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    uint8_t Get(int x, int y) const { return In(x, y) ? px[static_cast<size_t>(y) * w + x] : 0; }
    void Set(int x, int y, uint8_t c) {
        if (In(x, y)) px[static_cast<size_t>(y) * w + x] = c;
    }
    void Fill(int x, int y, int fw, int fh, uint8_t c) {
        for (int j = y; j < y + fh; ++j)
            for (int i = x; i < x + fw; ++i) Set(i, j, c);
    }
    void Frame(int x, int y, int fw, int fh, uint8_t c) {
        for (int i = x; i < x + fw; ++i) Set(i, y, c), Set(i, y + fh - 1, c);
        for (int j = y; j < y + fh; ++j) Set(x, j, c), Set(x + fw - 1, j, c);
    }
    void Paste(const Canvas& c, int x, int y, bool keyed = true) {
        for (int j = 0; j < c.h; ++j)
            for (int i = 0; i < c.w; ++i) {
                uint8_t p = c.Get(i, j);
                if (!keyed || p != 0) Set(x + i, y + j, p);
            }
    }
    void Line(int x0, int y0, int x1, int y1, uint8_t c) {
        int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
        for (;;) {
            Set(x0, y0, c);
            if (x0 == x1 && y0 == y1) return;
            int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += sx;
            if (e2 <= dx) err += dx, y0 += sy;
        }
    }
};

// Writes the picture as an 8-bit bottom-up BMP with the palette as its colour
// table and biSizeImage = padded row length * height.
void Write_Bmp(const std::string& path, const Canvas& c, const uint8_t palette[1024]);

}  // namespace art
