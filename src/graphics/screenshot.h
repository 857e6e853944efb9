// The in-game screenshot (МУЗЫКА): the picture on the screen, its cursor but not
// the volume notice, into screen_shot_NNN.bmp in the screenshots' folder
// (images/screen_shot/ when portable).
#pragma once

#include <cstdint>

// Writes the rectangle (inclusive edges) of an 8-bit frame with Palette_Entries.
int Screenshot_Write(const uint8_t* pixels, int32_t pitch, int32_t left, int32_t top, int32_t right,
                     int32_t bottom, const char* name);

extern int32_t Screenshot_Number;
void Screenshot_Take();
