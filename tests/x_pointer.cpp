// Pointer moves through Xlib.
#include "x_pointer.h"

#include <X11/Xlib.h>

bool X_Warp_Pointer(const char* display, int x, int y) {
    Display* d = XOpenDisplay(display);
    if (d == nullptr) return false;
    XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
    XSync(d, False);
    XCloseDisplay(d);
    return true;
}
