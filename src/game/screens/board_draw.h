// The board as it is shown: the background picture behind it and its change, its
// place on the screen, the cells, the walls and floor, the falling block, and the
// floating score numbers that rise where points were earned. Drawing only draws:
// what moves from frame to frame is stepped apart from it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/board.h"
#include "graphics/backgrounds.h"
#include "graphics/sprites.h"

// A floating number: 8 shades of its two colours, rising one pixel every 100 ms.
struct Score_Popup {
    int32_t x = 0, y = 0;  // centre, screen pixels
    Sprite frames[8];      // each with its own surface
    int32_t frame = 0, step = 1;
    int32_t dx = 0, dy = -1;
    uint32_t last_step = 0;
    uint32_t period = 100;
    int32_t life = 0;  // steps left

    Score_Popup() = default;
    ~Score_Popup();
    Score_Popup(const Score_Popup&) = delete;
    Score_Popup& operator=(const Score_Popup&) = delete;
};

constexpr int Max_Popups = 10;

// Digit sizes by popup kind: 1 a landing (8), 2 a row (16), 3 several rows (24).
std::unique_ptr<Score_Popup> Popup_Create(int x, int y, int value, int kind);

// The board's look: where it stands, its picture and the numbers over it. It
// watches the board for the points it earns.
class Board_View final : public Board_Watcher {
  public:
    Board_View() = default;
    ~Board_View();
    Board_View(const Board_View&) = delete;
    Board_View& operator=(const Board_View&) = delete;

    // Places the board from the heights of its frame pictures and reads the
    // directory of the background pictures (no picture yet).
    void Lay_Out();
    // A number rises where the points were earned, while fewer than Max_Popups do.
    void Points(int x, int y, int value, int kind) override;

    Sprite Background;             // the picture behind the stones
    Background_Dir Backgrounds;    // the directory of Bkfons.wad
    int32_t Background_Index = 0;  // the picture shown
    int32_t Left = 0;              // x of the left wall
    int32_t Top = 0;               // y of row 0
    int32_t Wall_Top = 0;          // y where the walls and background begin
    std::vector<std::unique_ptr<Score_Popup>> Popups;
};

// A new session's look: no number rising and a new random picture, never the one
// shown before (new sessions, continued games).
void Board_New_Look(Board_View* view);
// The next picture in order ("ФОН").
void Board_Next_Background(Board_View* view);

// The numbers take their next step at now; those whose life is over go.
void Popups_Step(Board_View* view, uint32_t now);

// Drawing, into the back buffer.
void Board_Draw_Cells(const Build_Area& area, const Board_View& view);
void Board_Draw_Frame(const Build_Area& area, const Board_View& view);
void Block_Draw(const Block* block, int x0, int y0);
void Popups_Draw(const Board_View& view);
