// The slot menus of the game: saving from the side buttons and what the player is
// told when a save or a load cannot be made.
#pragma once

#include "game/saving.h"

// What the player is told when the save folder cannot be made or entered.
constexpr const char* Slot_Folder_Failure_Text = "НЕТ ДОСТУПА К ПАПКЕ СОХРАНЕНИЙ";
void Slot_Folder_Failure_Notice();

// Lets the player choose a slot and saves into it: 1 when saved or cancelled, 0
// when the save failed, after telling the player so.
int Slot_Save_Dialog(Game_State* state);
