// Writing an 8-bit picture as a plain bottom-up BMP with its palette: screenshots
// from the game and the frames that scripted runs photograph.
#pragma once

#include <cstdint>

// Writes w x h pixels (pitch bytes per row, top row first) with the palette as the
// colour table; palette holds 256 records {red, green, blue, flags}, written as
// {blue, green, red, 4}. False when the file cannot be written whole.
bool Bmp8_Write(const char* path, const uint8_t* pixels, int pitch, int w, int h,
                const uint8_t* palette);
