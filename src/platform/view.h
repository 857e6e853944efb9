// The arithmetic of showing the picture without a GPU: where it sits in a window
// (scale and offset), where a window pixel falls on it, and which parts of a new
// frame differ from the one shown, as runs of pixels to convert and rectangles to
// hand to the window system.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

// How the picture fills a screen: by the largest whole factor (crisp, with bars
// where it does not divide), or sharp: the 4:3 picture as high (or as wide) as
// the screen, enlarged by the largest whole factor and the last, fractional step
// made smooth.
enum class Plat_Scale { Whole, Sharp };
struct Plat_Layout {
    int k;           // the whole factor (the sharp layout's first step)
    int x, y, w, h;  // where the picture lands in the window
};
Plat_Layout Plat_Layout_For(int w, int h, Plat_Scale scale);
// The picture pixel under a window pixel in a layout; the bars report the edge.
void Plat_Layout_To_Picture(const Plat_Layout& layout, int wx, int wy, int* px, int* py);
// The largest whole factor whose window, with its frame, fits the work area.
int Plat_Window_Factor(int area_w, int area_h, int frame_w, int frame_h);

// Draws the picture into a sharp layout without a GPU: enlarged by the whole
// factor and the last step blended, from per-column and per-row tables made once
// a layout; any window rectangle can be drawn alone, so only what changed is.
class Plat_Sharp_Scaler {
  public:
    // wide: eight pixels at a time where the processor can (AVX2); the bytes are
    // the same either way.
    void Prepare(const Plat_Layout& layout, bool wide = true);
    // The window rectangle that a rectangle of the picture colours.
    Plat_Rect Window_Rect(const Plat_Rect& picture) const;
    // The window rectangle Draw writes for a window rectangle: widened inside the
    // layout by up to 7 columns to whole steps of its loops.
    Plat_Rect Drawn_Rect(const Plat_Rect& window) const;
    // Draws the window rectangle (inside the layout) from the picture's indices
    // through lut (32-bit pixels, 8 bits a channel in any order) into out, which
    // holds window pixel (out_x, out_y) first; the columns of Drawn_Rect beside it
    // are drawn too, from the same picture.
    void Draw(const uint8_t* pixels, const uint32_t lut[256], const Plat_Rect& window,
              uint32_t* out, int out_pitch_pixels, int out_x = 0, int out_y = 0) const;

  private:
    struct Tap {
        uint16_t p0, p1;  // the picture's two neighbours
        uint16_t w1;      // weight of p1, 0..256
    };
    static void Taps(int length, int k, int picture, std::vector<Tap>* taps,
                     std::vector<int>* first, std::vector<int>* last);
    // The window columns [from, from + n) of the layout of one picture row.
    void Line(const uint8_t* src, const uint32_t lut[256], int from, int n, uint32_t* out) const;
    Plat_Layout layout_{};
    std::vector<Tap> cols_, rows_;
    std::vector<uint16_t> col_weights_;     // each column's w1, once for each byte of a pixel
    std::vector<int32_t> col_p0_, col_p1_;  // each column's neighbours (p1 is p0 unblended)
    bool wide_ = false;                     // eight pixels at a time (AVX2)
    // Each picture pixel's first and last window pixel, in order along the picture.
    std::vector<int> col_first_, col_last_, row_first_, row_last_;
};

// The picture is compared with the one shown in bands of 16 rows, 32 columns at a
// time. Each changed run of a row is converted alone; the runs go to the window
// system as rectangles around them: runs in rows next to each other and less than
// Plat_Run_Gap pixels apart share one, and two rectangles share one where that
// costs at most Plat_Join_Cost pixels more (a rectangle costs its pixels and a
// pixel's border around them). Each rectangle is a request the window system
// pays for, each pixel in it a copy (and, scaled sharp, a blend). A band keeps at
// most Plat_Band_Boxes rectangles: past that its rectangles less than
// Plat_Merge_Gap pixels apart across join, whole rows of the band high.
constexpr int Plat_Band_Rows = 16;
constexpr int Plat_Chunk = 32;
constexpr int Plat_Run_Gap = 8;
constexpr int Plat_Join_Cost = 200;
constexpr int Plat_Merge_Gap = 48;
constexpr int Plat_Band_Boxes = 24;
constexpr int Plat_Max_Change_Rects = 480 / Plat_Band_Rows * Plat_Band_Boxes;

// Finds what changed between the frame and shown (640 x 480 each; shown is
// brought up to date), looking only inside the rectangles of hint (everywhere when
// hint is null). span(context, y, a, b) is called for each changed run of a row,
// [a, b) from its first to its last changed pixel; the rectangles around the runs
// are written to rects. Returns their count.
using Plat_Span_Fn = void (*)(void* context, int y, int a, int b);
int Plat_Find_Changes(uint8_t* shown, const uint8_t* pixels, int pitch, const Plat_Rect* hint,
                      int hint_count, Plat_Span_Fn span, void* context,
                      Plat_Rect rects[Plat_Max_Change_Rects]);
