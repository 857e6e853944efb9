// A small font of 6 x 6 cells (letters 5 pixels high) for labels where a line has
// room for no more: capitals of the Russian alphabet, either case drawn alike, the
// digits and a few signs. Built from its own table, no picture needed.
#pragma once

#include "graphics/font.h"

constexpr int Small_Cell = 6;

// Makes the font into *font in colour index (not 0); 0 when no surface could be had.
int Font_Small_Create(Font* font, int index);
