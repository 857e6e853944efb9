// Named sprites: the archives sprites.wad and Bkfons.wad, rebuilding them from the
// pictures in images/, and loading every sprite and font the program draws with.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/bmp.h"
#include "graphics/sprite_store.h"
#include "graphics/surface.h"

struct Sprite {
    char name[32] = {};
    int32_t width = 0;
    int32_t height = 0;
    Surface* surface = nullptr;  // owned
};

// Where the archives are written and read (beside the content when portable, in
// the player's cache folder when installed).
std::string Sprites_Wad_Path();
std::string Bkfons_Wad_Path();
constexpr int Background_Count = 133;

int Sprite_Create_Surface(int width, int height, Sprite* sprite);
int Sprite_Load(const Sprite_Store* store, Sprite* sprite, const char* name);
int Sprite_Load_Series(const Sprite_Store* store, Sprite* sprites, int count, const char* prefix);
void Sprite_Release(Sprite* sprite);
int Sprite_Draw(Surface* dst, int x, int y, const Sprite* sprite);
// Tiles the rectangle (right and bottom exclusive) with the sprite, keyed, the last
// row and column cut to fit.
int Sprite_Tile(const Sprite* sprite, int left, int top, int right, int bottom, Surface* dst);

// Every single sprite by its archive name ("Btn_MMenu_press", "mouse_cursor" ...);
// null for a name the program does not know.
Sprite* Sprite_Get(const char* name);
// The size of a single sprite by name; 0 for a name the program does not know.
int Sprite_Width(const char* name);
int Sprite_Height(const char* name);
extern Sprite Stone_Sprites[9][8];
extern Sprite Wall_Sprites[7];

int Sprites_Build_Archive();
int Sprites_Load_All();
int Sprites_Release_All();
