// The game and the player's reading record: completed sessions counted into it, a
// continued game's diary counted once, and the whole-Bible picture opened from the
// game's screens.
#pragma once

#include "game/game_state.h"

// Counts the game's completed sessions that the record lacks into the player's
// record and writes it; a write that failed is told to the player over the game
// (what was recorded before stays, and the next completion tries again).
void Reading_Note_Game(Game_State* state);
// A new game: its id made sure to be new to the player's record.
void Reading_Begin_Game(Game_State* state);
// A continued game: one saved before games had ids takes one from what its slot
// holds; then its diary's completed sessions are counted, each once.
void Reading_Continue_Game(Game_State* state);
// The whole Bible as the player has read it, with the game's own chapters and the
// one being played.
void Show_Whole_Bible(Game_State* state);
