// The state of one game: its records (progress.h), the board, the book being
// read, and the Game_State object that owns them (and, opaquely, the game screen's
// objects).
#pragma once

#include <memory>

#include "game/progress.h"

// --- one game in play ----------------------------------------------------------
struct Build_Area;
struct HS_Book;
// What shows a game on the screen (its panel, fonts, buttons, running line and
// tunes): made by the game screen's layout, opaque here, released with the game.
struct Game_Screen;
using Game_Screen_Owner = std::unique_ptr<Game_Screen, void (*)(Game_Screen*)>;

// One game: made by the main menu for each new or continued game, prepared by the
// rules (Game_Prepare) and shown by the game screen; Game_Close releases everything
// it holds.
struct Game_State {
    Game_Progress Progress = {};
    std::unique_ptr<Build_Area> Area;    // the board, once prepared
    std::unique_ptr<HS_Book> Open_Book;  // the current book, or none
    Session_List Sessions;
    Game_Screen_Owner Screen{nullptr, nullptr};

    Game_State();
    ~Game_State();
    Game_State(const Game_State&) = delete;
    Game_State& operator=(const Game_State&) = delete;
};

// A clear board and no finished session: what every game starts from.
void Game_Prepare(Game_State* state);
// Releases everything the state holds, the screen's objects with it; may be called
// any number of times ("Close Game" is logged only when something was held).
int Game_Close(Game_State* state);
