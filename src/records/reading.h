// The player's reading record: every chapter they completed, in any game, kept in a
// file of their own beside the save slots, and what it adds up to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/files.h"
#include "game/progress.h"

constexpr uint32_t Reading_Magic = 0x44525256;  // "VRRD"

// The file: a 40-byte head, then one 24-byte entry per completed session, all
// little-endian.
#pragma pack(push, 1)
struct Reading_Head {
    uint32_t magic;
    char name[32];   // the player's name, zero-filled
    uint32_t count;  // entries that follow
};
struct Reading_Entry {
    uint64_t game;    // the game's id
    int32_t session;  // the session's number in that game
    uint16_t book;    // 1..66
    uint16_t chapter;
    int64_t when;  // seconds since 1970-01-01 UTC it was counted
};
#pragma pack(pop)
static_assert(sizeof(Reading_Head) == 40, "a reading record's head is 40 bytes");
static_assert(sizeof(Reading_Entry) == 24, "an entry is 24 bytes");

// A record no player reaches: a completion a day for a thousand years.
constexpr uint32_t Reading_Max_Entries = 400000;

struct Reading_Record {
    std::string player;
    std::vector<Reading_Entry> done;  // in the order they were counted
};

// The file of a player's record ("SAVE/reading_C8E2E0ED" when portable): the name's
// bytes in hexadecimal, so any name makes a file name, the same on every system.
std::string Reading_Path(const char* player);

// Writes the record as its file: a new file beside the old one, flushed, then put
// in its place. False (the old file untouched, why in *error) when a step fails.
bool Reading_File_Write(const std::string& path, const Reading_Record& record,
                        Sys_Failure* error = nullptr, const Durable_Ops& ops = System_Durable_Ops);

enum class Reading_Read_Result { Ok, Missing, Damaged };
// Reads and checks a whole record file: Damaged (with why) when its length does not
// match its count, or it holds a chapter outside the Bible or a completion twice.
Reading_Read_Result Reading_File_Read(const std::string& path, Reading_Record* record,
                                      std::string* why);
// The same check of a file's bytes.
Reading_Read_Result Reading_Bytes_Read(const uint8_t* bytes, size_t size, Reading_Record* record,
                                       std::string* why);

// The player's record as it stands: empty when there is none yet. A damaged file
// is logged and put aside (the same path + ".damaged", numbered when taken), and a
// fresh record begins.
Reading_Record Reading_Open(const char* player);

// Counts the completed sessions of a game that the record does not hold yet, each
// once however often the game is continued; how many were new.
int Reading_Add_Game(Reading_Record* record, uint64_t game, const Session_List& sessions,
                     int64_t now);

// An id for a game the player begins: the one given, or the next free one when the
// player's record already knows it (scripted runs begin their games alike).
uint64_t Reading_Free_Game_Id(const Reading_Record& record, uint64_t id);

// The id of a game saved before games had one, from what its slot holds: the same
// for every copy of the game, so its completed sessions count once.
uint64_t Reading_Saved_Game_Id(const Game_Progress& progress, const Session_List& sessions);

// What the record adds up to, for the whole-Bible picture.
struct Reading_Mark {
    int count = 0;           // completions
    int64_t first = 0;       // when first completed
    bool this_game = false;  // completed in the game being played
};
struct Reading_Summary {
    std::vector<Reading_Mark> marks;  // one per chapter, in the Bible's order
    int chapters = 0, verses = 0, books = 0, days = 0;
    // By book number: chapters read, and the last of them (0: none).
    int book_read[67] = {}, book_last[67] = {};
};
Reading_Summary Reading_Summarize(const Reading_Record& record, uint64_t game);
