// Frames where no GPU would draw them: the program compares each frame with the
// one on the screen inside the rectangles it changed in, converts the changed parts
// through the palette and scales them, by the whole factor or sharp through
// Plat_Sharp_Scaler, and hands the window system rectangles just around them: on X
// each rectangle packed into memory shared with the server, elsewhere into the
// window's own surface.
#include "platform/sdl_parts.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the picture sits in the window: its scale and its top-left corner (black
// bars around it).
int View_K = 1, View_X = 0, View_Y = 0;
int Surface_W = 0, Surface_H = 0;
uint32_t Surface_Lut[256];
std::vector<uint32_t> Scaled_Row;
Plat_Sharp_Scaler Sharp;
bool Sharp_Surface = false;             // the picture goes through Sharp
const SDL_Surface* Shown_On = nullptr;  // the surface the frame on the screen was drawn in

void Place_View(int w, int h) {
    const Plat_Layout l = Plat_Layout_For(w, h, Sdl.scale);
    View_K = l.k;
    View_X = l.x;
    View_Y = l.y;
    Surface_W = w;
    Surface_H = h;
    // A layout of a whole factor is drawn by whole pixels; any other through Sharp.
    Sharp_Surface = l.w != Pic_W * l.k;
    if (Sharp_Surface) Sharp.Prepare(l);
}

// Where converted pixels go: window pixel (x, y) first, rows pitch bytes apart,
// clipped to the w x h window pixels from there.
struct Canvas {
    uint8_t* pixels;
    int pitch;
    int x, y, w, h;
};
Canvas Canvas_Of(SDL_Surface* s) {
    return Canvas{static_cast<uint8_t*>(s->pixels), s->pitch, 0, 0, s->w, s->h};
}

// The window rectangle of the layout, drawn through the sharp scaler.
void Draw_Sharp(const Canvas& c, const Plat_Rect& window) {
    Sharp.Draw(Sdl.shown_pixels.data(), Surface_Lut, window, reinterpret_cast<uint32_t*>(c.pixels),
               c.pitch / 4, c.x, c.y);
}

// Converts source columns [a, b) of row y through the palette, scaled, into the
// canvas, clipped to it: the first window row is written, the others copied.
void Blit_Span(const Canvas& c, const uint8_t* src, int y, int a, int b) {
    const int k = View_K;
    int x0 = View_X + a * k, x1 = View_X + b * k;
    const int skip = x0 < c.x ? c.x - x0 : 0;
    x0 = std::max(x0, c.x);
    x1 = std::min(x1, c.x + c.w);
    if (x1 <= x0) return;
    const int first_dy = std::max(View_Y + y * k, c.y);
    const int end_dy = std::min(View_Y + (y + 1) * k, c.y + c.h);
    if (end_dy <= first_dy) return;
    auto window_row = [&](int dy) {
        return reinterpret_cast<uint32_t*>(c.pixels + static_cast<ptrdiff_t>(dy - c.y) * c.pitch) +
               (x0 - c.x);
    };
    // Written straight into the canvas unless it cuts the span.
    const bool whole = skip == 0 && x1 - x0 == (b - a) * k;
    uint32_t* first = whole ? window_row(first_dy) : Scaled_Row.data();
    uint32_t* row = first;
    if (k == 1) {
        for (int x = a; x < b; ++x) *row++ = Surface_Lut[src[x]];
    } else if (k == 2 && whole && end_dy - first_dy == 2) {
        // The common case, twice the size: both window rows written at once.
        // Each picture pixel is one 64-bit pair of window pixels in both rows.
        uint8_t* top = reinterpret_cast<uint8_t*>(row);
        uint8_t* under = reinterpret_cast<uint8_t*>(window_row(first_dy + 1));
        for (int x = a; x < b; ++x, top += 8, under += 8) {
            const uint64_t v = Surface_Lut[src[x]] * 0x100000001ULL;
            std::memcpy(top, &v, 8);
            std::memcpy(under, &v, 8);
        }
        return;
    } else {
        for (int x = a; x < b; ++x) {
            const uint32_t v = Surface_Lut[src[x]];
            for (int i = 0; i < k; ++i) *row++ = v;
        }
    }
    const uint32_t* from = first + skip;
    const size_t bytes = static_cast<size_t>(x1 - x0) * 4;
    for (int dy = first_dy; dy < end_dy; ++dy)
        if (window_row(dy) != from) std::memcpy(window_row(dy), from, bytes);
}

}  // namespace

bool Show_Surface(const uint8_t* pixels, int pitch, const uint8_t* palette,
                  const Plat_Rect* changed, int count) {
    SDL_Surface* const shared = Shared_Frame_Surface();
    SDL_Surface* s = shared != nullptr ? shared : SDL_GetWindowSurface(Sdl.win);
    if (s == nullptr || s->pixels == nullptr || s->format->BytesPerPixel != 4) {
        Sdl.need_redraw = true;  // tried again with the next frame
        return true;
    }
    const bool full = Sdl.need_redraw || s != Shown_On || s->w != Surface_W || s->h != Surface_H ||
                      std::memcmp(Sdl.shown_palette, palette, sizeof Sdl.shown_palette) != 0;
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return true;
    if (full) {
        // The shared segment's room for the whole window is the surface itself.
        const SDL_Rect all{0, 0, s->w, s->h};
        if (shared != nullptr && Shared_Frame_Stage(all, all) != s->pixels) return true;
        Shown_On = s;
        Place_View(s->w, s->h);
        Scaled_Row.assign(static_cast<size_t>(Pic_W) * View_K, 0);
        std::memcpy(Sdl.shown_palette, palette, sizeof Sdl.shown_palette);
        for (int i = 0; i < 256; ++i)
            Surface_Lut[i] =
                SDL_MapRGB(s->format, palette[4 * i], palette[4 * i + 1], palette[4 * i + 2]);
        SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
        const Canvas all_of = Canvas_Of(s);
        for (int y = 0; y < Pic_H; ++y) {
            const uint8_t* src = pixels + static_cast<ptrdiff_t>(y) * pitch;
            std::memcpy(&Sdl.shown_pixels[static_cast<size_t>(y) * Pic_W], src, Pic_W);
            if (!Sharp_Surface) Blit_Span(all_of, src, y, 0, Pic_W);
        }
        if (Sharp_Surface) Draw_Sharp(all_of, Sharp.Window_Rect(Plat_Rect{0, 0, Pic_W, Pic_H}));
        if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
        if (shared != nullptr) {
            Shared_Frame_Show_Staged();
            Sdl.need_redraw = false;
        } else {
            Sdl.need_redraw = SDL_UpdateWindowSurfaceRects(Sdl.win, &all, 1) != 0;
        }
        return true;
    }
    // Into SDL's window surface the changed runs are converted as they are found;
    // into the shared segment each rectangle is drawn whole, packed, once found.
    struct Target {
        Canvas canvas;
        const uint8_t* pixels;
        int pitch;
    } target{Canvas_Of(s), pixels, pitch};
    static Plat_Rect found[Plat_Max_Change_Rects];
    const int n = Plat_Find_Changes(
        Sdl.shown_pixels.data(), pixels, pitch, changed, count,
        Sharp_Surface || shared != nullptr
            ? [](void*, int, int, int) {}
            : [](void* context, int y, int a, int b) {
                  const Target& t = *static_cast<const Target*>(context);
                  Blit_Span(t.canvas, t.pixels + static_cast<ptrdiff_t>(y) * t.pitch, y, a, b);
              },
        &target, found);
    static SDL_Rect rects[Plat_Max_Change_Rects];
    int sent = 0;
    const SDL_Rect whole{0, 0, s->w, s->h};
    for (int i = 0; i < n; ++i) {
        const Plat_Rect& c = found[i];
        SDL_Rect r, drawn;
        if (Sharp_Surface) {
            // The changed tiles, blended with their neighbours, from the frame shown;
            // the scaler draws a few columns beside them too.
            const Plat_Rect w = Sharp.Window_Rect(c);
            if (w.w <= 0) continue;  // pixels a picture made smaller leaves out
            const Plat_Rect d = Sharp.Drawn_Rect(w);
            r = SDL_Rect{w.x, w.y, w.w, w.h};
            drawn = SDL_Rect{d.x, d.y, d.w, d.h};
        } else {
            const SDL_Rect scaled{View_X + c.x * View_K, View_Y + c.y * View_K, c.w * View_K,
                                  c.h * View_K};
            if (!SDL_IntersectRect(&scaled, &whole, &r)) continue;
            drawn = r;
        }
        Canvas to = target.canvas;
        if (shared != nullptr) {
            uint32_t* room = Shared_Frame_Stage(drawn, r);
            if (room == nullptr) continue;
            to = Canvas{
                reinterpret_cast<uint8_t*>(room), drawn.w * 4, drawn.x, drawn.y, drawn.w, drawn.h};
        }
        if (Sharp_Surface)
            Draw_Sharp(to, Plat_Rect{drawn.x, drawn.y, drawn.w, drawn.h});
        else if (shared != nullptr)
            for (int y = c.y; y < c.y + c.h; ++y)
                Blit_Span(to, &Sdl.shown_pixels[static_cast<size_t>(y) * Pic_W], y, c.x, c.x + c.w);
        rects[sent++] = r;
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (shared != nullptr) {
        if (sent > 0) Shared_Frame_Show_Staged();
    } else if (sent > 0 && SDL_UpdateWindowSurfaceRects(Sdl.win, rects, sent) != 0) {
        Sdl.need_redraw = true;
    }
    return sent > 0;
}

bool Open_Surface() {
    const bool shared = Shared_Frame_Surface() != nullptr;
    SDL_Surface* s = shared ? nullptr : SDL_GetWindowSurface(Sdl.win);
    if (!shared && (s == nullptr || s->format->BytesPerPixel != 4))
        return Sdl_Fail("no window surface");
    Sdl.way = Sdl_Way::Through_Surface;
    Sdl.way_text = shared ? "window surface in memory shared with the X server, changed parts only"
                          : "window surface, changed parts only";
    Surface_W = Surface_H = 0;
    Shown_On = nullptr;
    return true;
}

void Close_Surface() {
    Shared_Frame_Close();
    Scaled_Row.clear();
    Scaled_Row.shrink_to_fit();
}
