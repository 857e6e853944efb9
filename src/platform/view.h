// The arithmetic of showing the picture without a GPU: where it sits in a window
// (scale and offset), where a window pixel falls on it, and which parts of a new
// frame differ from the one shown, as runs of pixels to convert and rectangles to
// hand to the window system.
#pragma once

#include <cstdint>

// The picture in a window: scale k, top-left corner (x, y); black bars around it.
struct Plat_View {
    int k, x, y;
};
// The largest whole scale that fits (at most 16), centred; a window smaller than
// the picture shows its middle at scale 1.
Plat_View Plat_View_For(int w, int h);
// The picture pixel under a window pixel; the bars report the nearest edge.
void Plat_View_To_Picture(const Plat_View& view, int wx, int wy, int* px, int* py);

// A rectangle of the picture, in picture pixels.
struct Plat_Rect {
    int x, y, w, h;
};

// The picture is compared with the one shown in tiles of 16 rows by 32 columns.
// Changed runs of a band less than 8 tiles apart go out as one rectangle: each
// rectangle is a request the window system pays for.
constexpr int Plat_Band_Rows = 16;
constexpr int Plat_Chunk = 32;
constexpr int Plat_Merge_Gap = 8;
constexpr int Plat_Max_Change_Rects = (480 / Plat_Band_Rows) * (640 / Plat_Chunk / 2 + 1);

// Finds what changed between the frame and shown (640 x 480 each; shown is
// brought up to date). For each row's run of changed tiles, span(context, y, a, b)
// is called with the pixels [a, b) between its first and last changed pixel; the
// changed tiles of each band are written to rects, merged. Returns the count.
using Plat_Span_Fn = void (*)(void* context, int y, int a, int b);
int Plat_Find_Changes(uint8_t* shown, const uint8_t* pixels, int pitch, Plat_Span_Fn span,
                      void* context, Plat_Rect rects[Plat_Max_Change_Rects]);
