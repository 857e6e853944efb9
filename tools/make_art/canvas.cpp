// Noise for textures and BMP output for the art generator.
#include "canvas.h"

#include <cstdio>
#include <cstdlib>

namespace art {

namespace {
double Lattice(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0;
}
double Smooth(double t) {
    return t * t * (3 - 2 * t);
}
int Wrap(int v, int p) {
    return ((v % p) + p) % p;
}
}  // namespace

double Noise(double x, double y, int period, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = Smooth(x - x0), fy = Smooth(y - y0);
    auto L = [&](int i, int j) { return Lattice(Wrap(i, period), Wrap(j, period), seed); };
    const double a = L(x0, y0) + (L(x0 + 1, y0) - L(x0, y0)) * fx;
    const double b = L(x0, y0 + 1) + (L(x0 + 1, y0 + 1) - L(x0, y0 + 1)) * fx;
    return a + (b - a) * fy;
}

double Fractal(double x, double y, int period, int octaves, uint32_t seed) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * Noise(x, y, period, seed + o * 101);
        norm += amp;
        amp *= 0.5;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / norm;
}

void Write_Bmp(const std::string& path, const Canvas& c, const uint8_t palette[1024]) {
    const int row = (c.w + 3) & ~3;
    std::vector<uint8_t> out(1078 + static_cast<size_t>(row) * c.h, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 1078);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(c.w));
    put32(22, static_cast<uint32_t>(c.h));
    out[26] = 1;
    out[28] = 8;
    put32(34, static_cast<uint32_t>(row * c.h));
    put32(38, 2835);
    put32(42, 2835);
    put32(46, 256);
    put32(50, 256);
    for (int i = 0; i < 256; ++i) {
        out[54 + 4 * i] = palette[4 * i + 2];
        out[54 + 4 * i + 1] = palette[4 * i + 1];
        out[54 + 4 * i + 2] = palette[4 * i];
    }
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            uint8_t p = c.px[static_cast<size_t>(y) * c.w + x];
            if (p >= 248) {
                std::fprintf(stderr, "make_art: %s uses index %d at (%d, %d)\n", path.c_str(), p, x,
                             y);
                std::exit(1);
            }
            out[1078 + static_cast<size_t>(c.h - 1 - y) * row + x] = p;
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(out.data(), 1, out.size(), f) != out.size()) {
        std::fprintf(stderr, "make_art: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(f);
}

}  // namespace art
