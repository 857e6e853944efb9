// The window as a web page's canvas: the page's style sizes it to fill the browser's
// window, and full screen is the browser's, which a page gets only when the player
// asks (F11, Alt+Enter or the page's button), never at the start.
#include "core/system.h"
#include "platform/sdl_parts.h"

bool Starts_Full_Screen() {
    return false;
}

uint32_t Window_Flags() {
    // The canvas follows the page's size; in the screen's own pixels where WebGL
    // scales the picture (the window's surface is as large as the page's points).
    return SDL_WINDOW_RESIZABLE | (Gpu_Possible() ? SDL_WINDOW_ALLOW_HIGHDPI : 0);
}

void Window_Size_For_Windowed(int* w, int* h) {
    // Only until the page's style takes over.
    *w = Pic_W;
    *h = Pic_H;
}

void Go_Full_Screen() {
    SDL_SetWindowFullscreen(Sdl.win, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void Toggle_Fullscreen() {
    if (Sdl.win == nullptr) return;
    // The browser leaves full screen by itself on Escape: what it shows counts.
    Sdl.fullscreen = (SDL_GetWindowFlags(Sdl.win) & SDL_WINDOW_FULLSCREEN) == 0;
    if (Sdl.fullscreen)
        Go_Full_Screen();
    else
        SDL_SetWindowFullscreen(Sdl.win, 0);
    Sdl.need_redraw = true;
}

bool Window_Size(int* w, int* h) {
    if (Sdl.win == nullptr) return false;
    SDL_GetWindowSize(Sdl.win, w, h);
    return true;
}

bool Gpu_Possible() {
    // WebGL on a GPU; without one (or with WebGL drawn by the CPU) the program's
    // own scaling into the window's surface is cheaper.
    return Sys_Gpu_Device();
}
