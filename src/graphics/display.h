// The screen: the primary surface and its back buffer, the palette loaded from
// rainbow.rbw, the software mouse cursor, presenting frames and recovering a
// lost display.
#pragma once

#include <cstdint>

#include "graphics/surface.h"

extern Surface* Primary_Surface;
extern Surface* Back_Buffer;
extern uint8_t Palette_Entries[256 * 4];  // per index: red, green, blue, flags
extern int32_t Screen_Width;
extern int32_t Screen_Height;

extern const char* const Rainbow_File;

int Display_Init();
int Display_Release();
int Rainbow_Load();

// Shows the back buffer (what was drawn into it since the last frame is composed
// first), with the notice over it and no cursor.
int Present_Frame();
// Shows a short notice in the corner of every frame for a second and a half.
void Osd_Show(const char* text);
// The picture on the screen as the last frame showed it, its cursor included but
// not the notice: what a screenshot keeps. Null before the display is up.
const uint8_t* Screen_Picture(int32_t* pitch);
void Palette_Reattach();

// How every screen ends its frame: the back buffer shown with the cursor over it.
// The cursor is drawn on the screen only, never into the back buffer, so a screen
// that keeps its picture in the back buffer between frames (boxes, viewer, diary,
// slot menu) finds it as it left it.
void Frame_End();

// The primary surface is lost when the system took the display from the program
// (the renderer's device or targets were reset).
bool Display_Is_Lost();
void Display_Recover();
