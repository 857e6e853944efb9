// The title screen and main menu: the desk panel, the bobbing logo, the columns of
// stones, the credits running up both edges, the five buttons and the name field;
// and the help and salvation pictures opened from it.
#pragma once

#include <memory>

#include <cstdint>

#include "ui/name_line.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

#include "game/game_state.h"

struct Title_Stone {
    int32_t x, y, type, frame, step, countdown, period;
};

struct Title_Screen {
    cls_BtnMainTitle* buttons[5] = {};  // new game, continue, help, exit, salvation
    Text_Lines* credits = nullptr;
    Vertical_Ticker* left_ticker = nullptr;
    Vertical_Ticker* right_ticker = nullptr;
    cls_Desk_Rect* panel = nullptr;
    Title_Stone stones[8] = {};
    std::unique_ptr<Game_State> game;  // the game being played; none outside a game
    Name_Line* name_line = nullptr;
    int32_t frame_counter = 0;
};

// The credits, in order; lines 9 to 24 are whole verses of the Synodal text.
extern const char* const Credit_Lines[25];

// The logo's seven slices: where each is cut from, how wide, and its bobbing. The
// bobbing lives as long as the program, so it goes on where it stopped whenever
// the main menu is shown again.
extern int32_t Logo_Source_X[7], Logo_Width[7], Logo_Offset[7], Logo_Speed[7];
// Puts the slices back where the program starts them (tests).
void Logo_Reset();

Title_Screen* Title_Create();
void Title_Destroy(Title_Screen* title);
// Runs the main menu until the player leaves; returns 1.
int Main_Menu_Run(Title_Screen* title);
// The main menu's picture of one frame (name entry included), into the back buffer.
void Main_Menu_Draw(Title_Screen* title);
// One frame of the main menu: the picture, the cursor, presenting, pacing.
void Main_Menu_Frame(Title_Screen* title);
void Help_Screen(Title_Screen* title);
void Salvation_Screen(Title_Screen* title);
// Moves the logo slices one step and draws them; and the stone columns.
void Logo_Draw(Surface* surface);
void Stones_Draw(Title_Screen* title, Surface* surface);
