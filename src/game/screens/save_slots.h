// Saving a game in play into a slot and loading one back into a freshly laid-out
// game.
#pragma once

#include "game/game_state.h"

// 1 when saved, 0 when the file could not be written (the old slot is untouched).
int Slot_Save(Game_State* state, int slot);
// 1 when the slot was read into the game, 0 when it could not be opened or is
// damaged (the game is left as it was).
int Slot_Load(Game_State* state, int slot);
// Lets the player choose a slot and saves into it; 1.
int Slot_Save_Dialog(Game_State* state);
