// The archive format of sprites.wad and Bkfons.wad: a count, one 48-byte directory
// record per picture, then the pixel blocks one after another.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "graphics/sprite_store.h"

constexpr int Wad_Record_Size = 48;

// Writes the store as the archive at path, in one step for anyone who reads it
// (another copy of the game starting at the same time): 1, or 0 when it could not
// be written and the old archive stays.
int Wad_Write(Sprite_Store* store, const std::string& path);
// Reads a whole archive into the store. An archive whose directory or blocks do not
// fit its length is refused whole.
int Wad_Read(Sprite_Store* store, const char* path);

// One directory record; false when its size is absurd.
bool Wad_Record_Read(const uint8_t* bytes, Sprite_Store_Entry* entry);

// The directory of an open archive, as the readers of both archives need it.
struct Wad_Directory {
    std::vector<Sprite_Store_Entry> entries;  // pixels null
    std::vector<bool> sane;                   // the record's size is not absurd
    int64_t file_size = 0;
};
// Reads the count and every record. Null on success; otherwise why the directory
// itself cannot be read ("нет счётчика", "оглавление"), and nothing is kept.
const char* Wad_Read_Directory(FILE* file, Wad_Directory* dir);
