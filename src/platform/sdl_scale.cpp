// The way the picture is scaled into the window (F9), and points of the window
// back into the picture, on every system.
#include <algorithm>

#include "platform/sdl_parts.h"
#include "platform/settings.h"

void Toggle_Scale() {
    Sdl.scale = Sdl.scale == Plat_Scale::Sharp ? Plat_Scale::Whole : Plat_Scale::Sharp;
    Settings.sharp = Sdl.scale == Plat_Scale::Sharp;
    Settings_Save();
    if (Settings_Notice != nullptr)
        Settings_Notice(Settings.sharp ? "Масштаб: весь экран" : "Масштаб: целый");
    Sdl.need_redraw = true;
}

void To_Picture(int wx, int wy, int* x, int* y) {
    // The picture is laid out in the window's pixels, which a page on a screen of
    // high density has more of than it has points.
    int w = 0, h = 0, pw = 0, ph = 0;
    SDL_GetWindowSize(Sdl.win, &w, &h);
    SDL_GetWindowSizeInPixels(Sdl.win, &pw, &ph);
    if (w <= 0 || h <= 0) {
        *x = *y = 0;
        return;
    }
    if (pw <= 0 || ph <= 0 || Sdl.way == Sdl_Way::Through_Surface) pw = w, ph = h;
    Plat_Layout_To_Picture(Plat_Layout_For(pw, ph, Sdl.scale), wx * pw / w, wy * ph / h, x, y);
    *x = std::clamp(*x, 0, Pic_W - 1);
    *y = std::clamp(*y, 0, Pic_H - 1);
}
