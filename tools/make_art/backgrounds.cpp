// The 133 board backgrounds: calm, dim scenes in nine themes (starry skies, dunes,
// the sea, mosaics, olive groves, old stone, clouds, stained glass, arches), each
// picture its own variation.
#include <algorithm>
#include <cmath>

#include "palette.h"
#include "pieces.h"

namespace art {

namespace {

constexpr int S = 128;
int Clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
// Backgrounds use only the dark half of a ramp.
uint8_t Dim(int ramp, double v) {
    return Tone(ramp, Clamp(static_cast<int>(v * 4.0), 0, 3));
}

void Starry(Canvas& c, Rng& rng, int v) {
    const int ramp = v % 2 ? R_NIGHT : R_INDIGO;
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const double n = Fractal(x / 32.0, y / 32.0, 4, 3, 100 + v);
            c.Set(x, y, Dim(ramp, 0.15 + y / 400.0 + 0.3 * n));
        }
    const int stars = 40 + rng.Range(60);
    for (int s = 0; s < stars; ++s) {
        const int x = rng.Range(S), y = rng.Range(S);
        // Each draw in a statement of its own: the order must not depend on the compiler.
        const int ramp = rng.Range(5) == 0 ? R_PALE_GOLD : R_CLOUD;
        const int level = 2 + rng.Range(3);
        c.Set(x, y, Tone(ramp, level));
    }
    if (v % 3 == 0) {  // a thin moon
        const int mx = 20 + rng.Range(88), my = 16 + rng.Range(30);
        for (int j = -9; j <= 9; ++j)
            for (int i = -9; i <= 9; ++i)
                if (i * i + j * j <= 64 && (i - 3) * (i - 3) + (j - 2) * (j - 2) > 49)
                    c.Set(mx + i, my + j, Tone(R_PALE_GOLD, 3));
    }
}

void Dunes(Canvas& c, Rng& rng, int v) {
    const double phase = rng.Unit() * 6.28, amp = 6 + rng.Range(8);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const double sky = y < 40 + v % 20;
            if (sky) {
                c.Set(x, y, Dim(v % 2 ? R_DUSK : R_SKY, 0.25 + y / 300.0));
                continue;
            }
            const double ridge =
                std::sin(x / 18.0 + phase + y / 9.0) * amp + std::sin(x / 7.0 + y / 13.0) * 2;
            const double n = Fractal(x / 16.0, y / 16.0, 8, 2, 200 + v);
            c.Set(x, y, Dim(R_SAND, 0.25 + 0.25 * std::sin((y + ridge) / 6.0) + 0.2 * n));
        }
}

void Sea(Canvas& c, Rng& rng, int v) {
    const int horizon = 30 + rng.Range(40);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            if (y < horizon) {
                const double n = Fractal(x / 24.0, y / 12.0, 6, 3, 300 + v);
                c.Set(x, y, Dim(v % 3 == 1 ? R_DUSK : R_CLOUD, 0.2 + 0.5 * n));
                continue;
            }
            const double d = (y - horizon) / static_cast<double>(S - horizon);
            const double wave = std::sin(x / (3.0 + 6 * d) + y * 1.3 + v) * 0.5 + 0.5;
            c.Set(x, y, Dim(R_SEA, 0.3 + 0.35 * wave * (1 - d) + 0.3 * d));
        }
}

void Mosaic(Canvas& c, Rng& rng, int v) {
    const int cell = 6 + rng.Range(5);
    const int ramps[4] = {R_MOSAIC, R_TERRACOTTA, R_SEA, R_SAND};
    for (int ty = 0; ty < S; ty += cell)
        for (int tx = 0; tx < S; tx += cell) {
            // A pattern of rings and diagonals decides each tile's colour.
            const int cx = tx / cell - S / cell / 2, cy = ty / cell - S / cell / 2;
            const int ring = static_cast<int>(std::sqrt(cx * cx + cy * cy)) + v;
            const int ramp = ramps[(ring + (v % 2 ? std::abs(cx - cy) : 0)) % 4];
            const double shade = 0.35 + 0.35 * rng.Unit();
            for (int j = 0; j < cell; ++j)
                for (int i = 0; i < cell; ++i) {
                    const bool grout = i == cell - 1 || j == cell - 1;
                    c.Set(tx + i, ty + j, grout ? Tone(R_STONE, 0) : Dim(ramp, shade));
                }
        }
}

void Olive_Grove(Canvas& c, Rng& rng, int v) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const double hill = 50 + 12 * std::sin(x / 20.0 + v) + 6 * std::sin(x / 9.0);
            if (y < hill)
                c.Set(x, y, Dim(v % 2 ? R_SKY : R_DUSK, 0.2 + y / 350.0));
            else
                c.Set(x, y, Dim(R_OLIVE, 0.2 + 0.3 * Fractal(x / 10.0, y / 10.0, 13, 2, 400 + v)));
        }
    const int trees = 5 + rng.Range(5);
    for (int t = 0; t < trees; ++t) {
        const int tx = rng.Range(S), ty = 60 + rng.Range(60), r = 6 + rng.Range(6);
        for (int j = 0; j < r; ++j)
            c.Set(tx, ty + j, Tone(R_WALNUT, 1)), c.Set(tx + 1, ty + j, Tone(R_WALNUT, 1));
        for (int j = -r; j <= r / 2; ++j)
            for (int i = -r - 2; i <= r + 2; ++i) {
                const double d = (i * i) / double((r + 2) * (r + 2)) + (j * j) / double(r * r);
                if (d < 1 && Noise((tx + i) / 3.0, (ty + j) / 3.0, 64, 401 + t) > 0.3)
                    c.Set(tx + i, ty + j, Dim(R_OLIVE, 0.3 + 0.4 * (j < 0)));
            }
    }
}

void Old_Stone(Canvas& c, Rng& rng, int v) {
    const int bh = 10 + rng.Range(8), bw = 20 + rng.Range(14);
    const int ramp = v % 3 == 0 ? R_SAND : (v % 3 == 1 ? R_STONE : R_TERRACOTTA);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const int row = y / bh, shift = (row % 2) * bw / 2;
            const bool joint = y % bh == 0 || (x + shift) % bw == 0;
            const double n = Fractal(x / 8.0, y / 8.0, 16, 3, 500 + v);
            const double block = Noise(static_cast<double>((x + shift) / bw), row, 64, 501 + v);
            c.Set(x, y, joint ? Tone(ramp, 0) : Dim(ramp, 0.2 + 0.25 * n + 0.25 * block));
        }
}

void Clouds(Canvas& c, Rng&, int v) {
    const int ramp = v % 2 ? R_CLOUD : R_DUSK;
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const double n = Fractal(x / 32.0, y / 24.0, 4, 4, 600 + v);
            c.Set(x, y, Dim(ramp, 0.1 + 0.7 * n * n + y / 600.0));
        }
}

void Stained_Glass(Canvas& c, Rng& rng, int v) {
    struct Seed {
        int x, y, ramp;
    };
    Seed seeds[24];
    const int jewels[6] = {R_RUBY_DARK, R_SAPPHIRE, R_EMERALD, R_AMETHYST, R_TOPAZ, R_TURQUOISE};
    const int n = 14 + rng.Range(10);
    for (int i = 0; i < n; ++i) seeds[i] = {rng.Range(S), rng.Range(S), jewels[(i + v) % 6]};
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            int best = 0, second = 1 << 30, best_d = 1 << 30;
            for (int i = 0; i < n; ++i) {
                // Distances wrap so the glass has no seam.
                int dx = std::abs(x - seeds[i].x), dy = std::abs(y - seeds[i].y);
                dx = std::min(dx, S - dx);
                dy = std::min(dy, S - dy);
                const int d = dx * dx + dy * dy;
                if (d < best_d)
                    second = best_d, best_d = d, best = i;
                else if (d < second)
                    second = d;
            }
            const bool lead = std::sqrt(second) - std::sqrt(best_d) < 1.4;
            c.Set(x, y,
                  lead ? Tone(R_GREY, 0)
                       : Dim(seeds[best].ramp, 0.25 + 0.2 * Noise(x / 9.0, y / 9.0, 128, 700 + v)));
        }
}

void Arches(Canvas& c, Rng& rng, int v) {
    const int span = 32 + 16 * rng.Range(2);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const int cx = x % span - span / 2;
            const int top = 40 + v % 16;
            const bool opening =
                std::abs(cx) < span / 2 - 5 &&
                (y > top || cx * cx + (y - top) * (y - top) < (span / 2 - 5) * (span / 2 - 5));
            if (opening)
                c.Set(x, y, Dim(v % 2 ? R_NIGHT : R_SKY, 0.15 + y / 500.0));
            else
                c.Set(x, y, Dim(R_SAND, 0.25 + 0.25 * Fractal(x / 6.0, y / 6.0, 21, 2, 800 + v)));
        }
}

}  // namespace

Canvas Make_Background(int number) {
    Canvas c(S, S);
    Rng rng(static_cast<uint64_t>(number) * 7919);
    const int theme = (number - 1) % 9, variant = (number - 1) / 9;
    switch (theme) {
        case 0:
            Starry(c, rng, variant);
            break;
        case 1:
            Dunes(c, rng, variant);
            break;
        case 2:
            Sea(c, rng, variant);
            break;
        case 3:
            Mosaic(c, rng, variant);
            break;
        case 4:
            Olive_Grove(c, rng, variant);
            break;
        case 5:
            Old_Stone(c, rng, variant);
            break;
        case 6:
            Clouds(c, rng, variant);
            break;
        case 7:
            Stained_Glass(c, rng, variant);
            break;
        default:
            Arches(c, rng, variant);
            break;
    }
    // Index 0 would show as the transparent colour nowhere here, but keep the
    // pictures free of it all the same: the board copies them without a key.
    for (uint8_t& p : c.px)
        if (p == 0) p = Tone(R_GREY, 0);
    return c;
}

}  // namespace art
