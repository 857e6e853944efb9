// The game's 256-colour palette: seven named text colours and thirty smooth ramps
// of eight shades.
#pragma once

#include <cstdint>

namespace art {

enum Ramp {
    R_GREY = 1,
    R_WALNUT,
    R_GOLD,
    R_PARCHMENT,
    R_INDIGO,
    R_SKY,
    R_CREAM_GOLD,
    R_WARM_WHITE,
    R_RUBY_DARK,
    R_AMBER_TEXT,
    R_SPRING,
    R_YELLOW,
    R_SAPPHIRE,
    R_EMERALD,
    R_TOPAZ,
    R_AMETHYST,
    R_TURQUOISE,
    R_AMBER,
    R_PEARL,
    R_SEA,
    R_SAND,
    R_OLIVE,
    R_STONE,
    R_CLOUD,
    R_DUSK,
    R_MOSAIC,
    R_TERRACOTTA,
    R_PALE_GOLD,
    R_NIGHT,
    R_FOREST
};

// Named colours.
constexpr uint8_t C_GOLD = 1, C_CREAM = 2, C_LIGHT_GOLD = 3, C_ROSE = 4, C_AMBER = 5,
                  C_PARCHMENT = 6, C_OUTLINE = 7;

void Build_Palette(uint8_t pal[1024]);
// The index of a ramp's shade by lightness: 0 the darkest, 7 the lightest,
// whichever way the ramp runs in the palette.
uint8_t Tone(int ramp, int level);
// Relative luminance (WCAG) of a palette entry.
double Luminance(const uint8_t pal[1024], int index);

}  // namespace art
