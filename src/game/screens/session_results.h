// The end of a session (its results, the storage settled, the diary record, the
// chapter shown and the next one) and the end of the whole game.
#pragma once

#include <string>
#include <vector>

#include "game/game_state.h"

// Reports and settles the session that just ended; 1 when play goes on in the same
// book, 0 when the book was finished.
int Session_Results(Game_State* state);
// The results box's lines for the session's record (its penalty the one charged),
// the book of the game and its chapter count.
std::vector<std::string> Session_Results_Lines(const Game_Progress& progress, int chapters,
                                               const Session_Record& record);
// "КОНЕЦ ИГРЫ" once every book has been read; 1.
int Game_Over_Screen();
