// Play turned into reading: letters open the verses of the chapter one after
// another, each shown in the verse reader, and the running line at the top shows
// what has been opened.
#pragma once

#include "game/game_state.h"

// Adds n letters; opens every verse they reach. 1 while the chapter goes on, 0 once
// its last verse has opened.
int Add_Letters(Game_State* state, int n);
// Shows the verse now opening and moves on; 0 when it was the chapter's last.
int Open_Next_Verse(Game_State* state);
// The running line anew: the title, up to five earlier chapters in full, and the
// opened verses of this one.
void Verse_List_Refresh(Game_State* state);
