// Reading a shot of the real program: its pixels, and whether a text drawn with
// one of the program's fonts in one colour is on it (the test's eyes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/font.h"

struct Shot {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // palette indices, top row first
    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A shot file as the program writes it (8-bit, bottom-up); empty when unreadable.
Shot Shot_Read(const std::string& bmp_bytes);

// What a surface holds now, as a shot.
struct Surface;
Shot Shot_Of_Surface(const Surface* surface);

// Where the text stands in the shot, drawn with the font in the colour: every
// pixel of every glyph has the colour, and most pixels around them do not. False
// when it is nowhere.
bool Shot_Find_Text(const Shot& shot, const char* text, const Font& font, int colour,
                    int* x = nullptr, int* y = nullptr);

// Pixels that differ between two equal-sized regions of two shots.
int Shot_Diff(const Shot& a, const Shot& b, int left, int top, int right, int bottom);
