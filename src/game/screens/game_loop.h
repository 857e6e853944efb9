// A game from its start to its end: sessions one after another over the chapters
// of the current book, the blocks of each session, the next book when one is
// finished, and the end of the game when none is left.
#pragma once

#include "game/game_state.h"

// Lays out the screen, lets the player choose a book and plays; 1 when a game was
// played, 0 when it could not start.
int Game_New(Game_State* state, const char* player_name);
// Lays out the screen, lets the player choose a save slot, loads it and goes on
// with the saved session; 0 when no slot was chosen or it could not be loaded.
// Either way the caller closes the state (Game_Close) when it returns.
int Game_Continue(Game_State* state);
// Runs the game until it is over, the player leaves through МЕНЮ, or the program is
// being left; start_new = 1 begins with a new session, 0 goes on with a loaded one.
int Game_Run(Game_State* state, int start_new);
