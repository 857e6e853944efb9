// 8-bit palettised surfaces and the copy operations the screens rely on: colour
// fills, rectangle copies with or without a source colour key, scaled copies when
// the rectangles differ in size, and clipping to the screen for the back buffer.
#pragma once

#include <cstdint>

// {left, top, right, bottom}; right and bottom exclusive.
struct Rect {
    int32_t left, top, right, bottom;
};

struct Surface {
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;          // bytes per row
    uint8_t* pixels = nullptr;  // owned, pitch * height bytes, top row first
    int32_t color_key = -1;     // source colour key, -1 = none
    bool has_clip = false;      // a clipper: copies are cut to clip instead of failing
    Rect clip = {0, 0, 0, 0};
};

// A new surface of palette index 0, or null when out of memory (or sizes absurd).
Surface* Surface_Create_Plain(int width, int height);
void Surface_Destroy(Surface* s);
// Copies a block of rows between two pictures of their own pitches.
void Rows_Copy(uint8_t* dst, int dst_pitch, const uint8_t* src, int src_pitch, int width, int rows);

constexpr int Blt_Keysrc = 1;

// Copies src_rect of src into dst_rect of dst (whole surfaces when a rectangle is
// null), scaling by nearest neighbour when the sizes differ, skipping source
// pixels equal to the source key with Blt_Keysrc. Fails (0, nothing drawn) on an
// empty or inverted rectangle, a source rectangle outside its surface, or, on a
// surface without a clipper, a destination rectangle not wholly inside it.
int Surface_Blt(Surface* dst, const Rect* dst_rect, const Surface* src, const Rect* src_rect,
                int flags);
// Fills a rectangle (the whole surface when null) with one index; same rules.
int Surface_Fill(Surface* dst, const Rect* rect, uint8_t index);
