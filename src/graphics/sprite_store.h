// The store of named pictures: what an archive holds in memory, what sprites are
// loaded from, and what cutting a picture into sprites fills.
#pragma once

#include <cstdint>

#include "graphics/bmp.h"

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

Sprite_Store* Sprite_Store_Create(int capacity);
void Sprite_Store_Destroy(Sprite_Store* store);
int Sprite_Store_Find(const Sprite_Store* store, const char* name);
int Sprite_Store_Reserve(Sprite_Store* store, int n);
void Sprite_Store_Clear(Sprite_Store* store);
int Sprite_Store_Cut(Sprite_Store* store, const Image8* image, int x, int y, int w, int h,
                     const char* name);
int Sprite_Store_Cut_Cells(Sprite_Store* store, const Image8* image, int y, int count,
                           const char* prefix);
// A 32-byte name field: at most 31 characters, the rest zero.
void Sprite_Name_Copy(char* dst, const char* src);
