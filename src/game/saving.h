// Saving a game in play into a slot and loading one back into a laid-out game.
#pragma once

#include "game/game_state.h"

// 1 when saved, 0 when the file could not be written (the old slot is untouched;
// the errno of the failed step in *error).
int Slot_Save(Game_State* state, int slot, int* error = nullptr);
// 1 when the slot was read into the game, 0 when it could not be opened or is
// damaged (the game is left as it was).
int Slot_Load(Game_State* state, int slot);
// Whether a loaded game's chapter and verse lie inside its book (read already);
// when not, the slot is reported damaged in the log.
bool Slot_Fits_Book(Game_State* state, int slot);
// What the player is told when a save failed with that errno.
const char* Save_Failure_Text(int error);
