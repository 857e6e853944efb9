// The game's books: which of them the book list offers, and loading the one chosen
// into the game.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "scripture/book_table.h"

// What the book list offers: the books whose files are there and that were read in
// this game (read = true, for reading back) or not yet (read = false). Sets
// closed[k] to 1 for every other book; the number offered.
int Books_Offered(const Game_Progress& progress, bool read, uint8_t closed[HS_Book_Count]);
// Loads the book of Book_Index into Open_Book and takes its title; 1, or 0 when it
// failed (no book then). A book that fails is not offered again in this run.
int Load_Game_Book(Game_State* state);
