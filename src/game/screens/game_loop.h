// A game from its start to its end: sessions one after another over the chapters
// of the current book, the blocks of each session, the next book when one is
// finished, and the end of the game when none is left.
#pragma once

#include "game/game_state.h"

// How a new or a continued game went.
enum class Game_Result {
    Played,           // to its end, or until the player left
    Not_Started,      // no book left to choose, or no slot chosen
    Slot_Damaged,     // the slot chosen could not be read, or lies outside its book
    Book_Unreadable,  // the book of the slot chosen could not be loaded
};

// Lays out the screen, lets the player choose a book and plays.
Game_Result Game_New(Game_State* state, const char* player_name);
// Lays out the screen, lets the player choose a save slot, loads it and goes on
// with the saved session. Either way the caller closes the state (Game_Close) when
// it returns, after telling the player what failed.
Game_Result Game_Continue(Game_State* state);
// What the player is told when a chosen slot could not be continued (nothing for
// a game played or not started).
void Continue_Failure_Notice(Game_Result result);
// Runs the game until it is over, the player leaves through МЕНЮ, or the program is
// being left; start_new = 1 begins with a new session, 0 goes on with a loaded one.
int Game_Run(Game_State* state, int start_new);
