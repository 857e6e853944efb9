// Named sprites: the archives sprites.wad and Bkfons.wad, rebuilding them from the
// pictures in images/, and loading every sprite and font the program draws with.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/bmp.h"
#include "graphics/surface.h"

struct Sprite {
    char name[32] = {};
    int32_t width = 0;
    int32_t height = 0;
    Surface* surface = nullptr;  // owned
};

// One picture of an archive; also its 48-byte directory record on disk.
struct Sprite_Store_Entry {
    char name[32];
    int32_t width;
    int32_t height;
    uint8_t* pixels;  // owned; width * height, rows top-down
    uint32_t offset;  // of the pixel block in the archive
};

struct Sprite_Store {
    int32_t count = 0;
    int32_t capacity = 0;
    Sprite_Store_Entry* entries = nullptr;
};

// Where the archives are written and read (beside the content when portable, in
// the player's cache folder when installed).
std::string Sprites_Wad_Path();
std::string Bkfons_Wad_Path();
constexpr int Background_Count = 133;

Sprite_Store* Sprite_Store_Create(int capacity);
void Sprite_Store_Destroy(Sprite_Store* store);
int Sprite_Store_Find(const Sprite_Store* store, const char* name);
int Sprite_Store_Reserve(Sprite_Store* store, int n);
void Sprite_Store_Clear(Sprite_Store* store);
int Sprite_Store_Cut(Sprite_Store* store, const Image8* image, int x, int y, int w, int h,
                     const char* name);
int Sprite_Store_Cut_Cells(Sprite_Store* store, const Image8* image, int y, int count,
                           const char* prefix);

int Sprite_Create_Surface(int width, int height, Sprite* sprite);
int Sprite_Load(const Sprite_Store* store, Sprite* sprite, const char* name);
int Sprite_Load_Series(const Sprite_Store* store, Sprite* sprites, int count, const char* prefix);
void Sprite_Release(Sprite* sprite);
int Sprite_Draw(Surface* dst, int x, int y, const Sprite* sprite);

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
