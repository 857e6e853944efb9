// The 66 books of the Bible in the order of the Russian Synodal Bible, and which of
// them have a text file in the HScripts folder.
#pragma once

#include <cstdint>
#include <string>

constexpr int HS_Book_Count = 66;

// Looked up by book number - 1. Windows-1251.
extern const char* const HS_Titles[HS_Book_Count];      // shown to the player
extern const char* const HS_File_Names[HS_Book_Count];  // stem of HScripts/<stem>.txt
extern const char* const HS_Abbrevs[HS_Book_Count];     // short form where room is short

// 1 when the book's file was found at start-up.
extern uint8_t HS_Available[HS_Book_Count];

// The folder of the book files, relative to the working directory.
extern const char* const HS_Folder;

// The path of book k's file ("HScripts/Ruf.txt").
std::string Book_Path(int book);

// Lists HScripts and marks the books whose files are there; returns how many.
int Books_Find();
