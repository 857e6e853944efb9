// The seven side buttons during play: the holy book, pause, leaving to the main
// menu, the diary, saving, the next background and a screenshot.
#pragma once

#include "game/game_state.h"

enum class Side_Result {
    Nothing,  // no button fired (or only the screenshot was taken)
    Done,     // a button's action was carried out; play goes on
    Leave,    // the player leaves to the main menu
};

// Updates the seven buttons in the game loop's order.
void Side_Buttons_Update(Game_State* state);
// Carries out the first button that fired on this tick.
Side_Result Side_Buttons_Handle(Game_State* state);
