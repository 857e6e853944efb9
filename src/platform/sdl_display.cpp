// The window on a desktop's display: its size as a window, full screen (through the
// window manager, or covering the display where there is none), and what the X
// server says about itself.
#include "platform/sdl_parts.h"

#if VELTRAN_HAVE_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>

#include "platform/sdl_x11.h"
#endif

#include <cstdlib>
#include <cstring>

#include "core/files.h"
#include "core/system.h"
#include "platform/settings.h"

#if VELTRAN_HAVE_X11
bool X11_Window(Display** display, ::Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (Sdl.win == nullptr || !SDL_GetWindowWMInfo(Sdl.win, &info) ||
        info.subsystem != SDL_SYSWM_X11)
        return false;
    *display = info.info.x11.display;
    *window = info.info.x11.window;
    return true;
}
#endif

namespace {

// Whether anyone will honour a request for full screen: on X, an EWMH window manager
// announces itself on the root window. Elsewhere the system always does.
bool Full_Screen_Honoured() {
#if VELTRAN_HAVE_X11
    Display* d = nullptr;
    ::Window w = 0;
    if (!X11_Window(&d, &w)) return true;
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int got = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW,
                                       &type, &format, &items, &after, &data);
    const bool running = got == Success && items == 1 && data != nullptr;
    if (data != nullptr) XFree(data);
    return running;
#else
    return true;
#endif
}

void Go_Windowed() {
    if (Sdl.covering) SDL_SetWindowBordered(Sdl.win, SDL_TRUE);
    Sdl.covering = false;
    SDL_SetWindowFullscreen(Sdl.win, 0);
    int w, h;
    Window_Size_For_Windowed(&w, &h);
    SDL_SetWindowSize(Sdl.win, w, h);
    SDL_SetWindowPosition(Sdl.win, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

}  // namespace

bool Starts_Full_Screen() {
    return Plat_Start_Fullscreen();
}

uint32_t Window_Flags() {
    return 0;
}

// The window: the largest whole factor whose window, with the frame the window
// manager puts around it, fits the work area (the desktop less its panels).
void Window_Size_For_Windowed(int* w, int* h) {
    SDL_Rect usable;
    int display = Sdl.win ? SDL_GetWindowDisplayIndex(Sdl.win) : 0;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (Sdl.win == nullptr || SDL_GetWindowBordersSize(Sdl.win, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;  // no window manager (yet): no frame
    int k = 1;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) == 0)
        k = Plat_Window_Factor(usable.w, usable.h, left + right, top + bottom);
    *w = k * Pic_W;
    *h = k * Pic_H;
}

void Go_Full_Screen() {
    Sdl.covering = false;
    if (Full_Screen_Honoured()) {
        SDL_SetWindowFullscreen(Sdl.win, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    // No window manager (a kiosk, a bare X server): nobody would make the window as
    // large as the display, so it covers the display itself, without a border.
    SDL_Rect b;
    const int display = SDL_GetWindowDisplayIndex(Sdl.win);
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &b) != 0) return;
    SDL_SetWindowFullscreen(Sdl.win, 0);
    SDL_SetWindowBordered(Sdl.win, SDL_FALSE);
    SDL_SetWindowPosition(Sdl.win, b.x, b.y);
    SDL_SetWindowSize(Sdl.win, b.w, b.h);
#if VELTRAN_HAVE_X11
    // SDL may take the window for placed already; the server is told directly.
    Display* d = nullptr;
    ::Window xw = 0;
    if (X11_Window(&d, &xw)) {
        XMoveResizeWindow(d, xw, b.x, b.y, static_cast<unsigned>(b.w), static_cast<unsigned>(b.h));
        XSync(d, False);
    }
#endif
    Sdl.covering = true;
}

void Toggle_Fullscreen() {
    if (Sdl.win == nullptr) return;
    Sdl.fullscreen = !Sdl.fullscreen;
    Settings.fullscreen = Sdl.fullscreen;  // remembered for the next start
    Settings_Save();
    if (Sdl.fullscreen)
        Go_Full_Screen();
    else
        Go_Windowed();
    Sdl.need_redraw = true;
}

bool Window_Size(int* w, int* h) {
    if (Sdl.win == nullptr) return false;
    SDL_GetWindowSize(Sdl.win, w, h);
#if VELTRAN_HAVE_X11
    Display* d = nullptr;
    ::Window xw = 0;
    XWindowAttributes a;
    if (X11_Window(&d, &xw) && XGetWindowAttributes(d, xw, &a)) {
        *w = a.width;
        *h = a.height;
    }
#endif
    return true;
}

bool Gpu_Possible() {
    const char* soft = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (soft != nullptr && *soft != '\0' && std::strcmp(soft, "0") != 0 &&
        Compare_No_Case(soft, "false") != 0)
        return false;
    if (!Sys_Gpu_Device()) return false;
#if VELTRAN_HAVE_X11
    // Xvfb, Xvnc and forwarded displays hand out no direct rendering.
    Display* d = nullptr;
    ::Window w = 0;
    if (X11_Window(&d, &w)) {
        int op = 0, event = 0, error = 0;
        bool direct = false;
        for (const char* ext : {"DRI3", "DRI2", "NV-GLX"})
            direct = direct || XQueryExtension(d, ext, &op, &event, &error);
        if (!direct) return false;
    }
#endif
    return true;
}
