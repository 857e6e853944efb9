// The seven side buttons during play: the holy book, pause, leaving to the main
// menu, the diary, saving, the next background and a screenshot.
#pragma once

#include "game/game_state.h"

enum Side_Result {
    Side_Nothing = 0,  // no button fired (or only the screenshot was taken)
    Side_Done = 1,     // a button's action was carried out; play goes on
    Side_Leave = 2,    // the player leaves to the main menu
};

// Updates the seven buttons in the game loop's order.
void Side_Buttons_Update(Game_State* state);
// Carries out the first button that fired on this tick.
int Side_Buttons_Handle(Game_State* state);
