// The screen: the primary surface and its back buffer, the palette loaded from
// rainbow.rbw, the software mouse cursor, presenting frames and recovering a
// lost display.
#pragma once

#include <cstdint>

#include "graphics/surface.h"

extern Surface* Primary_Surface;
extern Surface* Back_Buffer;
extern Surface* Cursor_Save_Surface;
extern uint8_t Palette_Entries[256 * 4];  // per index: red, green, blue, flags
extern int32_t Screen_Width;
extern int32_t Screen_Height;
extern int32_t Cursor_Saved_X;
extern int32_t Cursor_Saved_Y;

extern const char* const Rainbow_File;

int Display_Init();
int Display_Release();
int Rainbow_Load();

// Surfaces for sprites, widgets and fonts: source colour key 0.
Surface* Surface_Create(int width, int height);
int Surface_Clear(Surface* s);
uint8_t* Surface_Lock(Surface* s, int32_t* pitch);
int Surface_Unlock(Surface* s);
void Surface_Release(Surface*& s);

// Copies the back buffer to the screen and shows it.
int Present_Frame();
// Shows a short notice in the corner of every frame for a second and a half.
void Osd_Show(const char* text);
int Cursor_Draw();
int Cursor_Restore();
// The cursor sprite straight onto the back buffer, nothing saved under it.
void Cursor_Draw_Unsaved();
void Palette_Reattach();

// The three ways a screen ends its frame, one for each kind of screen:
// a modal screen that keeps its background in the back buffer between frames
// (boxes, viewer, diary, slot menu): the cursor saved and drawn, the frame shown,
// the area under the cursor restored;
void Frame_End_Kept();
// a screen that redraws its whole picture every frame (the main menu, the help and
// salvation pictures): the cursor saved and drawn, the frame shown;
void Frame_End_Redrawn();
// the game screen and the book list: the cursor straight onto the back buffer, the
// frame shown.
void Frame_End_Direct();

// The primary surface is lost when the system took the display from the program
// (the renderer's device or targets were reset).
bool Display_Is_Lost();
void Display_Force_Lost();  // tests
void Display_Recover();
