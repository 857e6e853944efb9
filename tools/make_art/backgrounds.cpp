// The 133 board backgrounds: forty-four scenes of the lands and pages of the Bible,
// each drawn for a picture seen three times enlarged (clean shapes, calm dithered
// gradients, no noise), in three looks: by day, at dusk and by night, each from a
// viewpoint of its own. Neighbours in the archive are different scenes.
#include <algorithm>
#include <cmath>
#include <vector>

#include "palette.h"
#include "pieces.h"

namespace art {

namespace {

constexpr int S = 128;
constexpr double Pi = 3.14159265358979323846;

// One look of a scene: the time of day, a viewpoint (the horizon moved, the
// picture seen from the other side) and the scene's own random draws.
struct Look {
    int time;   // 0 day, 1 dusk, 2 night
    int shift;  // how far the horizon and the main shapes move
    bool mirror;
    Rng rng;
    double Dark() const { return time == 0 ? 0.0 : time == 1 ? 0.45 : 1.0; }
};

// A 4 x 4 ordered dither: gradients are steps of the ramp, evenly mixed.
double Bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0;
}

// The ramp's shade for a level, dithered.
uint8_t Dither(int ramp, double level, int x, int y) {
    level = std::clamp(level, 0.0, 4.2);
    return Tone(ramp, static_cast<int>(level + Bayer(x, y)));
}

// Where the light of a picture falls: a soft pool around a point of its own, the
// rest a little darker. Every shade is drawn under it.
struct Pool {
    double x = 64, y = 64;
    double Lift(int px, int py) const {
        const double d2 = (px - x) * (px - x) + (py - y) * (py - y);
        return 1.4 * std::exp(-d2 / (2 * 32.0 * 32.0)) - 0.55;
    }
} Light;

// The stones' foil: no shade of a scene is lighter than this (relative luminance),
// but a highlight asked for above level 3.5 (a star, a flame).
constexpr double Brightest = 0.062;

// The ramps whose dark half is dim enough to use whole, standing in for the light
// ones of a scene's big shapes (a sky, sand, gold, cloud), so that every scene keeps
// four steps of shade under the stones.
int Dim_Ramp(int ramp) {
    switch (ramp) {
        case R_SKY:
        case R_SAPPHIRE:
            return R_INDIGO;
        case R_SAND:
        case R_GOLD:
            return R_WALNUT;
        case R_AMBER:
        case R_TOPAZ:
        case R_PALE_GOLD:
            return R_TERRACOTTA;
        case R_CLOUD:
        case R_PEARL:
            return R_STONE;
        case R_EMERALD:
            return R_FOREST;
        case R_TURQUOISE:
            return R_MOSAIC;
        case R_AMETHYST:
            return R_NIGHT;
        default:
            return ramp;
    }
}

// A shade of a scene at (x, y): levels 0 .. 3 in the light of the picture, light
// ramps standing in by dim ones and no shade lighter than Brightest; a highlight
// asked for above level 3.5 (a star, a flame) keeps its ramp and its light.
uint8_t Shade(int ramp, double level, int x, int y) {
    static uint8_t palette[1024];
    static bool made = false;
    if (!made) {
        Build_Palette(palette);
        made = true;
    }
    if (level > 3.5) return Dither(ramp, level, x, y);
    ramp = Dim_Ramp(ramp);
    uint8_t p = Dither(ramp, level + Light.Lift(x, y), x, y);
    for (int down = static_cast<int>(level + 1.5); down > 0 && Luminance(palette, p) > Brightest;
         --down)
        p = Tone(ramp, down - 1);
    return p;
}

void Put(Canvas& c, int x, int y, int ramp, double level) {
    c.Set(x, y, Shade(ramp, level, x, y));
}

void Box(Canvas& c, int x0, int y0, int x1, int y1, int ramp, double level) {
    for (int y = std::max(y0, 0); y < std::min(y1, S); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, S); ++x) Put(c, x, y, ramp, level);
}

void Ellipse(Canvas& c, double cx, double cy, double rx, double ry, int ramp, double level) {
    for (int y = static_cast<int>(cy - ry) - 1; y <= cy + ry + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= cx + rx + 1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1) Put(c, x, y, ramp, level);
        }
}

// A filled polygon (even-odd rule, pixel centres).
void Poly(Canvas& c, std::vector<std::pair<double, double>> p, int ramp, double level) {
    for (int y = 0; y < S; ++y) {
        const double yc = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < p.size(); ++i) {
            const auto [x0, y0] = p[i];
            const auto [x1, y1] = p[(i + 1) % p.size()];
            if ((y0 <= yc && y1 > yc) || (y1 <= yc && y0 > yc))
                xs.push_back(x0 + (yc - y0) * (x1 - x0) / (y1 - y0));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x + 0.5 < xs[i + 1]; ++x)
                Put(c, x, y, ramp, level);
    }
}

void Thick_Line(Canvas& c, double x0, double y0, double x1, double y1, double w, int ramp,
                double level) {
    const double len = std::hypot(x1 - x0, y1 - y0);
    if (len <= 0) return;
    const double nx = -(y1 - y0) / len * w / 2, ny = (x1 - x0) / len * w / 2;
    Poly(c, {{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}}, ramp,
         level);
}

// The sky down to the horizon: light towards the horizon by day, warm at dusk,
// dark with stars by night.
void Sky(Canvas& c, Look& l, int horizon) {
    const int ramp = l.time == 0 ? R_SKY : l.time == 1 ? R_DUSK : R_NIGHT;
    const double top = l.time == 0 ? 1.0 : l.time == 1 ? 0.6 : 0.1;
    const double low = l.time == 0 ? 2.7 : l.time == 1 ? 2.6 : 1.2;
    for (int y = 0; y < std::min(horizon, S); ++y)
        for (int x = 0; x < S; ++x)
            Put(c, x, y, ramp, top + (low - top) * y / std::max(horizon, 1));
    if (l.time == 2)
        for (int i = 0; i < 28; ++i) {
            const int x = l.rng.Range(S), y = l.rng.Range(std::max(horizon - 8, 1));
            c.Set(x, y, Tone(R_CLOUD, 3 + l.rng.Range(2)));
        }
}

// Land below a line y = f(x), a gradient from its top down.
template <typename F>
void Land(Canvas& c, const Look& l, F f, int ramp, double top, double bottom) {
    for (int x = 0; x < S; ++x) {
        const int from = std::max(0, static_cast<int>(f(x)));
        for (int y = from; y < S; ++y)
            Put(c, x, y, ramp, top + (bottom - top) * (y - from) / (S - from + 1.0) - l.Dark());
    }
}

double Hill(int x, double base, double amp, double width, double phase) {
    return base - amp * std::exp(-std::pow((x - phase) / width, 2));
}

void Disc_Light(Canvas& c, const Look& l, double x, double y, double r) {
    // The sun by day and at dusk, the moon by night.
    Ellipse(c, x, y, r, r, l.time == 2 ? R_CLOUD : R_PALE_GOLD, l.time == 1 ? 3.3 : 3.0);
}

void Mirror(Canvas& c) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S / 2; ++x) {
            const uint8_t a = c.Get(x, y);
            c.Set(x, y, c.Get(S - 1 - x, y));
            c.Set(S - 1 - x, y, a);
        }
}

double D(const Look& l) {
    return l.Dark();
}

// --- the scenes ------------------------------------------------------------------------

void Galilee_Boat(Canvas& c, Look& l) {
    const int h = 52 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int x) { return Hill(x, h, 14, 40, 30) + 2 * std::sin(x / 9.0); }, R_FOREST, 1.4,
        1.0);
    for (int y = h; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const bool ripple = (y - h) % 9 == 3 && (x + y * 3) % 23 < 9;
            Put(c, x, y, R_SEA, 2.2 - (y - h) / 60.0 + (ripple ? 0.8 : 0) - D(l));
        }
    const double bx = 70 + l.shift, by = h + 30;
    Poly(c, {{bx - 22, by}, {bx + 22, by}, {bx + 15, by + 9}, {bx - 15, by + 9}}, R_WALNUT,
         1.2 - D(l) / 2);
    Thick_Line(c, bx, by, bx, by - 34, 2, R_WALNUT, 0.8);
    Poly(c, {{bx + 1, by - 33}, {bx + 1, by - 4}, {bx + 20, by - 6}}, R_CLOUD, 2.4 - D(l));
}

void Jerusalem_Walls(Canvas& c, Look& l) {
    const int top = 56 + l.shift;
    Sky(c, l, top + 10);
    for (int t = 0; t < 3; ++t) {
        const int tx = 14 + t * 44 + l.rng.Range(6);
        Box(c, tx, top - 22, tx + 18, top + 10, R_SAND, 2.0 - D(l));
        for (int k = 0; k < 3; ++k)
            Box(c, tx + k * 7, top - 27, tx + k * 7 + 4, top - 22, R_SAND, 2.0 - D(l));
    }
    Box(c, 0, top, S, S, R_SAND, 1.7 - D(l));
    for (int x = 0; x < S; x += 8) Box(c, x, top - 5, x + 4, top, R_SAND, 1.7 - D(l));
    for (int y = top + 6; y < S; y += 7)
        for (int x = (y / 7) % 2 * 6; x < S; x += 12)
            Box(c, x, y, x + 1, y + 7, R_SAND, 0.8 - D(l));
    Ellipse(c, 64, top + 42, 11, 13, R_STONE, 0.2);
    Box(c, 53, top + 42, 75, S, R_STONE, 0.2);
}

void Desert_Tents(Canvas& c, Look& l) {
    const int h = 46 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int x) { return h + 6 * std::sin(x / 17.0 + l.time); }, R_SAND, 2.4, 1.4);
    for (int k = 0; k < 3; ++k) {
        const double x = 22 + k * 38 + l.rng.Range(8), y = h + 34 + (k % 2) * 16;
        const double w = 18 - k * 2;
        Poly(c, {{x - w, y}, {x, y - w * 0.9}, {x + w, y}}, R_WALNUT, 1.5 - D(l) / 2);
        Poly(c, {{x - 3, y}, {x, y - 8}, {x + 3, y}}, R_WALNUT, 0.2);
    }
}

void Sinai(Canvas& c, Look& l) {
    const int h = 60 + l.shift;
    Sky(c, l, h);
    Poly(c, {{-4, S}, {40 + l.shift, 22 + l.shift}, {58, 40}, {74, 16 + l.shift}, {132, S}},
         R_TERRACOTTA, 1.6 - D(l));
    Poly(c, {{74, 16 + l.shift}, {132, S}, {100, S}, {70, 40}}, R_TERRACOTTA, 0.8 - D(l) / 2);
    for (int i = 0; i < 40; ++i) Put(c, 60 + i / 2 + (i % 5), 60 + i, R_SAND, 2);
}

void Cedar(Canvas& c, double x, double y, double h, int ramp, double level) {
    for (int k = 0; k < 4; ++k) {
        const double ty = y - h * k / 4.5, w = h * (0.5 - k * 0.1);
        Poly(c, {{x - w, ty}, {x, ty - h * 0.3}, {x + w, ty}}, ramp, level + k * 0.15);
    }
    Box(c, static_cast<int>(x) - 1, static_cast<int>(y), static_cast<int>(x) + 2,
        static_cast<int>(y) + 6, R_WALNUT, 1.0);
}

void Cedars(Canvas& c, Look& l) {
    const int h = 40 + l.shift;
    Sky(c, l, h + 20);
    Poly(c, {{0, h + 10}, {128, h + 40}, {128, S}, {0, S}}, R_STONE, 1.6 - D(l));
    Poly(c, {{0, h + 34}, {128, h + 20}, {128, S}, {0, S}}, R_OLIVE, 1.3 - D(l));
    for (int k = 0; k < 4; ++k)
        Cedar(c, 18 + k * 30 + l.rng.Range(6), h + 70 + (k % 2) * 14, 44 - k * 4, R_FOREST,
              1.4 - D(l) / 2);
}

void Olive_Tree(Canvas& c, double x, double y, double r, double level) {
    Thick_Line(c, x, y, x - 2, y - r, 3, R_WALNUT, 1.0);
    Ellipse(c, x - 2, y - r - r * 0.5, r * 1.3, r * 0.8, R_OLIVE, level);
    Ellipse(c, x - 5, y - r - r * 0.8, r * 0.7, r * 0.5, R_OLIVE, level + 0.6);
}

void Olive_Grove(Canvas& c, Look& l) {
    const int h = 44 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int x) { return h + 4 * std::sin(x / 30.0); }, R_SAND, 1.8, 1.0);
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 4 - row % 2; ++k)
            Olive_Tree(c, 14 + k * 34 + row * 11, h + 30 + row * 26, 8 + row * 3, 1.4 - D(l));
}

void Vineyard(Canvas& c, Look& l) {
    const int h = 34 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_TERRACOTTA, 1.8, 1.2);
    // Rows running to a point on the horizon.
    const double vx = 64 + 3 * l.shift;
    for (int r = -6; r <= 6; ++r)
        Thick_Line(c, vx, h, vx + r * 30, S + 10, 4 + std::abs(r) * 0.6, R_FOREST, 1.6 - D(l));
    for (int k = 0; k < 20; ++k) {
        const int x = l.rng.Range(S), y = h + 30 + l.rng.Range(S - h - 30);
        Ellipse(c, x, y, 1.5, 2, R_AMETHYST, 1.6 - D(l) / 2);
    }
}

void Wheat_Field(Canvas& c, Look& l) {
    const int h = 58 + l.shift;
    Sky(c, l, h);
    Disc_Light(c, l, 96 - l.shift, h - 22, 9);
    Land(
        c, l, [&](int) { return h; }, R_GOLD, 1.2, 2.4);
    for (int x = 2; x < S; x += 5)
        for (int y = h + 6 + (x * 7) % 9; y < S; y += 11)
            Thick_Line(c, x, y, x + 1, y - 7, 1, R_GOLD, 2.6 - D(l));
    for (int k = 0; k < 3; ++k) {
        const double x = 20 + k * 40, y = h + 40 + (k % 2) * 12;
        Poly(c, {{x - 6, y}, {x - 2, y - 16}, {x + 2, y - 16}, {x + 6, y}}, R_GOLD, 3.0 - D(l));
    }
}

void Sheep(Canvas& c, double x, double y, double level) {
    Ellipse(c, x, y, 5, 3.2, R_PEARL, level);
    Ellipse(c, x + 5, y - 1, 2, 1.6, R_STONE, 0.6);
    c.Set(static_cast<int>(x) - 3, static_cast<int>(y) + 3, Tone(R_STONE, 0));
    c.Set(static_cast<int>(x) + 2, static_cast<int>(y) + 3, Tone(R_STONE, 0));
}

void Hills_Sheep(Canvas& c, Look& l) {
    const int h = 50 + l.shift;
    Sky(c, l, h + 10);
    Land(
        c, l, [&](int x) { return Hill(x, h + 16, 22, 34, 90); }, R_OLIVE, 1.2, 0.8);
    Land(
        c, l, [&](int x) { return Hill(x, h + 40, 18, 40, 20); }, R_FOREST, 1.8, 1.2);
    for (int k = 0; k < 7; ++k) {
        // Each draw in a statement of its own: the order must not depend on the compiler.
        const int x = 12 + l.rng.Range(104);
        const int y = h + 50 + l.rng.Range(S - h - 56);
        Sheep(c, x, y, 2.5 - D(l));
    }
}

void Jordan(Canvas& c, Look& l) {
    const int h = 30 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_OLIVE, 1.6, 1.0);
    for (int y = h; y < S; ++y) {
        const double t = (y - h) / double(S - h);
        const double cx = 64 + 30 * std::sin(t * 5 + l.shift * 0.1), w = 4 + t * 22;
        for (int x = static_cast<int>(cx - w); x < cx + w; ++x)
            Put(c, x, y, R_SEA, 2.0 + 0.6 * (1 - t) - D(l));
    }
    for (int k = 0; k < 30; ++k) {
        const int x = l.rng.Range(S), y = h + 10 + l.rng.Range(S - h - 10);
        if (c.Get(x, y) / 8 == R_SEA) continue;
        Thick_Line(c, x, y, x + 1, y - 6, 1, R_FOREST, 1.8 - D(l));
    }
}

void Bethlehem_Star(Canvas& c, Look& l) {
    Look night = l;
    night.time = 2;
    const int h = 78 + l.shift;
    Sky(c, night, h);
    const double sx = 40 + 40 * l.mirror, sy = 22;
    for (int k = 0; k < 4; ++k) {
        const double a = k * Pi / 4;
        Thick_Line(c, sx - 14 * std::cos(a), sy - 14 * std::sin(a), sx + 14 * std::cos(a),
                   sy + 14 * std::sin(a), k % 2 ? 1 : 2, R_PALE_GOLD, 3.2);
    }
    Ellipse(c, sx, sy, 3, 3, R_PALE_GOLD, 4);
    for (int k = 0; k < 8; ++k) {
        const int x = k * 16 + l.rng.Range(4), w = 10 + l.rng.Range(6), top = h - l.rng.Range(18);
        Box(c, x, top, x + w, S, R_STONE, 0.9 + l.time * 0.2);
        if (k % 3 == 1) Ellipse(c, x + w / 2.0, top, w / 2.0, 5, R_STONE, 0.9);
        Box(c, x + 3, top + 6, x + 5, top + 9, R_AMBER, 2.2);
    }
    Land(
        c, l, [&](int) { return h + 20; }, R_SAND, 0.8, 0.4);
}

void Lamp_Scroll(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_WALNUT, 0.5 + 0.9 * y / S - D(l) / 2);
    const int table = 84 + l.shift;
    Box(c, 0, table, S, S, R_WALNUT, 1.6 - D(l) / 2);
    Box(c, 0, table, S, table + 2, R_WALNUT, 2.4 - D(l) / 2);
    // The lamp and its glow.
    const double lx = 34;
    Ellipse(c, lx, table - 28, 22, 22, R_AMBER, 0.9);
    Poly(c, {{lx - 12, table}, {lx + 12, table}, {lx + 16, table - 8}, {lx - 8, table - 10}},
         R_TERRACOTTA, 1.6);
    Ellipse(c, lx + 12, table - 13, 2.5, 5, R_PALE_GOLD, 4);
    // The scroll, rolled at both ends.
    Box(c, 62, table - 10, 116, table - 2, R_SAND, 2.4);
    Ellipse(c, 62, table - 6, 4, 6, R_SAND, 1.6);
    Ellipse(c, 116, table - 6, 4, 6, R_SAND, 1.6);
    for (int k = 0; k < 4; ++k)
        Box(c, 70, table - 8 + k * 2, 108 - k * 5, table - 7 + k * 2, R_WALNUT, 1.2);
}

void Dove(Canvas& c, double x, double y, double s, double level) {
    Ellipse(c, x, y, 5 * s, 2.4 * s, R_PEARL, level);
    Poly(c, {{x - 2 * s, y}, {x + 3 * s, y - 10 * s}, {x + 5 * s, y - 1 * s}}, R_PEARL,
         level + 0.4);
    Ellipse(c, x + 5 * s, y - 1.5 * s, 2 * s, 1.8 * s, R_PEARL, level);
}

void Doves(Canvas& c, Look& l) {
    Sky(c, l, S);
    for (int k = 0; k < 3; ++k) {
        const double y = 30 + k * 24 + l.shift, x = 28 + k * 30;
        for (int i = 0; i < S; ++i)
            Put(c, i, static_cast<int>(y + 12 + 10 * std::sin(i / 20.0 + k)), R_CLOUD, 1.2);
        Dove(c, x + l.rng.Range(10), y, 1.4 - 0.2 * k, 2.6 - D(l));
    }
    Land(
        c, l, [&](int x) { return 112 + 4 * std::sin(x / 11.0); }, R_OLIVE, 1.4, 1.0);
}

void Nets(Canvas& c, Look& l) {
    const int h = 36 + l.shift;
    Sky(c, l, h);
    for (int y = h; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_SEA, 1.8 - (y - h) / 120.0 - D(l));
    // A net hung between two poles, its mesh in diamonds.
    const int top = h + 8;
    Box(c, 14, top - 6, 17, S, R_WALNUT, 1.2);
    Box(c, 110, top - 6, 113, S, R_WALNUT, 1.2);
    for (int y = top; y < S - 6; ++y)
        for (int x = 17; x < 110; ++x) {
            const int sag = static_cast<int>(6 * std::sin((x - 17) * Pi / 93));
            if (y < top + sag) continue;
            if ((x + y) % 9 == 0 || (x - y + 900) % 9 == 0) Put(c, x, y, R_SAND, 2.4 - D(l));
        }
    for (int x = 24; x < 108; x += 12)
        Ellipse(c, x, top + 6 * std::sin((x - 17) * Pi / 93) + 1, 2, 2, R_AMBER, 2.2);
}

void Potter(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_TERRACOTTA, 0.6 + 0.5 * x / S - D(l) / 2);
    for (int k = 0; k < 3; ++k) Box(c, 0, 20 + k * 20, 40, 22 + k * 20, R_WALNUT, 1.6);
    for (int k = 0; k < 5; ++k)
        Ellipse(c, 8 + k * 7, 14 + (k % 3) * 20, 3, 5, R_TERRACOTTA, 2.0 - D(l) / 2);
    const double wx = 80 + l.shift, wy = 100;
    Ellipse(c, wx, wy, 30, 7, R_WALNUT, 1.4);
    Box(c, static_cast<int>(wx) - 3, wy, static_cast<int>(wx) + 3, S, R_WALNUT, 0.8);
    Poly(c,
         {{wx - 10, wy - 2},
          {wx - 14, wy - 18},
          {wx - 8, wy - 30},
          {wx + 8, wy - 30},
          {wx + 14, wy - 18},
          {wx + 10, wy - 2}},
         R_TERRACOTTA, 2.4 - D(l) / 2);
    Box(c, static_cast<int>(wx) - 6, wy - 34, static_cast<int>(wx) + 6, wy - 30, R_TERRACOTTA, 2.0);
}

void Pillars(Canvas& c, Look& l) {
    const int h = 96 + l.shift / 2;
    Sky(c, l, h);
    Box(c, 0, 8, S, 20, R_STONE, 2.0 - D(l));
    for (int k = 0; k < 5; ++k) {
        const int x = 6 + k * 26;
        Box(c, x, 20, x + 12, h, R_STONE, 2.2 - D(l));
        Box(c, x + 2, 20, x + 4, h, R_STONE, 2.9 - D(l));
        Box(c, x - 2, 16, x + 14, 21, R_STONE, 2.6 - D(l));
        Box(c, x - 2, h - 4, x + 14, h, R_STONE, 1.8 - D(l));
    }
    Box(c, 0, h, S, S, R_STONE, 1.2 - D(l));
    for (int y = h + 4; y < S; y += 8) Box(c, 0, y, S, y + 1, R_STONE, 0.4);
}

void Rose_Window(Canvas& c, Look& l) {
    const int jewels[4] = {R_SAPPHIRE, R_RUBY_DARK, R_EMERALD, R_TOPAZ};
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const double dx = x + 0.5 - 64 - 2 * l.shift, dy = y + 0.5 - 64 - l.shift;
            const double r = std::hypot(dx, dy), a = std::atan2(dy, dx) + Pi;
            const int petals = 8 + 4 * l.time;
            const int sector = static_cast<int>(a / (2 * Pi) * petals);
            if (r > 58) {
                Put(c, x, y, R_STONE, 0.9 - D(l) / 3);
            } else if (r > 54 || (r > 20 && std::fmod(a, 2 * Pi / petals) < 0.06)) {
                c.Set(x, y, Tone(R_GREY, 0));  // the lead
            } else if (r < 12) {
                Put(c, x, y, R_TOPAZ, 2.2 - D(l) / 2);
            } else {
                const int ring = r < 34 ? 0 : 1;
                Put(c, x, y, jewels[(sector + ring * 2) % 4], 1.4 + ring * 0.6 - D(l) / 2);
            }
        }
}

void Lancet_Windows(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_STONE, 1.0 - D(l) / 2);
    const int jewels[3] = {R_SAPPHIRE, R_RUBY_DARK, R_AMETHYST};
    for (int k = 0; k < 3; ++k) {
        const int x0 = 10 + k * 40, w = 28, top = 14 + (k == 1 ? 0 : 12) + l.shift / 2;
        for (int y = top; y < 118; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const double cx = x + 0.5 - (x0 + w / 2.0), cy = y - (top + w / 2.0);
                if (y < top + w / 2 && cx * cx / (w * w / 4.0) + cy * cy / (w * w / 4.0) > 1)
                    continue;
                const bool lead =
                    (y - top) % 14 == 0 || std::abs(cx) < 0.6 || x == x0 || x == x0 + w - 1;
                if (lead)
                    c.Set(x, y, Tone(R_GREY, 0));
                else
                    Put(c, x, y, jewels[(k + (y - top) / 14) % 3],
                        1.8 + 0.8 * (y - top) / 104.0 - D(l) / 2);
            }
    }
}

void Mosaic_Fish(Canvas& c, Look& l) {
    const int ground = l.time == 0 ? R_SAND : l.time == 1 ? R_STONE : R_TERRACOTTA;
    const int t = 4 + l.time;  // the tesserae's size
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            c.Set(x, y,
                  (x % t == t - 1 || y % t == t - 1) ? Tone(ground, 0) : Shade(ground, 1.6, x, y));
    auto tile = [&](int x, int y, int ramp, double level) {
        const int tx = x / t * t, ty = y / t * t;
        for (int j = 0; j < t - 1; ++j)
            for (int i = 0; i < t - 1; ++i) Put(c, tx + i, ty + j, ramp, level);
    };
    // Two fish and a basket of loaves.
    for (int f = 0; f < 2; ++f) {
        const double fx = 40 + f * 46, fy = 30 + f * 18 + 3 * l.shift + 12 * l.time;
        for (int y = 0; y < S; y += t)
            for (int x = 0; x < S; x += t) {
                const double dx = (x - fx) / 22, dy = (y - fy) / 9;
                if (dx * dx + dy * dy < 1 ||
                    (x > fx + 18 && x < fx + 30 && std::abs(y - fy) < (x - fx - 16)))
                    tile(x, y, R_SEA, 2.5);
            }
    }
    for (int y = 0; y < S; y += t)
        for (int x = 0; x < S; x += t) {
            const double dx = (x - 64) / 34.0, dy = (y - 102) / 14.0;
            if (dx * dx + dy * dy < 1 && y > 96) tile(x, y, R_WALNUT, 2);
            for (int k = 0; k < 3; ++k) {
                const double lx = (x - 44 - k * 20) / 9.0, ly = (y - 92) / 6.0;
                if (lx * lx + ly * ly < 1) tile(x, y, R_GOLD, 2);
            }
        }
}

void Mosaic_Stars(Canvas& c, Look& l) {
    const int a = l.time == 2 ? R_INDIGO : R_MOSAIC, b = l.time == 1 ? R_TERRACOTTA : R_GOLD;
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const int cell = 24 + 8 * l.time, half = cell / 2;
            const int cx = (x + l.shift * 2 + 256) % cell - half, cy = (y + 256) % cell - half;
            const int ax = std::abs(cx), ay = std::abs(cy);
            const int r = half * 3 / 4, q = half / 2;
            const bool star = ax + ay < r || std::max(ax, ay) < q;  // an eight-pointed star
            const bool edge = ax + ay == r || std::max(ax, ay) == q;
            if (x % 3 == 2 && y % 3 == 2) {
                c.Set(x, y, Tone(R_STONE, 0));
                continue;
            }
            if (edge)
                c.Set(x, y, Tone(R_STONE, 1));
            else
                Put(c, x, y, star ? b : a, star ? 2.0 : 1.1);
        }
}

void Mosaic_Vine(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            c.Set(x, y,
                  (x % 3 == 2 || y % 3 == 2) ? Tone(R_STONE, 0)
                                             : Shade(R_STONE, 1.4 - D(l) / 2, x, y));
    for (int y = 0; y < S; ++y) {
        const double vx = 64 + 30 * std::sin(y / 14.0 + l.shift * 0.2);
        Box(c, static_cast<int>(vx) - 2, y, static_cast<int>(vx) + 2, y + 1, R_WALNUT, 2);
        if (y % 22 == 5) {
            const double side = (y / 22) % 2 ? 1 : -1;
            Ellipse(c, vx + side * 14, y + 4, 8, 5, R_FOREST, 2.2 - D(l) / 2);
            for (int k = 0; k < 6; ++k)
                Ellipse(c, vx + side * 10 + (k % 3) * 4 - 4, y + 12 + k / 3 * 4, 2, 2, R_AMETHYST,
                        2.0);
        }
    }
}

void Temple(Canvas& c, Look& l) {
    const int h = 100 + l.shift / 2;
    Sky(c, l, h);
    Poly(c, {{10, 36}, {64, 12}, {118, 36}}, R_SAND, 2.2 - D(l));
    Box(c, 14, 36, 114, 44, R_SAND, 2.5 - D(l));
    Box(c, 14, 44, 114, h - 12, R_SAND, 0.7 - D(l) / 2);
    for (int k = 0; k < 6; ++k) Box(c, 18 + k * 17, 44, 26 + k * 17, h - 12, R_SAND, 2.0 - D(l));
    for (int s = 0; s < 4; ++s)
        Box(c, 8 - s * 2, h - 12 + s * 4, 120 + s * 2, h - 8 + s * 4, R_SAND, 1.9 - s * 0.2 - D(l));
    Box(c, 0, h + 4, S, S, R_STONE, 1.0 - D(l));
}

void Palm(Canvas& c, double x, double y, double h, double level) {
    for (int k = 0; k < 12; ++k)
        Thick_Line(c, x + k * 0.4, y - h * k / 12, x + (k + 1) * 0.4, y - h * (k + 1) / 12, 3,
                   R_WALNUT, 1.2);
    const double tx = x + 5, ty = y - h;
    for (int f = 0; f < 6; ++f) {
        const double a = Pi * (0.1 + f * 0.16);
        Thick_Line(c, tx, ty, tx - 18 * std::cos(a), ty + 8 - 10 * std::sin(a) * (f % 2 ? 0.6 : 1),
                   3, R_FOREST, level);
    }
}

void Oasis(Canvas& c, Look& l) {
    const int h = 54 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int x) { return h + 3 * std::sin(x / 25.0); }, R_SAND, 2.3, 1.6);
    Ellipse(c, 74, h + 40, 34, 8, R_SEA, 2.0 - D(l));
    Palm(c, 30, h + 44, 40, 1.8 - D(l));
    Palm(c, 100, h + 30, 30, 1.6 - D(l));
    Ellipse(c, 50, h + 60, 8, 5, R_STONE, 1.6 - D(l));
    Ellipse(c, 50, h + 59, 5, 2, R_STONE, 0.2);
}

void Sheepfold(Canvas& c, Look& l) {
    const int h = 42 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_OLIVE, 1.6, 0.8);
    for (int x = 8; x < 120; x += 7)
        for (int r = 0; r < 3; ++r)
            Ellipse(c, x + (r % 2) * 3, h + 50 - r * 5, 4, 3, R_STONE, 1.6 + r * 0.3 - D(l));
    for (int k = 0; k < 5; ++k) Sheep(c, 20 + k * 20, h + 66 + (k % 2) * 8, 2.2 - D(l));
    Ellipse(c, 100, h + 24, 5, 5, R_AMBER, 2.6);  // a shepherd's fire
    Poly(c, {{100, h + 14}, {97, h + 24}, {103, h + 24}}, R_PALE_GOLD, 3.4);
}

void Storm_Sea(Canvas& c, Look& l) {
    for (int y = 0; y < 60 + l.shift; ++y)
        for (int x = 0; x < S; ++x)
            Put(c, x, y, R_CLOUD,
                1.4 + 0.8 * std::sin(x / 19.0 + y / 11.0) * std::sin(y / 9.0) - D(l));
    for (int y = 60 + l.shift; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            const double crest = std::sin(x / 12.0 - y / 4.0) * std::sin(x / 31.0);
            Put(c, x, y, R_SEA, 1.4 + 1.4 * std::max(0.0, crest) - D(l));
        }
    Poly(c, {{40, 92}, {80, 86}, {74, 96}, {46, 98}}, R_WALNUT, 1.0);
    Thick_Line(c, 60, 90, 62, 62, 2, R_WALNUT, 0.6);
}

void Sunrise_Hill(Canvas& c, Look& l) {
    const int h = 70 + l.shift;
    Sky(c, l, h);
    for (int k = 0; k < 9; ++k) {
        const double a = Pi * (1.05 + k * 0.11);
        Thick_Line(c, 64, h, 64 + 90 * std::cos(a), h + 90 * std::sin(a), 3,
                   l.time == 2 ? R_NIGHT : R_PALE_GOLD, 1.6 + 0.5 * (k % 2));
    }
    Disc_Light(c, l, 64, h, 14);
    Land(
        c, l, [&](int x) { return Hill(x, h + 6, 20, 50, 64); }, R_OLIVE, 1.4, 0.6);
    for (int k = 0; k < 6; ++k) Olive_Tree(c, 16 + k * 20, 96 + (k % 2) * 10, 5, 1.2 - D(l));
}

void Village(Canvas& c, Look& l) {
    const int h = 48 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h + 20; }, R_SAND, 1.4, 0.8);
    for (int k = 0; k < 12; ++k) {
        const int x = (k * 37) % 118, y = h + (k * 13) % 50, w = 14 + (k % 3) * 4,
                  hh = 12 + (k % 2) * 6;
        Box(c, x, y, x + w, y + hh, R_SAND, 2.4 - (k % 3) * 0.3 - D(l));
        Box(c, x + w, y + 2, x + w + 4, y + hh, R_SAND, 1.4 - D(l));
        Box(c, x + 4, y + hh - 6, x + 7, y + hh, R_WALNUT, 0.6);
        if (l.time == 2 && k % 2) Box(c, x + 9, y + 4, x + 11, y + 6, R_AMBER, 2.4);
    }
}

void Emmaus_Road(Canvas& c, Look& l) {
    const int h = 44 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int x) { return Hill(x, h + 10, 18, 30, 100); }, R_OLIVE, 1.6, 1.0);
    for (int y = h + 8; y < S; ++y) {
        const double t = (y - h - 8) / double(S - h - 8);
        const double cx = 64 + 24 * std::sin(t * 4), w = 1 + t * 16;
        for (int x = static_cast<int>(cx - w); x < cx + w; ++x) Put(c, x, y, R_SAND, 2.4 - D(l));
    }
    for (int k = 0; k < 2; ++k) {
        const double x = 58 + k * 8, y = h + 70;
        Box(c, static_cast<int>(x), static_cast<int>(y) - 12, static_cast<int>(x) + 4,
            static_cast<int>(y), R_WALNUT, 0.8);
        Ellipse(c, x + 2, y - 15, 2, 2, R_WALNUT, 0.8);
    }
}

void Burning_Bush(Canvas& c, Look& l) {
    const int h = 66 + l.shift;
    Sky(c, l, h - 20);
    Poly(c, {{-2, h - 20}, {50, h - 40}, {90, h - 24}, {130, h - 34}, {130, S}, {-2, S}},
         R_TERRACOTTA, 1.2 - D(l));
    Land(
        c, l, [&](int) { return h; }, R_SAND, 1.6, 0.9);
    const double bx = 64, by = h + 24;
    Ellipse(c, bx, by, 30, 20, R_AMBER, 0.9);
    Ellipse(c, bx, by, 16, 11, R_FOREST, 1.4);
    for (int k = 0; k < 7; ++k)
        Poly(c,
             {{bx - 14 + k * 4, by},
              {bx - 12 + k * 4, by - 18 - (k % 3) * 5},
              {bx - 10 + k * 4, by}},
             R_AMBER, 3.0);
}

void Ladder(Canvas& c, Look& l) {
    Look night = l;
    night.time = 2;
    Sky(c, night, S);
    for (int y = 0; y < 40; ++y)
        for (int x = 40; x < 88; ++x) Put(c, x, y, R_PALE_GOLD, 1.6 * (1 - y / 40.0) + 0.4);
    Thick_Line(c, 50 + 3 * l.shift, S, 58, 0, 2, R_PALE_GOLD, 2.4);
    Thick_Line(c, 78 + 3 * l.shift, S, 70, 0, 2, R_PALE_GOLD, 2.4);
    for (int y = 6; y < S; y += 10) {
        const double t = y / double(S);
        Thick_Line(c, 58 - 8 * t + l.shift * t, y, 70 + 8 * t + l.shift * t, y, 1.5, R_PALE_GOLD,
                   2.0);
    }
    Land(
        c, l, [&](int x) { return 110 + 5 * std::sin(x / 13.0); }, R_STONE, 0.8, 0.4);
}

void Ark_Rainbow(Canvas& c, Look& l) {
    const int h = 80 + l.shift;
    Sky(c, l, h);
    const int bands[5] = {R_RUBY_DARK, R_AMBER, R_TOPAZ, R_EMERALD, R_SAPPHIRE};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < S; ++x) {
            const double r = std::hypot(x - 64.0, y - h - 10.0);
            const int b = static_cast<int>((r - 62) / 4);
            if (b >= 0 && b < 5) Put(c, x, y, bands[b], 1.6 - D(l) / 2);
        }
    for (int y = h; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_SEA, 1.6 - D(l));
    Poly(c, {{24, h + 6}, {104, h + 6}, {92, h + 22}, {36, h + 22}}, R_WALNUT, 1.6 - D(l) / 2);
    Box(c, 44, h - 8, 84, h + 6, R_WALNUT, 1.1);
    Poly(c, {{40, h - 8}, {64, h - 18}, {88, h - 8}}, R_WALNUT, 1.4);
}

void Fig_Tree(Canvas& c, Look& l) {
    const int h = 100 + l.shift / 2;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_OLIVE, 1.4, 0.8);
    Thick_Line(c, 64, h, 60, 60, 8, R_WALNUT, 1.0);
    Thick_Line(c, 62, 76, 36, 52, 4, R_WALNUT, 1.0);
    Thick_Line(c, 62, 70, 92, 50, 4, R_WALNUT, 1.0);
    for (int k = 0; k < 14; ++k) {
        const double a = k * 0.45, r = 18 + (k % 4) * 8;
        const double x = 64 + r * std::cos(a), y = 48 + r * 0.6 * std::sin(a);
        Poly(c, {{x - 8, y}, {x - 3, y - 7}, {x + 3, y - 8}, {x + 8, y - 1}, {x, y + 6}}, R_FOREST,
             1.4 + (k % 3) * 0.4 - D(l));
    }
    for (int k = 0; k < 8; ++k) Ellipse(c, 40 + k * 7, 56 + (k % 3) * 6, 2, 2.5, R_AMETHYST, 1.6);
}

void Well(Canvas& c, Look& l) {
    const int h = 40 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_SAND, 1.8, 1.0);
    Ellipse(c, 64, 96, 32, 9, R_STONE, 1.2);
    Box(c, 32, 70, 96, 96, R_STONE, 2.0 - D(l));
    for (int y = 72; y < 96; y += 6)
        for (int x = 32 + (y / 6 % 2) * 5; x < 96; x += 10)
            Box(c, x, y, x + 1, y + 6, R_STONE, 0.8);
    Ellipse(c, 64, 70, 32, 8, R_STONE, 2.4 - D(l));
    Ellipse(c, 64, 70, 26, 5, R_STONE, 0.1);
    Box(c, 34, 36, 38, 70, R_WALNUT, 1.2);
    Box(c, 90, 36, 94, 70, R_WALNUT, 1.2);
    Box(c, 30, 34, 98, 38, R_WALNUT, 1.6);
    Box(c, 63, 38, 65, 54, R_SAND, 1.4);
    Poly(c, {{58, 54}, {70, 54}, {68, 64}, {60, 64}}, R_TERRACOTTA, 2.0);
}

void Harbour(Canvas& c, Look& l) {
    const int h = 60 + l.shift;
    Sky(c, l, h);
    for (int y = h; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_SEA, 1.2 + ((y - h) % 6 == 0 ? 0.6 : 0) - D(l));
    Box(c, 0, h - 6, 40, h + 4, R_STONE, 1.6 - D(l));
    for (int k = 0; k < 3; ++k) {
        const double bx = 56 + k * 24, by = h + 14 + k * 12;
        Poly(c, {{bx - 12, by}, {bx + 12, by}, {bx + 8, by + 6}, {bx - 8, by + 6}}, R_WALNUT, 1.4);
        Thick_Line(c, bx, by, bx, by - 26 + k * 3, 1.5, R_WALNUT, 0.8);
        Thick_Line(c, bx - 10, by - 20 + k * 3, bx + 10, by - 16 + k * 3, 1, R_WALNUT, 0.8);
    }
}

void Gethsemane(Canvas& c, Look& l) {
    Look night = l;
    night.time = l.time == 0 ? 1 : 2;
    const int h = 56 + l.shift;
    Sky(c, night, h);
    Disc_Light(c, night, 98, 22, 8);
    Land(
        c, l, [&](int x) { return h + 4 * std::sin(x / 20.0); }, R_OLIVE, 1.0, 0.5);
    for (int k = 0; k < 4; ++k) Olive_Tree(c, 14 + k * 32, h + 44 + (k % 2) * 14, 10, 1.0);
    for (int x = 0; x < S; x += 6) Box(c, x, h + 60, x + 3, h + 72, R_STONE, 1.2);
    Box(c, 0, h + 62, S, h + 64, R_STONE, 1.0);
}

void Stable(Canvas& c, Look& l) {
    Look night = l;
    night.time = 2;
    const int h = 84 + l.shift;
    const double w = 40 + 6 * l.time, x = 64 + 2 * l.shift;
    Sky(c, night, h);
    Ellipse(c, 96, 18, 3, 3, R_PALE_GOLD, 4);
    Thick_Line(c, 96, 8, 96, 30, 1, R_PALE_GOLD, 3);
    Thick_Line(c, 86, 18, 106, 18, 1, R_PALE_GOLD, 3);
    Poly(c, {{x - w - 10, 56.0 + l.shift}, {x, 34.0 + l.shift}, {x + w + 10, 56.0 + l.shift}},
         R_WALNUT, 1.2);
    Box(c, static_cast<int>(x - w), 56 + l.shift, static_cast<int>(x + w), h + 10, R_WALNUT, 0.7);
    Box(c, static_cast<int>(x - w + 14), 68 + l.shift, static_cast<int>(x + w - 14), h + 10,
        R_AMBER, 1.3 + l.time * 0.3);
    Poly(c, {{x - 14, h + 10.0}, {x + 14, h + 10.0}, {x + 10, h + 0.0}, {x - 10, h + 0.0}}, R_GOLD,
         1.4);
    Box(c, 0, h + 10, S, S, R_SAND, 0.8);
}

void Tower_Of_David(Canvas& c, Look& l) {
    const int h = 110;
    Sky(c, l, h);
    const int x = 46 + l.shift;
    Box(c, x, 30, x + 36, h, R_SAND, 2.0 - D(l));
    Box(c, x + 24, 30, x + 36, h, R_SAND, 1.2 - D(l));
    for (int k = 0; k < 4; ++k) Box(c, x + k * 10, 24, x + k * 10 + 6, 30, R_SAND, 2.0 - D(l));
    for (int k = 0; k < 4; ++k) Box(c, x + 10, 40 + k * 16, x + 14, 48 + k * 16, R_WALNUT, 0.4);
    Land(
        c, l, [&](int i) { return h - 8 + 4 * std::sin(i / 9.0); }, R_STONE, 1.4, 0.8);
}

void Lilies(Canvas& c, Look& l) {
    const int h = 40 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_FOREST, 1.4, 1.8);
    for (int k = 0; k < 26; ++k) {
        const double x = l.rng.Range(S), y = h + 8 + l.rng.Range(S - h - 8);
        const double s = 0.6 + (y - h) / 90.0;
        Thick_Line(c, x, y, x, y + 8 * s, 1, R_FOREST, 2.0);
        for (int p = 0; p < 3; ++p)
            Ellipse(c, x - 3 * s + p * 3 * s, y - 1, 1.6 * s, 3 * s, R_PEARL, 2.2 - D(l) + p * 0.2);
    }
}

void Mustard_Tree(Canvas& c, Look& l) {
    Sky(c, l, S);
    Land(
        c, l, [&](int) { return 112; }, R_OLIVE, 1.4, 1.0);
    const double x = 64 + l.shift;
    Thick_Line(c, x, 112, x, 60, 5, R_WALNUT, 1.0);
    for (int k = 0; k < 5; ++k)
        Thick_Line(c, x, 74 - k * 4, x + (k % 2 ? 1 : -1) * (26 + k * 4), 46 - k * 6, 2, R_WALNUT,
                   1.0);
    Ellipse(c, x, 40, 46, 26, R_OLIVE, 1.6 - D(l));
    for (int k = 0; k < 6; ++k) Dove(c, x - 30 + k * 12, 30 + (k % 3) * 10, 0.5, 2.4 - D(l));
}

void Garden_Tomb(Canvas& c, Look& l) {
    const int h = 46 + l.shift;
    Sky(c, l, h);
    Poly(c, {{-2, S}, {-2, h}, {40, h - 12}, {110, h + 6}, {130, S}}, R_STONE, 1.6 - D(l));
    Ellipse(c, 52, 92, 14, 18, R_STONE, 0.1);
    Box(c, 38, 92, 66, 110, R_STONE, 0.1);
    Ellipse(c, 86, 98, 15, 15, R_STONE, 2.2 - D(l));
    Ellipse(c, 86, 98, 10, 10, R_STONE, 1.6 - D(l));
    Land(
        c, l, [&](int) { return 110; }, R_OLIVE, 1.4, 1.0);
}

void Menorah(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            Put(c, x, y, R_INDIGO, 0.4 + 0.8 * (1 - std::hypot(x - 64, y - 60) / 90) - D(l) / 3);
    const int base = 108 + l.shift / 2;
    Box(c, 62, 40, 66, base, R_GOLD, 1.8);
    Poly(c, {{48.0, base + 8.0}, {80.0, base + 8.0}, {70.0, base + 0.0}, {58.0, base + 0.0}},
         R_GOLD, 1.6);
    // Three pairs of arms rising from the stem to the height of its lamp.
    for (int k = 1; k <= 3; ++k) {
        const int low = 40 + 14 * k;
        Box(c, 64 - 10 * k - 1, 40, 64 - 10 * k + 2, low, R_GOLD, 1.8);
        Box(c, 64 + 10 * k - 2, 40, 64 + 10 * k + 1, low, R_GOLD, 1.8);
        Box(c, 64 - 10 * k - 1, low - 2, 64 + 10 * k + 1, low + 1, R_GOLD, 1.6);
    }
    for (int k = -3; k <= 3; ++k) Ellipse(c, 64 + 10 * k, 34, 2, 4, R_PALE_GOLD, 3.6);
}

void Tablets(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_TERRACOTTA, 0.5 + 0.8 * y / S - D(l) / 2);
    for (int k = 0; k < 2; ++k) {
        const int x = 22 + k * 44, y = 24 + l.shift / 2 + k * 4;
        Ellipse(c, x + 18, y + 12, 18, 12, R_STONE, 2.2);
        Box(c, x, y + 12, x + 36, y + 84, R_STONE, 2.2);
        for (int r = 0; r < 5; ++r)
            Box(c, x + 8, y + 20 + r * 12, x + 28, y + 22 + r * 12, R_STONE, 1.0);
    }
}

void Solomons_Porch(Canvas& c, Look& l) {
    const int h = 104;
    Sky(c, l, h);
    for (int k = 0; k < 4; ++k) {
        const int x = k * 36 - 6 + l.shift;
        for (int y = 24; y < h; ++y)
            for (int i = 0; i < 36; ++i) {
                const double cx = i - 18, cy = y - 44;
                const bool open = std::abs(cx) < 12 && (y > 44 || cx * cx + cy * cy < 144);
                if (!open) Put(c, x + i, y, R_STONE, 1.8 - D(l) + (i < 4 ? 0.6 : 0));
            }
    }
    Box(c, 0, 16, S, 24, R_STONE, 2.2 - D(l));
    Box(c, 0, h, S, S, R_STONE, 1.0 - D(l));
}

void Camel(Canvas& c, double x, double y, double level) {
    Ellipse(c, x, y, 9, 5, R_WALNUT, level);
    Ellipse(c, x - 2, y - 4, 4, 3, R_WALNUT, level);
    Thick_Line(c, x + 7, y - 1, x + 12, y - 9, 2, R_WALNUT, level);
    Ellipse(c, x + 13, y - 10, 2.5, 1.5, R_WALNUT, level);
    for (int k = 0; k < 4; ++k)
        Box(c, static_cast<int>(x) - 7 + k * 4, static_cast<int>(y) + 3,
            static_cast<int>(x) - 6 + k * 4, static_cast<int>(y) + 11, R_WALNUT, level);
}

void Caravan(Canvas& c, Look& l) {
    const int h = 60 + l.shift;
    Sky(c, l, h);
    Disc_Light(c, l, 30, h - 14, 10);
    Land(
        c, l, [&](int x) { return h + 8 * std::sin(x / 26.0 + 1); }, R_SAND, 2.0, 1.2);
    for (int k = 0; k < 4; ++k) Camel(c, 20 + k * 28, h + 30 + (k % 2) * 4, 0.9);
}

void Loaves_Basket(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            Put(c, x, y, R_WALNUT, 0.6 + 0.4 * std::sin(y / 6.0) * 0.3 + 0.5 * x / S - D(l) / 2);
    const int table = 80 + l.shift;
    Box(c, 0, table, S, S, R_WALNUT, 1.8 - D(l) / 2);
    Ellipse(c, 52, table - 6, 34, 14, R_SAND, 1.6);
    for (int y = table - 18; y < table + 6; y += 4) Box(c, 20, y, 86, y + 1, R_SAND, 0.8);
    for (int k = 0; k < 5; ++k)
        Ellipse(c, 30 + k * 10, table - 18 - (k % 2) * 3, 7, 5, R_GOLD, 2.2);
    Poly(c, {{94, table - 4}, {118, table - 10}, {124, table - 4}, {118, table + 2}}, R_SEA, 2.0);
    Poly(c, {{98, table - 14}, {120, table - 20}, {126, table - 14}, {120, table - 8}}, R_SEA, 2.4);
}

void Threshing_Floor(Canvas& c, Look& l) {
    const int h = 36 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_SAND, 1.2, 0.8);
    Ellipse(c, 64, 90, 56, 24, R_GOLD, 1.8 - D(l));
    Ellipse(c, 64, 90, 40, 16, R_GOLD, 2.3 - D(l));
    Ellipse(c, 64, 90, 14, 6, R_SAND, 1.2);
    Camel(c, 34, 78, 0.7);
    Thick_Line(c, 40, 80, 62, 88, 1, R_WALNUT, 0.6);
}

void Cypress_Road(Canvas& c, Look& l) {
    const int h = 50 + l.shift;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_OLIVE, 1.4, 1.0);
    Poly(c, {{58, h}, {70, h}, {110, S}, {18, S}}, R_SAND, 1.6 - D(l));
    for (int k = 0; k < 5; ++k) {
        const double t = k / 4.0, x = 52 - 44 * t, y = h + 8 + 70 * t, hh = 20 + 30 * t;
        Ellipse(c, x, y - hh / 2, 3 + 5 * t, hh / 2, R_FOREST, 1.2 - D(l) / 2);
        Ellipse(c, 128 - x, y - hh / 2, 3 + 5 * t, hh / 2, R_FOREST, 1.2 - D(l) / 2);
    }
}

void Fishermen_Fire(Canvas& c, Look& l) {
    const int h = 44 + l.shift;
    Look early = l;
    early.time = l.time == 0 ? 1 : l.time;
    Sky(c, early, h);
    for (int y = h; y < 84; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_SEA, 1.6 - D(l));
    Land(
        c, l, [&](int x) { return 84 + 3 * std::sin(x / 15.0); }, R_SAND, 1.6, 1.0);
    Ellipse(c, 64, 104, 18, 6, R_STONE, 1.2);
    for (int k = 0; k < 5; ++k)
        Poly(c, {{56 + k * 4, 104}, {58 + k * 4, 90 - (k % 2) * 6}, {60 + k * 4, 104}}, R_AMBER,
             3.0);
    Poly(c, {{90, 104}, {104, 100}, {110, 104}, {104, 108}}, R_SEA, 2.2);
}

void Sycamore_Zacchaeus(Canvas& c, Look& l) {
    const int h = 96;
    Sky(c, l, h);
    Land(
        c, l, [&](int) { return h; }, R_SAND, 1.6, 1.0);
    const double x = 44 + l.shift;
    Thick_Line(c, x, h, x + 6, 50, 10, R_WALNUT, 1.2);
    Thick_Line(c, x + 4, 64, x + 40, 44, 5, R_WALNUT, 1.2);
    Ellipse(c, x + 10, 34, 40, 24, R_FOREST, 1.4 - D(l));
    Ellipse(c, x + 40, 40, 20, 14, R_FOREST, 1.8 - D(l));
    for (int k = 0; k < 5; ++k) Box(c, 80 + k * 8, h - 14, 84 + k * 8, h, R_WALNUT, 0.6);
}

void Water_Jars(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_STONE, 0.6 + 0.6 * y / S - D(l) / 2);
    for (int x = 0; x < S; x += 16) Box(c, x, 0, x + 1, 70, R_STONE, 0.2);
    Box(c, 0, 70, S, S, R_STONE, 1.4 - D(l) / 2);
    for (int k = 0; k < 6; ++k) {
        const double x = 12 + k * 21, y = 100 + l.shift / 2;
        Ellipse(c, x, y, 9, 14, R_STONE, 2.2 - D(l) / 2);
        Box(c, static_cast<int>(x) - 5, static_cast<int>(y) - 18, static_cast<int>(x) + 5,
            static_cast<int>(y) - 12, R_STONE, 2.0);
        Ellipse(c, x, y - 18, 5, 2, R_SEA, 1.4);
    }
}

void Crown_Thorns_Cross(Canvas& c, Look& l) {
    const int h = 86 + l.shift / 2;
    Sky(c, l, h);
    Land(
        c, l, [&](int x) { return Hill(x, h + 10, 26, 40, 64); }, R_STONE, 1.2, 0.6);
    const double x = 64 + l.shift;
    Box(c, static_cast<int>(x) - 3, 20, static_cast<int>(x) + 3, h - 16, R_WALNUT, 1.4);
    Box(c, static_cast<int>(x) - 22, 38, static_cast<int>(x) + 22, 44, R_WALNUT, 1.4);
}

void Altar_Incense(Canvas& c, Look& l) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) Put(c, x, y, R_DUSK, 0.4 + 0.5 * y / S - D(l) / 2);
    Box(c, 34, 70, 94, 120, R_GOLD, 1.8 - D(l) / 2);
    Box(c, 30, 64, 98, 70, R_GOLD, 2.2 - D(l) / 2);
    for (int k = 0; k < 4; ++k) Box(c, 26 + k * 24, 58, 34 + k * 24, 64, R_GOLD, 2.0);
    for (int y = 10; y < 64; ++y) {
        const double sx = 64 + 10 * std::sin(y / 8.0 + l.shift);
        Ellipse(c, sx, y, 3 + (64 - y) / 14.0, 1.5, R_CLOUD, 1.4 + (64 - y) / 60.0);
    }
}

using Scene = void (*)(Canvas&, Look&);
const Scene Scenes[] = {Galilee_Boat,
                        Jerusalem_Walls,
                        Desert_Tents,
                        Sinai,
                        Cedars,
                        Olive_Grove,
                        Vineyard,
                        Wheat_Field,
                        Hills_Sheep,
                        Jordan,
                        Bethlehem_Star,
                        Lamp_Scroll,
                        Doves,
                        Nets,
                        Potter,
                        Pillars,
                        Rose_Window,
                        Lancet_Windows,
                        Mosaic_Fish,
                        Mosaic_Stars,
                        Mosaic_Vine,
                        Temple,
                        Oasis,
                        Sheepfold,
                        Storm_Sea,
                        Sunrise_Hill,
                        Village,
                        Emmaus_Road,
                        Burning_Bush,
                        Ladder,
                        Ark_Rainbow,
                        Fig_Tree,
                        Well,
                        Harbour,
                        Gethsemane,
                        Stable,
                        Tower_Of_David,
                        Lilies,
                        Mustard_Tree,
                        Garden_Tomb,
                        Menorah,
                        Tablets,
                        Solomons_Porch,
                        Caravan,
                        Loaves_Basket,
                        Threshing_Floor,
                        Cypress_Road,
                        Fishermen_Fire,
                        Sycamore_Zacchaeus,
                        Water_Jars,
                        Crown_Thorns_Cross,
                        Altar_Incense};
constexpr int Scene_Count = sizeof Scenes / sizeof Scenes[0];

}  // namespace

Canvas Make_Background(int number) {
    Canvas c(S, S);
    // Picture n is scene (n - 1) mod the number of scenes, in its (n - 1) div that
    // look: neighbours are different scenes, and a scene's looks lie far apart.
    const int scene = (number - 1) % Scene_Count, round = (number - 1) / Scene_Count;
    Look look{round % 3,
              (round == 1   ? -10
               : round == 2 ? 8
                            : 0) +
                  (scene % 3) * 2,
              round == 1, Rng(static_cast<uint64_t>(number) * 7919)};
    Scenes[scene](c, look);
    if (look.mirror) Mirror(c);
    // Index 0 shows nowhere here, but keep the pictures free of it all the same: the
    // board copies them without a key.
    for (uint8_t& p : c.px)
        if (p == 0) p = Tone(R_GREY, 0);
    return c;
}

}  // namespace art
