// The pointer, the keyboard and the screen of an X server, reached as a person or
// a tool does (kept apart from the tests because Xlib's macros clash with
// GoogleTest's).
#pragma once

#include <cstdint>
#include <vector>

// False when the display cannot be opened.
bool X_Warp_Pointer(const char* display, int x, int y);

// A press and release of the left button at (x, y), or of a key named as X names
// it ("Return"), sent at once one after the other as a tool does. False without
// the XTest extension.
bool X_Quick_Click(const char* display, int x, int y);
bool X_Quick_Key(const char* display, const char* key);

// The whole screen as 0xRRGGBB values, row by row.
bool X_Read_Screen(const char* display, int* w, int* h, std::vector<uint32_t>* pixels);
