// The store of named pictures: what an archive holds in memory, what sprites are
// loaded from, and what cutting a picture into sprites fills.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/bmp.h"

// One picture of an archive, and what its 48-byte directory record on disk says.
struct Sprite_Store_Entry {
    char name[32] = {};
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // width * height, rows top-down; none in a directory
    uint32_t offset = 0;          // of the pixel block in the archive
};

struct Sprite_Store {
    std::vector<Sprite_Store_Entry> entries;
    int Count() const { return static_cast<int>(entries.size()); }
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
