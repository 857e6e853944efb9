// Pointer moves, quick clicks and screen reads through Xlib (and XTest).
#include "x_pointer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#if VELTRAN_HAVE_XTEST
#include <X11/extensions/XTest.h>
#endif

bool X_Warp_Pointer(const char* display, int x, int y) {
    Display* d = XOpenDisplay(display);
    if (d == nullptr) return false;
    XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
    XSync(d, False);
    XCloseDisplay(d);
    return true;
}

bool X_Quick_Click(const char* display, int x, int y) {
#if VELTRAN_HAVE_XTEST
    Display* d = XOpenDisplay(display);
    if (d == nullptr) return false;
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
    XCloseDisplay(d);
    return true;
#else
    (void)display;
    (void)x;
    (void)y;
    return false;
#endif
}

bool X_Quick_Key(const char* display, const char* key) {
#if VELTRAN_HAVE_XTEST
    Display* d = XOpenDisplay(display);
    if (d == nullptr) return false;
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(key));
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XSync(d, False);
    XCloseDisplay(d);
    return code != 0;
#else
    (void)display;
    (void)key;
    return false;
#endif
}

bool X_Read_Screen(const char* display, int* w, int* h, std::vector<uint32_t>* pixels) {
    Display* d = XOpenDisplay(display);
    if (d == nullptr) return false;
    XSync(d, False);
    const Window root = DefaultRootWindow(d);
    XWindowAttributes a;
    XGetWindowAttributes(d, root, &a);
    XImage* image = XGetImage(d, root, 0, 0, static_cast<unsigned>(a.width),
                              static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        XCloseDisplay(d);
        return false;
    }
    *w = a.width;
    *h = a.height;
    pixels->resize(static_cast<size_t>(a.width) * static_cast<size_t>(a.height));
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            (*pixels)[static_cast<size_t>(y) * static_cast<size_t>(a.width) +
                      static_cast<size_t>(x)] =
                static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
    XDestroyImage(image);
    XCloseDisplay(d);
    return true;
}
