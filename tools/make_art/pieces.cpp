// The game's pictures other than the backgrounds: desk, gold borders and buttons,
// ticker strips, scroll parts, stones, digits, walls, cursor, logo and captions.
#include "pieces.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

namespace art {

namespace {

int Clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// A band of gold bevel across thickness t: light on the side facing the top-left
// light, dark on the other, a bright line one pixel in.
uint8_t Bevel_Tone(int pos, int t, bool lit_first) {
    const int p = lit_first ? pos : t - 1 - pos;
    if (p == 0) return Tone(R_GOLD, 7);
    if (pos == 0 || pos == t - 1) return Tone(R_GOLD, 1);
    const int level = 6 - (p * 5) / std::max(1, t - 1);
    return Tone(R_GOLD, Clamp(level, 2, 6));
}

// Walnut grain at (x, y), periodic in 256 so the desk tiles.
uint8_t Walnut(int x, int y, int period) {
    const double n = Fractal(x / 32.0, y / 8.0, period / 32, 3, 11);
    const double grain =
        std::sin((y + 24 * n) * 2 * M_PI * 12 / period + 3 * Noise(x / 64.0, 0, period / 64, 5));
    const double v =
        0.45 + 0.25 * grain + 0.35 * (Fractal(x / 8.0, y / 2.0, period / 8, 2, 17) - 0.5);
    return Tone(R_WALNUT, Clamp(static_cast<int>(v * 3.2), 0, 3));
}

}  // namespace

Canvas Make_Desk() {
    Canvas c(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) c.Set(x, y, Walnut(x, y, 256));
    return c;
}

Canvas Make_Desk_Border() {
    Canvas c(240, 204);
    // Left and right sides (11 x 172): vertical bands.
    for (int y = 1; y < 173; ++y)
        for (int i = 0; i < 11; ++i) {
            c.Set(1 + i, y, Bevel_Tone(i, 11, true));
            c.Set(16 + i, y, Bevel_Tone(i, 11, false));
        }
    // Top and bottom (236 x 12).
    for (int x = 1; x < 237; ++x)
        for (int j = 0; j < 12; ++j) {
            c.Set(x, 176 + j, Bevel_Tone(j, 12, true));
            c.Set(x, 190 + j, Bevel_Tone(j, 12, false));
        }
    // Corners 40 x 40: the two bands meeting, with a jewelled rosette.
    struct Corner {
        int x, y;
        bool left, top;
    };
    for (Corner k : {Corner{31, 1, true, true}, Corner{31, 44, true, false},
                     Corner{74, 1, false, true}, Corner{74, 44, false, false}}) {
        for (int j = 0; j < 40; ++j)
            for (int i = 0; i < 40; ++i) {
                const int hx = k.left ? i : 39 - i;  // distance from the outer vertical edge
                const int vy = k.top ? j : 39 - j;   // distance from the outer horizontal edge
                if (vy < 12 && (hx >= vy || hx >= 11))
                    c.Set(k.x + i, k.y + j, Bevel_Tone(k.top ? j : j - 28, 12, k.top));
                else if (hx < 11)
                    c.Set(k.x + i, k.y + j, Bevel_Tone(k.left ? i : i - 29, 11, k.left));
            }
        // Rosette: a small ruby set in gold where the bands meet.
        const int cx = k.x + (k.left ? 8 : 31), cy = k.y + (k.top ? 8 : 31);
        for (int j = -6; j <= 6; ++j)
            for (int i = -6; i <= 6; ++i) {
                const double r = std::sqrt(i * i + j * j);
                if (r <= 6.2)
                    c.Set(cx + i, cy + j,
                          r > 4.6 ? Tone(R_GOLD, 1) : Tone(R_GOLD, 6 - (i + j > 0)));
                if (r <= 3.2)
                    c.Set(cx + i, cy + j, Tone(R_RUBY_DARK, i + j < -1 ? 7 : (i + j < 2 ? 5 : 3)));
            }
    }
    return c;
}

Canvas Make_Button_Border() {
    Canvas c(140, 56);
    const uint8_t light = Tone(R_GOLD, 7), mid = Tone(R_GOLD, 5), dark = Tone(R_GOLD, 1);
    c.Fill(4, 17, 2, 2, light);  // LfTp
    c.Set(5, 18, mid);
    c.Fill(4, 53, 2, 2, mid);  // LfBm
    c.Set(5, 54, dark);
    c.Fill(137, 17, 2, 2, mid);  // RtTp
    c.Set(138, 18, dark);
    c.Fill(137, 53, 2, 2, dark);                                            // RtBm
    for (int y = 20; y < 52; ++y) c.Set(4, y, light), c.Set(5, y, mid);     // Lf
    for (int y = 20; y < 52; ++y) c.Set(137, y, mid), c.Set(138, y, dark);  // Rt
    for (int x = 7; x < 135; ++x) c.Set(x, 17, light), c.Set(x, 18, mid);   // Tp
    for (int x = 7; x < 135; ++x) c.Set(x, 53, mid), c.Set(x, 54, dark);    // Bm
    return c;
}

Canvas Make_Label_Frames() {
    Canvas c(136, 128);
    for (int x = 0; x < 128; ++x) {
        c.Set(5 + x, 0, Tone(R_GOLD, 6));
        c.Set(5 + x, 1, Tone(R_GOLD, 4));
        c.Set(5 + x, 2, Tone(R_GOLD, 1));
    }
    for (int y = 0; y < 128; ++y) {
        c.Set(0, y, Tone(R_GOLD, 6));
        c.Set(1, y, Tone(R_GOLD, 4));
        c.Set(2, y, Tone(R_GOLD, 1));
    }
    return c;
}

namespace {
// A gold-framed walnut plate, lit (raised) or pressed (sunk).
void Plate(Canvas& c, int x0, int y0, int w, int h, bool pressed) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int edge = std::min(std::min(i, j), std::min(w - 1 - i, h - 1 - j));
            uint8_t p;
            if (edge < 4) {
                const bool near_top_left = std::min(i, j) <= std::min(w - 1 - i, h - 1 - j);
                const bool lit = pressed ? !near_top_left : near_top_left;
                p = edge == 0 ? Tone(R_GOLD, 1) : Tone(R_GOLD, lit ? 7 - edge : 2 + edge / 2);
            } else {
                p = Walnut(i * 2 + (pressed ? 7 : 0), j * 3, 256);
                if (pressed) p = static_cast<uint8_t>(std::max<int>(Tone(R_WALNUT, 0), p - 1));
            }
            c.Set(x0 + i, y0 + j, p);
        }
}

// Jewel shapes: inside test and a facet lightness for a point relative to the
// stone's centre.
struct Gem {
    int ramp;
    int shape;  // 0 octagon, 1 round, 2 emerald cut, 3 square, 4 rhombus, 5 oval, 6 cabochon, 7
                // pearl
};
const Gem Gems[8] = {{R_RUBY_DARK, 0}, {R_SAPPHIRE, 1},  {R_EMERALD, 2}, {R_TOPAZ, 3},
                     {R_AMETHYST, 4},  {R_TURQUOISE, 5}, {R_AMBER, 6},   {R_PEARL, 7}};

double Shape_Radius(int shape, double x, double y) {
    const double ax = std::fabs(x), ay = std::fabs(y);
    switch (shape) {
        case 0:
            return std::max(std::max(ax, ay), (ax + ay) / 1.35);
        case 1:
        case 6:
        case 7:
            return std::sqrt(x * x + y * y);
        case 2:
            return std::max(std::max(ax / 1.0, ay / 0.78), (ax + ay / 0.78) / 1.45);
        case 3:
            return std::max(std::max(ax, ay), (ax + ay) / 1.6);
        case 4:
            return (ax + ay) / 1.25;
        default:
            return std::sqrt((x / 1.0) * (x / 1.0) + (y / 0.8) * (y / 0.8));
    }
}
}  // namespace

Canvas Make_Main_Menu_Buttons(const Glyph_Set& big) {
    Canvas c(324, 332);
    Plate(c, 0, 0, 321, 50, false);
    Plate(c, 0, 50, 321, 50, true);
    const char* captions[5] = {"НОВАЯ ИГРА", "ПРОДОЛЖИТЬ", "ПОМОЩЬ", "ВЫХОД", "СПАСЕНИЕ"};
    const int ys[5] = {105, 150, 196, 244, 292};
    for (int k = 0; k < 5; ++k) {
        const std::string text = captions[k];
        const int x = 1 + (273 - Text_Width(big, text)) / 2;
        const int y = ys[k] + (40 - big.h) / 2;
        // Gold letters, lighter at the top, with a dark outline.
        Canvas letters(273, 40);
        Draw_Text_Outlined(letters, big, x - 2, y - ys[k], text, 1, 2, true);
        for (int j = 0; j < 40; ++j)
            for (int i = 0; i < 273; ++i) {
                const uint8_t m = letters.Get(i, j);
                if (m == 1)
                    c.Set(1 + i, ys[k] + j, Tone(R_PALE_GOLD, 7 - std::max(0, (j - 6) / 8)));
                if (m == 2) c.Set(1 + i, ys[k] + j, C_OUTLINE);
            }
    }
    return c;
}

Canvas Make_Stones() {
    Canvas c(268, 298);
    // Type 0: the empty cell, a faint gold mark at each corner, nearly all clear.
    for (int k = 0; k < 8; ++k) {
        const int x0 = 1 + 33 * k, y0 = 1;
        const uint8_t mark = Tone(R_GOLD, k == 3 || k == 4 ? 3 : 2);
        for (int d = 2; d < 6; ++d) {
            c.Set(x0 + d, y0 + 2, mark), c.Set(x0 + 2, y0 + d, mark);
            c.Set(x0 + 29 - d, y0 + 29, mark), c.Set(x0 + 29, y0 + 29 - d, mark);
        }
        c.Set(x0 + 16, y0 + 16, Tone(R_GOLD, 1));
    }
    for (int t = 1; t <= 8; ++t) {
        const Gem& gem = Gems[t - 1];
        for (int k = 0; k < 8; ++k) {
            const int x0 = 1 + 33 * k, y0 = 1 + 33 * t;
            // The glint crosses the stone from top left to bottom right over 8 frames.
            const double gx = -9 + 18 * k / 7.0, gy = -9 + 18 * k / 7.0;
            for (int j = 0; j < 32; ++j)
                for (int i = 0; i < 32; ++i) {
                    const double x = i - 15.5, y = j - 15.5;
                    const double r = Shape_Radius(gem.shape, x, y);
                    if (r > 13.5) continue;
                    int level;
                    if (r > 12.5) {
                        level = 1;  // girdle
                    } else if (gem.shape >= 6) {
                        // Cabochons and the pearl: a smooth dome lit from the top left.
                        const double nz = std::sqrt(std::max(0.0, 1 - (r / 13.0) * (r / 13.0)));
                        const double light = (-x * 0.55 - y * 0.6) / 13.0 + nz * 0.7;
                        level = Clamp(static_cast<int>(std::lround(1.5 + light * 4.5)), 1, 7);
                    } else if (r < 6.5) {
                        level = 5;  // table
                        if (x + y < -3) level = 6;
                    } else {
                        // Crown facets by direction: those facing the light are brighter.
                        const double a = std::atan2(y, x);
                        const int sector =
                            static_cast<int>(std::floor((a + M_PI) / (M_PI / 4))) % 8;
                        static const int facet[8] = {4, 5, 6, 5, 3, 2, 1, 3};
                        level = facet[sector] + (r < 9.5 ? 0 : -1);
                    }
                    const double dg = std::hypot(x - gx, y - gy);
                    if (dg < 2.2 || (std::fabs(x - gx) < 0.6 && std::fabs(y - gy) < 5) ||
                        (std::fabs(y - gy) < 0.6 && std::fabs(x - gx) < 5))
                        level = 7;
                    c.Set(x0 + i, y0 + j, Tone(gem.ramp, Clamp(level, 0, 7)));
                }
            // Corner pixels stay index 0: each frame's own transparent colour.
        }
    }
    return c;
}

namespace {
const char* const Digit_Rows[10][7] = {
    {"01110", "10001", "10011", "10101", "11001", "10001", "01110"},
    {"00100", "01100", "00100", "00100", "00100", "00100", "01110"},
    {"01110", "10001", "00001", "00010", "00100", "01000", "11111"},
    {"11111", "00010", "00100", "00010", "00001", "10001", "01110"},
    {"00010", "00110", "01010", "10010", "11111", "00010", "00010"},
    {"11111", "10000", "11110", "00001", "00001", "10001", "01110"},
    {"00110", "01000", "10000", "11110", "10001", "10001", "01110"},
    {"11111", "00001", "00010", "00100", "01000", "01000", "01000"},
    {"01110", "10001", "10001", "01110", "10001", "10001", "01110"},
    {"01110", "10001", "10001", "01111", "00001", "00010", "01100"},
};
}  // namespace

Canvas Make_Digits(int n) {
    Canvas c(10 * (n + 1) + 2, n + 2);
    const int scale = n / 8;
    const uint8_t fill = Tone(R_WARM_WHITE, 7), edge = Tone(R_GOLD, 2);
    for (int d = 0; d < 10; ++d) {
        Canvas cell(n, n);
        const int ox = (n - 5 * scale) / 2, oy = (n - 7 * scale) / 2;
        for (int r = 0; r < 7; ++r)
            for (int k = 0; k < 5; ++k)
                if (Digit_Rows[d][r][k] == '1')
                    cell.Fill(ox + k * scale, oy + r * scale, scale, scale, 1);
        // The edge: every empty pixel beside the fill; bigger digits get a thicker one.
        const int thick = n >= 24 ? 2 : 1;
        Canvas out(n, n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                if (cell.Get(x, y)) {
                    out.Set(x, y, fill);
                    continue;
                }
                bool near = false;
                for (int dy = -thick; dy <= thick && !near; ++dy)
                    for (int dx = -thick; dx <= thick; ++dx)
                        if (cell.Get(x + dx, y + dy)) near = true;
                if (near) out.Set(x, y, edge);
            }
        c.Paste(out, 1 + d * (n + 1), 1);
    }
    return c;
}

Canvas Make_Walls() {
    Canvas c(232, 34);
    for (int k = 0; k < 7; ++k) {
        Rng rng(700 + k);
        const int x0 = 1 + 33 * k;
        for (int j = 0; j < 32; ++j)
            for (int i = 0; i < 32; ++i) {
                // Two courses of dressed stone with mortar lines.
                const int course = j / 16, shift = course ? 8 + 4 * (k % 3) : 0;
                const bool mortar = j % 16 == 15 || (i + shift) % 24 == 23;
                const double n = Fractal((i + 32 * k) / 6.0, j / 6.0, 64, 2, 31);
                int level = mortar ? 0 : Clamp(static_cast<int>(1.5 + n * 3), 1, 4);
                if (!mortar && (j % 16 == 0 || (i + shift) % 24 == 0))
                    level = std::min(level + 1, 5);
                c.Set(x0 + i, 1 + j, Tone(R_STONE, level));
            }
        for (int s = 0; s < 6; ++s) {
            const int px = rng.Range(32);  // drawn one after the other, whatever the compiler
            const int py = rng.Range(32);
            c.Set(x0 + px, 1 + py, Tone(R_STONE, 0));
        }
    }
    return c;
}

Canvas Make_Frame_Horizontal() {
    Canvas c(460, 25);
    for (int x = 0; x < 460; ++x)
        for (int j = 0; j < 25; ++j) {
            uint8_t p =
                j < 3 ? Bevel_Tone(j, 3, true) : Tone(R_STONE, j < 6 ? 4 : 2 + (x / 4 + j / 3) % 2);
            if (j >= 21) p = Bevel_Tone(j - 21, 4, false);
            c.Set(x, j, p);
        }
    return c;
}

Canvas Make_Frame_Vertical() {
    Canvas c(23, 460);
    for (int y = 0; y < 460; ++y)
        for (int i = 0; i < 23; ++i) {
            uint8_t p = Tone(R_STONE, 2 + ((y / 16) + (i / 12)) % 2);
            if (y % 16 == 15) p = Tone(R_STONE, 0);
            if (i < 3) p = Bevel_Tone(i, 3, true);
            if (i >= 20) p = Bevel_Tone(i - 20, 3, false);
            c.Set(i, y, p);
        }
    return c;
}

Canvas Make_Frame_Corner() {
    Canvas c(23, 25);
    for (int j = 0; j < 25; ++j)
        for (int i = 0; i < 23; ++i) {
            const int e = std::min(std::min(i, j), std::min(22 - i, 24 - j));
            c.Set(i, j,
                  e < 3 ? Bevel_Tone(e, 3, i + j < 23) : Tone(R_GOLD, 3 + ((i + j) % 4 == 0)));
        }
    const int cx = 11, cy = 12;
    for (int j = -4; j <= 4; ++j)
        for (int i = -4; i <= 4; ++i)
            if (std::abs(i) + std::abs(j) <= 4)
                c.Set(cx + i, cy + j, Tone(R_RUBY_DARK, 6 - (i + j + 8) / 3));
    return c;
}

Canvas Make_Cursor() {
    Canvas c(36, 36);
    // An arrow with its tip on the top-left pixel, cream with a dark outline.
    Canvas mask(32, 32);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x <= y * 2 / 3 && x < 13; ++x) mask.Set(x, y, 1);
    for (int y = 13; y < 25; ++y)
        for (int x = 4 + (y - 13) / 3; x < 8 + (y - 13) / 3; ++x) mask.Set(x, y, 1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (mask.Get(x, y)) {
                const bool rim = !mask.Get(x - 1, y) || !mask.Get(x + 1, y) ||
                                 !mask.Get(x, y - 1) || !mask.Get(x, y + 1) || x == 0 || y == 0;
                c.Set(1 + x, 1 + y,
                      rim ? C_OUTLINE : (x + y < 12 ? Tone(R_PALE_GOLD, 7) : Tone(R_PALE_GOLD, 6)));
            }
        }
    c.Set(1, 1, Tone(R_PALE_GOLD, 7));  // the hot spot itself is visible
    return c;
}

Canvas Make_Scroll_Track() {
    Canvas c(64, 152);
    auto channel = [&](int y, int h) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < 22; ++i) {
                uint8_t p = Tone(R_INDIGO, 1 + (i > 3 && i < 18));
                if (i < 2 || i > 19) p = Bevel_Tone(i < 2 ? i : i - 20, 2, i >= 2);
                c.Set(1 + i, y + j, p);
            }
    };
    channel(16, 3);
    channel(20, 128);
    channel(149, 3);
    for (int i = 0; i < 22; ++i)
        c.Set(1 + i, 16, Tone(R_GOLD, 6)), c.Set(1 + i, 151, Tone(R_GOLD, 1));
    // The thumb: a gold knob.
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) {
            const double r = std::hypot(i - 7.5, j - 7.5);
            if (r > 7.6) continue;
            c.Set(29 + i, 84 + j,
                  r > 6.4 ? Tone(R_GOLD, 1)
                          : Tone(R_GOLD, Clamp(6 - static_cast<int>((i + j) / 5), 2, 7)));
        }
    // Arrow buttons: up, right, left, down; unpressed at x 29, pressed at x 46.
    const int rows[4] = {16, 33, 50, 67};
    for (int d = 0; d < 4; ++d)
        for (int pressed = 0; pressed < 2; ++pressed) {
            const int x0 = pressed ? 46 : 29, y0 = rows[d];
            Plate(c, x0, y0, 16, 16, pressed != 0);
            const int off = pressed;
            for (int a = 0; a < 5; ++a)
                for (int b = -a; b <= a; ++b) {
                    int ax = 8 + b + off - 1, ay = 5 + a + off;           // up
                    if (d == 1) ax = 10 - a + off, ay = 8 + b + off - 1;  // right
                    if (d == 2) ax = 5 + a + off, ay = 8 + b + off - 1;   // left
                    if (d == 3) ax = 8 + b + off - 1, ay = 10 - a + off;  // down
                    c.Set(x0 + ax, y0 + ay, Tone(R_PALE_GOLD, 7));
                }
        }
    return c;
}

Canvas Make_Vertical_Strip() {
    Canvas c(112, 480);
    for (int y = 0; y < 480; ++y)
        for (int i = 0; i < 56; ++i) {
            // Back (x 56..111): a deep indigo glass with faint leading.
            const double n = Fractal(i / 7.0, y / 7.0, 64, 2, 41);
            uint8_t back = Tone(R_INDIGO, Clamp(static_cast<int>(n * 2.6), 0, 2));
            if (y % 60 == 0) back = Tone(R_INDIGO, 0);
            c.Set(56 + i, y, back);
            // Front (x 0..55): a gold frame along both long edges, clear between.
            uint8_t front = 0;
            if (i < 5) front = Bevel_Tone(i, 5, true);
            if (i >= 51) front = Bevel_Tone(i - 51, 5, false);
            if ((y < 5 || y >= 475) && i >= 5 && i < 51)
                front = Bevel_Tone(y < 5 ? y : y - 475, 5, y < 5);
            c.Set(i, y, front);
        }
    return c;
}

Canvas Make_Horizontal_Strip() {
    Canvas c(640, 112);
    for (int x = 0; x < 640; ++x)
        for (int j = 0; j < 56; ++j) {
            const double n = Fractal(x / 7.0, j / 7.0, 128, 2, 43);
            uint8_t back = Tone(R_INDIGO, Clamp(static_cast<int>(n * 2.6), 0, 2));
            if (x % 80 == 0) back = Tone(R_INDIGO, 0);
            c.Set(x, 56 + j, back);
            uint8_t front = 0;
            if (j < 5) front = Bevel_Tone(j, 5, true);
            if (j >= 51) front = Bevel_Tone(j - 51, 5, false);
            if ((x < 5 || x >= 635) && j >= 5 && j < 51)
                front = Bevel_Tone(x < 5 ? x : x - 635, 5, x < 5);
            c.Set(x, j, front);
        }
    return c;
}

Canvas Make_Logo(const Glyph_Set& big) {
    Canvas c(522, 82);
    const char letters[8] = "VELTRAN";
    const int ranges[7][2] = {{7, 71},    {78, 136},  {142, 209}, {221, 274},
                              {284, 370}, {379, 438}, {451, 514}};
    for (int k = 0; k < 7; ++k) {
        // Each letter: the 16 x 32 shape scaled by 3 both ways,
        // gold from light at the top to deep at the bottom, outlined, centred in its
        // slice so every slice can bob on its own.
        const uint8_t* cell = big.Cell(Cell_Of(static_cast<uint8_t>(letters[k])));
        const int gw = big.w / 2;  // the unwidened shape
        Canvas mask(3 * gw + 4, 3 * big.h + 4);
        for (int j = 0; j < big.h; ++j)
            for (int i = 0; i < gw; ++i)
                if (cell[j * big.w + 2 * i]) mask.Fill(2 + 3 * i, 2 + 3 * j, 3, 3, 1);
        // Thicken the strokes so the capitals read as carved gold.
        Canvas thick = mask;
        for (int j = 0; j < mask.h; ++j)
            for (int i = 0; i < mask.w; ++i)
                if (mask.Get(i, j))
                    for (int dj = 0; dj <= 1; ++dj)
                        for (int di = -1; di <= 1; ++di) thick.Set(i + di, j + dj, 1);
        mask = thick;
        int top = mask.h, bottom = 0;
        for (int j = 0; j < mask.h; ++j)
            for (int i = 0; i < mask.w; ++i)
                if (mask.Get(i, j)) top = std::min(top, j), bottom = std::max(bottom, j);
        const int lw = ranges[k][1] - ranges[k][0] + 1;
        const int ox = 1 + ranges[k][0] + (lw - mask.w) / 2;
        const int oy = 1 + (80 - (bottom - top + 1)) / 2 - top;
        for (int j = 0; j < mask.h; ++j)
            for (int i = 0; i < mask.w; ++i) {
                const int x = ox + i, y = oy + j;
                if (mask.Get(i, j)) {
                    const int level = 7 - (j - top) * 5 / std::max(1, bottom - top);
                    c.Set(x, y, Tone(R_GOLD, Clamp(level, 2, 7)));
                } else if (mask.Get(i - 1, j) || mask.Get(i + 1, j) || mask.Get(i, j - 1) ||
                           mask.Get(i, j + 1) || mask.Get(i - 1, j - 1)) {
                    if (x > ranges[k][0] && x <= ranges[k][1] + 1) c.Set(x, y, C_OUTLINE);
                }
            }
    }
    return c;
}

Canvas Make_Font_Picture(const Glyph_Set& g, int rows) {
    const int w = g.w, h = g.h;
    Canvas c(16 * (w + 1) + 1, rows * (h + 1) + 1, Tone(R_GREY, 2));
    for (int cell = 0; cell < 16 * rows; ++cell) {
        const int col = cell % 16, row = cell / 16;
        const int x0 = 1 + col * (w + 1), y0 = 1 + row * (h + 1);
        c.Fill(x0, y0, w, h, 0);
        if (cell >= 160) continue;
        const uint8_t* bits = g.Cell(cell);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (bits[j * w + i]) c.Set(x0 + i, y0 + j, C_PARCHMENT);
    }
    return c;
}

}  // namespace art
