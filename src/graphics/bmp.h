// Reading 8-bit BMP pictures as palette indices, and writing screenshots.
#pragma once

#include <cstdint>
#include <cstdio>

struct Image8 {
    int32_t row_length = 0;  // bytes per row, padding included
    int32_t height = 0;
    uint8_t* pixels = nullptr;  // owned; rows top-down after reading
};

// Reads an 8-bit picture from an open file (which it always closes). The pixel
// block is taken as the last bytes of the file; indices 248..255 fold to 7..0.
int Bmp_Read(Image8* image, FILE* file);
int Bmp_Flip_Rows(int32_t row_length, int32_t height, uint8_t* pixels);
void Bmp_Free(Image8* image);

// Writes the rectangle (inclusive edges) of an 8-bit frame with Palette_Entries.
int Screenshot_Write(const uint8_t* pixels, int32_t pitch, int32_t left, int32_t top, int32_t right,
                     int32_t bottom, const char* name);

extern int32_t Screenshot_Number;
// The in-game screenshot: the screen into screen_shot_NNN.bmp in the screenshots'
// folder (images/screen_shot/ when portable).
void Screenshot_Take();
