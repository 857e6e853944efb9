// 8-bit palettised surfaces and the copy operations the screens rely on: colour
// fills, rectangle copies with or without a source colour key, scaled copies when
// the rectangles differ in size, and clipping to the screen for the back buffer.
#pragma once

#include <cstdint>
#include <unordered_map>

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
    // For composing only what changed (graphics/compose.h): a hash of the pixels,
    // 0 until asked for after a change; and how many kept copies still read them.
    mutable uint64_t content = 0;
    mutable int32_t readers = 0;
    // The smallest rectangle holding every pixel that is not the colour key, once
    // asked for after a change (known: opaque is set).
    mutable bool opaque_known = false;
    mutable Rect opaque = {0, 0, 0, 0};
    // The same for parts of it asked for (a font's glyphs), by the part.
    mutable std::unordered_map<uint64_t, Rect> opaque_parts;
};

// A new surface of palette index 0, or null when out of memory (or sizes absurd).
Surface* Surface_Create_Plain(int width, int height);
void Surface_Destroy(Surface* s);
// Surfaces for sprites, widgets and fonts: source colour key 0.
Surface* Surface_Create(int width, int height);
int Surface_Clear(Surface* s);
// The pixels to write into (the surface counts as changing), and giving them back.
uint8_t* Surface_Lock(Surface* s, int32_t* pitch);
int Surface_Unlock(Surface* s);
// Destroys the surface and sets the pointer to none.
void Surface_Release(Surface*& s);
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

// The pixel work of a copy whose checks are done: the rows of t (inside dst, within
// the whole destination rectangle d) from the source rectangle s, scaled as d is to
// s, the key skipped when keyed.
void Blt_Pixels(Surface* dst, const Rect& t, const Rect& d, const Surface* src, const Rect& s,
                bool keyed);
void Fill_Pixels(Surface* dst, const Rect& t, uint8_t index);
// The pixels of a surface are about to change (or the surface to go).
void Surface_Changing(Surface* s);

// Who keeps the copies and fills aimed at a surface instead of drawing them at once
// (the back buffer's composer, compose.h), told before a surface is read or changed
// by a copy. One at a time; none draws everything at once.
struct Surface_Keeper {
    bool (*keeps)(const Surface* dst);
    void (*keep_blt)(const Rect& t, const Rect& d, const Surface* src, const Rect& s, bool keyed);
    void (*keep_fill)(const Rect& t, uint8_t index);
    void (*reading)(const Surface* src);
    void (*changing)(Surface* s);
};
void Surface_Set_Keeper(const Surface_Keeper* keeper);
// A hash of the surface's pixels, its size and key; worked out once a change.
uint64_t Surface_Content(const Surface* s);
// Where the pixels other than the key lie within part of it (the whole surface, a
// glyph of a font, a letter of a sheet), in the surface's coordinates; empty when
// there are none. Worked out once a change for each part asked for.
Rect Surface_Opaque_In(const Surface* s, const Rect& part);
