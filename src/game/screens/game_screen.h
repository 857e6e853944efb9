// The game screen: the board on the left, the running verse line along the top,
// and the side panel with the storage, session and book counters and the seven
// buttons. Laid out once per game; one frame drawn per tick, at most one per 30 ms.
#pragma once

#include "game/game_state.h"

// Makes the screen's objects; 1 when all exist.
int Game_Layout(Game_State* state);
// Draws one frame (the cursor too when asked), shows it and paces the game.
void Game_Draw_Frame(Game_State* state, int draw_cursor);
// The frame's picture alone, into the back buffer (no cursor, nothing shown).
void Game_Draw_Picture(Game_State* state);
// The frame twice without the cursor: what a box opening over the game shows.
void Game_Draw_Behind_Box(Game_State* state);
