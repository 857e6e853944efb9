// The save slot file: a 64-byte head the slot menu lists, the 322-byte progress
// block, the board's 14,400 bytes of cells and the session records, all
// little-endian. Written beside the old file and put in its place, so that a save
// cut short at any point leaves the slot as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/files.h"
#include "game/game_state.h"

constexpr uint32_t Slot_Magic = 16512;
constexpr int Slot_Count = 12;

#pragma pack(push, 1)
struct Slot_Header {
    uint32_t magic;
    int32_t slot;
    int32_t in_use;  // 1
    char name[40];   // the first 30 characters of the player's name, zero-filled
    int32_t book;    // Book_Index
    int64_t saved;   // seconds since 1970-01-01 UTC
};
#pragma pack(pop)
static_assert(sizeof(Slot_Header) == 64, "a slot's head is 64 bytes");

constexpr size_t Slot_Progress_At = 64;
constexpr size_t Slot_Cells_At = Slot_Progress_At + sizeof(Game_Progress);  // 386
constexpr size_t Slot_Count_At = Slot_Cells_At + Cells_Bytes;               // 14786
constexpr size_t Slot_Records_At = Slot_Count_At + 4;                       // 14790
static_assert(Slot_Records_At == 14790, "an empty diary saves 14,790 bytes");

// Everything a slot file holds.
struct Slot_Data {
    Slot_Header header = {};
    Game_Progress progress = {};
    Stone_Cell cells[Cell_Rows * Cell_Cols] = {};
    std::vector<Session_Record> records;
};

// The file of slot n ("SAVE/slot3" when portable).
std::string Slot_Path(int slot);
// Makes the save folder when it is not there; false (and a line in the log) when it
// cannot be made, a file standing in its way being left alone.
bool Slot_Folder_Ready();

void Slot_Header_Write(const Slot_Header& h, uint8_t out[sizeof(Slot_Header)]);
void Slot_Header_Read(const uint8_t in[sizeof(Slot_Header)], Slot_Header* h);
// A head as it is listed: a known magic and book; false for a damaged one.
bool Slot_Header_Sane(const Slot_Header& h);

// The file steps a save takes, so that a test can make any of them fail.
using Slot_File_Ops = Durable_Ops;

// Writes the slot file: a new file beside the old one, flushed to the disk, then
// put in its place. False (the old file untouched, why in *error) when any step
// fails.
bool Slot_File_Write(const std::string& path, const Slot_Data& data, Sys_Failure* error = nullptr,
                     const Slot_File_Ops& ops = System_Durable_Ops);

enum class Slot_Read_Result { Ok, Missing, Damaged };
// Reads and checks a whole slot file. Damaged (with why) when it is short, of
// another size than its records make, or holds values no game can have.
Slot_Read_Result Slot_File_Read(const std::string& path, Slot_Data* data, std::string* why);
