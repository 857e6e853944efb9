// Reading 8-bit BMP pictures as palette indices.
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
