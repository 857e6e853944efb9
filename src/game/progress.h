// The records of a game, as slot files hold them: where the player stands
// (Game_Progress, byte for byte), the board's cells and the finished sessions,
// with their explicit little-endian forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// --- where the player stands: 322 bytes, packed, little-endian in files -------
// The fields are unaligned: read and assign them, never bind a reference or a
// pointer to one.
#pragma pack(push, 1)
struct Game_Progress {
    char Player_Name[32];
    uint8_t Book_Read[66];  // [k - 1] = 1 when book k was finished in this game
    int32_t Game_Over;
    int32_t Book_Done;
    int32_t Session_End;  // 0 running, 1 failed, 2 completed
    int32_t Book_Index;   // 1..66
    char Book_Title[128];
    int32_t Chapter;
    int32_t Verse;
    int32_t Letters;
    int32_t Chapters_Back;
    int32_t Session_Number;
    int32_t Store_Sessions;
    int32_t Store_Verses;
    int32_t Store_Letters;
    int32_t Store_Points;
    int32_t Store_Rows;  // rows come before blocks in the storage...
    int32_t Store_Blocks;
    int32_t Ses_Points;
    int32_t Ses_Blocks;  // ...and after them in the session counters
    int32_t Ses_Rows;
    int32_t Ses_Letters;
    int32_t Ses_Verses;
    int64_t Ses_Start;  // seconds since 1970-01-01 UTC
    // Which game this is, so that its completed chapters count once in the player's
    // reading record; 0 in a game saved before games had one.
    uint64_t Game_Id;
};
#pragma pack(pop)
static_assert(sizeof(Game_Progress) == 322, "the progress block is 322 bytes in slot files");
static_assert(offsetof(Game_Progress, Book_Title) == 114);
static_assert(offsetof(Game_Progress, Store_Rows) == 278);
static_assert(offsetof(Game_Progress, Ses_Start) == 306);
static_assert(offsetof(Game_Progress, Game_Id) == 314);

constexpr int Session_Failed = 1;
constexpr int Session_Completed = 2;

// --- one cell of the board: 24 bytes, the same in memory and in slot files ------
struct Stone_Cell {
    int32_t kind;  // 0 empty, 1..8 stone colour
    int32_t reserved;
    int32_t frame;        // animation frame 0..7
    int32_t frame_step;   // +1 or -1
    uint32_t last_step;   // tick of the last frame step
    int32_t step_period;  // ms between frame steps
};
static_assert(sizeof(Stone_Cell) == 24, "a cell is six 32-bit fields");

constexpr int Cell_Rows = 30;
constexpr int Cell_Cols = 20;
constexpr size_t Cells_Bytes = sizeof(Stone_Cell) * Cell_Rows * Cell_Cols;
static_assert(Cells_Bytes == 14400);

// --- one finished session: 52 bytes ------------------------------------------
struct Session_Record {
    int32_t book;
    int32_t chapter;
    int32_t verses_opened;
    int32_t verses_total;
    int32_t letters_opened;
    int32_t letters_total;
    int32_t session_number;
    int32_t points;
    int32_t blocks;
    int32_t rows;
    int32_t success;   // 1 completed, 0 failed
    int32_t penalty;   // points taken from the storage
    int32_t duration;  // seconds
};
static_assert(sizeof(Session_Record) == 52, "a session record is thirteen 32-bit fields");

// The finished sessions of a game, in the order the diary shows them.
using Session_List = std::vector<Session_Record>;

// --- explicit little-endian forms of the file records ---------------------------
void Progress_Write(const Game_Progress& p, uint8_t out[sizeof(Game_Progress)]);
void Progress_Read(const uint8_t in[sizeof(Game_Progress)], Game_Progress* p);
void Session_Write(const Session_Record& s, uint8_t out[sizeof(Session_Record)]);
void Session_Read(const uint8_t in[sizeof(Session_Record)], Session_Record* s);
void Cells_Write(const Stone_Cell cells[Cell_Rows * Cell_Cols], uint8_t out[Cells_Bytes]);
void Cells_Read(const uint8_t in[Cells_Bytes], Stone_Cell cells[Cell_Rows * Cell_Cols]);
