// The X server under the SDL window, for the desktop files that ask it themselves
// (built only where X11 is).
#pragma once

#include <X11/Xlib.h>

// The display and window of the program's window when it is on X; false
// elsewhere (Wayland, no window).
bool X11_Window(Display** display, ::Window* window);
