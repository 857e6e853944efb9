// The title screen and main menu: the desk panel, the bobbing logo, the columns of
// stones, the credits running up both edges, the five buttons and the name field;
// and the help and salvation pictures opened from it.
#pragma once

#include <cstdint>
#include <memory>

#include "game/game_state.h"
#include "ui/name_line.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

// One stone of the columns beside the menu, mirrored on the right.
struct Title_Stone {
    int32_t x = 0, y = 0;
    int32_t type = 1;       // 1..8
    int32_t frame = 0;      // 0..7
    int32_t step = 1;       // frames forward at each turn
    int32_t countdown = 3;  // frames until the next turn
    int32_t period = 4;     // frames between turns
};

// The five buttons, top to bottom.
enum Title_Button { Title_New_Game, Title_Continue, Title_Help, Title_Exit, Title_Salvation };
constexpr int Title_Buttons = 5;

struct Title_Screen {
    std::unique_ptr<cls_BtnMainTitle> buttons[Title_Buttons];
    std::unique_ptr<Text_Lines> credits;
    std::unique_ptr<Vertical_Ticker> left_ticker, right_ticker;
    std::unique_ptr<cls_Desk_Rect> panel;
    Title_Stone stones[8] = {};
    std::unique_ptr<Game_State> game;  // the game being played; none outside a game
    std::unique_ptr<Name_Line> name_line;
    int32_t frame_counter = 0;
};

// The credits, in order; lines 9 to 24 are whole verses of the Synodal text.
extern const char* const Credit_Lines[25];

// The logo's seven slices: where each is cut from, how wide, and its bobbing. The
// bobbing lives as long as the program, so it goes on where it stopped whenever
// the main menu is shown again.
extern int32_t Logo_Source_X[7], Logo_Width[7], Logo_Offset[7], Logo_Speed[7];

std::unique_ptr<Title_Screen> Title_Create();
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
