// Saving a game in play into a slot and loading one back into a laid-out game.
#pragma once

#include <string>

#include "core/system.h"
#include "game/game_state.h"

// 1 when saved, 0 when the file could not be written (the old slot is untouched;
// why in *error).
int Slot_Save(Game_State* state, int slot, Sys_Failure* error = nullptr);
// 1 when the slot was read into the game, 0 when it could not be opened or is
// damaged (the game is left as it was).
int Slot_Load(Game_State* state, int slot);
// Whether a loaded game's chapter and verse lie inside its book (read already);
// when not, the slot is reported damaged in the log.
bool Slot_Fits_Book(Game_State* state, int slot);
// What the player is told when a file of theirs could not be written for that
// reason ("WHAT: НА ДИСКЕ НЕТ МЕСТА"), and when a save failed.
std::string Write_Failure_Text(const char* what, Sys_Failure why);
std::string Save_Failure_Text(Sys_Failure why);
