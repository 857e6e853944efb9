// The board's background pictures: the directory of Bkfons.wad kept in memory and
// one 128 x 128 picture loaded at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/sprites.h"

struct Background_Dir {
    std::vector<Sprite_Store_Entry> entries;  // pixels unused
    int32_t count = 0;
    char path[260] = {};
};

// Reads the directory of Bkfons.wad (or of the archive at path).
int Backgrounds_Open(Background_Dir* dir, const char* path = nullptr);
void Backgrounds_Close(Background_Dir* dir);
int Background_Load(Background_Dir* dir, int index, Sprite* sprite);
