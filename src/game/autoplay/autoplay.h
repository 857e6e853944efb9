// The built-in player (VELTRAN_AUTOPLAY): it chooses a place for every block by
// weighing the board it would leave, and steers the block there by pressing the
// same keys a person does, through the platform's keyboard state; the rules cannot
// tell it from a person. On the other screens it answers as a player would:
// Escape closes the reading box when its time is over, the results, the viewer and
// the game's end, and takes the first unread book from the list.
#pragma once

#include <string>

#include "game/board.h"

// Where to put a block: how often to turn it (each a press of Up), whether to
// mirror it first, and the column of its origin.
struct Placement {
    bool found = false;
    int mirror = 0;
    int turns = 0;
    int x = 0;
    double score = 0;
};

// The best reachable place for the block on the board. The area is only read.
Placement Autoplay_Choose(Build_Area* area, const Block& block);

struct Autoplay_Options {
    // Also saves into slot 1 after every completed chapter and continues from it
    // through the main menu, as a long test of saving does.
    bool soak = false;
    // Plays with a game pad alone (the system's virtual pad): the cursor by the
    // stick, the blocks by the d-pad and the buttons.
    bool pad = false;
    // Opens the whole Bible's picture from every book list and takes a screenshot
    // of it (F12) before choosing the book.
    bool look_at_bible = false;
    // Leaves the program after this many seconds of real time (0: never).
    double wall_seconds = 0;
};

// Takes the keyboard from now on; starts a new game the first time it sees the
// main menu.
void Autoplay_Start(const Autoplay_Options& options);
void Autoplay_Stop();
// What was played: chapters, verses, sessions, blocks, rows, hours of game time,
// and memory (heap and resident) at the first completed chapter and now.
std::string Autoplay_Summary();
