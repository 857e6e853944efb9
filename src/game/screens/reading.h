// Play turned into reading on the screen: each verse that opens is shown in the
// verse reader, and the running line at the top shows what has been opened.
#pragma once

#include "game/game_state.h"

// Shows every verse that opens in the reading box and keeps the running line.
void Reading_Screens_Attach();
// The running line anew: the title, up to five earlier chapters in full, and the
// opened verses of this one.
void Verse_List_Refresh(Game_State* state);
