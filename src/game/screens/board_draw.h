// The board's look: the background picture behind it and its change, the cells,
// the walls and floor, the falling block with their frame animations, and the
// floating score numbers that rise where points were earned.
#pragma once

#include <cstdint>

#include "game/board.h"
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
};

// Installs the popups below as the ones the rules make and release.
void Board_Drawing_Attach();

// Digit sizes by popup kind: 1 a landing (8), 2 a row (16), 3 several rows (24).
Score_Popup* Popup_Create(int x, int y, int value, int kind);
void Popup_Destroy(Score_Popup* popup);
void Popups_Update(Build_Area* area);

// The board reset and a new random picture (new sessions, continued games).
void Area_New_Background(Build_Area* area);
// The next picture in order ("ФОН").
void Area_Next_Background(Build_Area* area);

void Block_Animate(Block* block);
void Block_Draw(const Block* block, int x0, int y0);
void Area_Draw_Cells(Build_Area* area);
void Area_Draw_Frame(const Build_Area* area);
