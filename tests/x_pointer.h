// Moving the pointer on an X server, as a person would (kept apart from the tests
// because Xlib's macros clash with GoogleTest's).
#pragma once

// False when the display cannot be opened.
bool X_Warp_Pointer(const char* display, int x, int y);
