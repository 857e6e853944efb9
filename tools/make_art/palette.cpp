// The palette: the text colours, the ramps and which way each ramp runs.
#include "palette.h"

#include <cmath>

namespace art {

namespace {

struct Ramp_Def {
    uint8_t dark[3], light[3];
    bool light_first;  // shade 0 is the lightest (its shade 0 is a text colour)
};

// Ramps 1 .. 30.
const Ramp_Def Ramps[30] = {
    {{18, 18, 22}, {205, 205, 210}, false},    // grey
    {{30, 17, 10}, {150, 100, 62}, false},     // walnut
    {{72, 44, 8}, {255, 228, 140}, false},     // gold
    {{120, 100, 70}, {252, 242, 216}, true},   // parchment (32: viewer title)
    {{10, 10, 42}, {96, 104, 196}, false},     // indigo
    {{22, 42, 84}, {176, 218, 255}, false},    // sky (55: chapter label)
    {{120, 90, 40}, {255, 236, 168}, true},    // cream gold (56: book label)
    {{150, 140, 126}, {255, 250, 240}, true},  // warm white (64 counters, 69 disabled)
    {{52, 0, 10}, {255, 126, 136}, false},     // ruby (dark)
    {{110, 52, 0}, {255, 204, 112}, true},     // amber text (80: pressed label)
    {{30, 92, 30}, {192, 255, 172}, true},     // spring green (88: counter)
    {{120, 110, 0}, {255, 255, 150}, true},    // yellow (96: hover label, counter)
    {{0, 12, 64}, {124, 172, 255}, false},     // sapphire
    {{0, 40, 16}, {112, 244, 152}, false},     // emerald
    {{64, 40, 0}, {255, 232, 92}, false},      // topaz
    {{36, 0, 58}, {218, 152, 255}, false},     // amethyst
    {{0, 46, 52}, {124, 252, 236}, false},     // turquoise
    {{64, 22, 0}, {255, 178, 64}, false},      // amber
    {{72, 68, 74}, {255, 250, 246}, false},    // pearl
    {{0, 24, 38}, {64, 142, 162}, false},      // sea
    {{50, 34, 14}, {204, 164, 104}, false},    // sand
    {{20, 28, 8}, {134, 144, 72}, false},      // olive
    {{30, 28, 26}, {152, 142, 128}, false},    // stone
    {{34, 40, 56}, {172, 178, 198}, false},    // cloud
    {{40, 14, 40}, {192, 102, 122}, false},    // dusk
    {{6, 30, 36}, {82, 152, 142}, false},      // mosaic
    {{46, 16, 8}, {192, 102, 62}, false},      // terracotta
    {{60, 50, 20}, {255, 242, 184}, false},    // pale gold (231: side-button captions)
    {{14, 6, 30}, {104, 74, 156}, false},      // violet night
    {{6, 20, 10}, {72, 122, 82}, false},       // forest
};

const uint8_t Named[8][3] = {
    {0, 0, 0},       {255, 212, 100}, {246, 238, 216}, {255, 230, 152},
    {240, 152, 132}, {255, 198, 96},  {242, 232, 204}, {30, 18, 8},
};

}  // namespace

void Build_Palette(uint8_t pal[1024]) {
    for (int i = 0; i < 8; ++i)
        for (int c = 0; c < 3; ++c) pal[4 * i + c] = Named[i][c];
    for (int r = 1; r <= 30; ++r) {
        const Ramp_Def& d = Ramps[r - 1];
        for (int k = 0; k < 8; ++k) {
            const int level = d.light_first ? 7 - k : k;
            const double t = level / 7.0;
            for (int c = 0; c < 3; ++c)
                pal[4 * (8 * r + k) + c] =
                    static_cast<uint8_t>(std::lround(d.dark[c] + (d.light[c] - d.dark[c]) * t));
        }
    }
    // 248 .. 255 fold to 7 .. 0 when a picture is read: give them those colours.
    for (int k = 0; k < 8; ++k)
        for (int c = 0; c < 3; ++c) pal[4 * (248 + k) + c] = pal[4 * (7 - k) + c];
    for (int i = 0; i < 256; ++i) pal[4 * i + 3] = 0;
}

uint8_t Tone(int ramp, int level) {
    if (level < 0) level = 0;
    if (level > 7) level = 7;
    const int k = Ramps[ramp - 1].light_first ? 7 - level : level;
    return static_cast<uint8_t>(8 * ramp + k);
}

double Luminance(const uint8_t pal[1024], int index) {
    double v[3];
    for (int c = 0; c < 3; ++c) {
        const double s = pal[4 * index + c] / 255.0;
        v[c] = s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    }
    return 0.2126 * v[0] + 0.7152 * v[1] + 0.0722 * v[2];
}

}  // namespace art
