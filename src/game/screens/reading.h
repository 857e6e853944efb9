// Play turned into reading on the screen: each verse that opens is shown in the
// verse reader, and the running line at the top shows what has been opened.
#pragma once

#include "game/game_state.h"

// The verse now opening (Progress.Verse) in its reading box, over the game.
void Show_Verse(Game_State* state);
// The running line anew: the title, up to five earlier chapters in full, and the
// opened verses of this one.
void Verse_List_Refresh(Game_State* state);
