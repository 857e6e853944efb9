// The board and its blocks: dealing shapes, moving, turning and mirroring the
// falling block, landing it, and collecting, animating and removing full rows.
// Everything here runs without a display; score popups are made through hooks
// that board drawing installs.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "graphics/backgrounds.h"
#include "graphics/sprites.h"

// One stone of a falling block, relative to the block's origin.
struct Block_Stone {
    int32_t dc, dr;  // column and row offsets; rows grow downwards
    int32_t kind;    // 1..8
    int32_t frame;   // 0..7
    int32_t frame_step;
    uint32_t last_step;
    int32_t period;  // ms between frames (110)
};

// The falling piece.
struct Block {
    int32_t count = 0;       // stones in use, at most 16
    int32_t Sub_Step = 0;    // pixels sunk below its row, 0..31
    uint32_t Last_Fall = 0;  // tick of the last fall step
    int32_t Fall_Delay = 0;  // ms between fall steps (50)
    Block_Stone Stones[16] = {};
    int32_t X = 1;  // column of the origin, from 1
    int32_t Y = 0;  // row of the origin; stones may lie above row 0
};

struct Block_Box {
    int32_t min_col, max_col, min_row, max_row;
};

// A floating score number; drawn and owned by board drawing.
struct Score_Popup;
using Popup_Create_Fn = Score_Popup* (*)(int x, int y, int value, int kind);
using Popup_Release_Fn = void (*)(Score_Popup* popup);
// Board drawing installs how popups are made and released; without it none are made.
void Popups_Attach(Popup_Create_Fn create, Popup_Release_Fn release);

constexpr int Max_Popups = 10;
constexpr int Max_Collect = 30;
constexpr int Board_Width = 12;
constexpr int Board_Height = 12;
constexpr int Cell_Size = 32;

struct Collect_Entry {
    int32_t row;
    uint32_t remove_at;  // tick at which the row leaves the board
};

// The six keys that steer a block, in the order they act within a tick.
constexpr int Control_Keys = 6;

struct Build_Area {
    Stone_Cell Cells[Cell_Rows * Cell_Cols];  // row-major, cell (c, r) at r * 20 + c
    int32_t Collect_Count = 0;
    Collect_Entry Collect_List[Max_Collect] = {};
    int32_t Popup_Count = 0;
    Score_Popup* Popups[Max_Popups] = {};
    int32_t Width = Board_Width;
    int32_t Height = Board_Height;
    Sprite Background;             // the picture behind the stones
    Background_Dir Backgrounds;    // the directory of Bkfons.wad
    int32_t Background_Index = 0;  // the picture shown
    int32_t Left = 0;              // x of the left wall
    int32_t Top = 0;               // y of row 0
    int32_t Wall_Top = 0;          // y where the walls and background begin
    int32_t Drop_Bonus = 0;        // 0 or 32 (fast drop)
    Block Current;
    Block Trial;
    int32_t Block_Points = 0;
    int32_t Block_Rows = 0;
    uint32_t Key_Press[Control_Keys] = {};  // when each steering key went down; 0 = not held
};

// Blocks dealt since the program started; never reset.
extern uint32_t Blocks_Dealt;

// Shapes: 7 of 4 stones (group A), 13 of 5 (B, every 5th block), 23 of 6 (C, every
// 50th block), each a list of {column, row} offsets.
struct Block_Shape {
    int count;
    int8_t offsets[6][2];
};
extern const Block_Shape Shapes_A[7];
extern const Block_Shape Shapes_B[13];
extern const Block_Shape Shapes_C[23];

// A new board: 12 x 12, placed on the screen from the heights of the bottom frame
// and the top strip pictures, with the background directory read (no picture yet).
Build_Area* Area_Create(int frame_height, int top_strip_height);
void Area_Destroy(Build_Area* area);
void Area_Reset(Build_Area* area);

inline Stone_Cell& Area_Cell(Build_Area* a, int col, int row) {
    return a->Cells[row * Cell_Cols + col];
}

int Block_Spawn(Block* block, int column);
Block_Box Block_Bounds(const Block* block);
int Block_Fits(Build_Area* area, const Block* block);
int Block_Landed(Build_Area* area, const Block* block);
int Block_Rotate(Build_Area* area, int direction, Block* block);
int Block_Mirror(Build_Area* area, Block* block);
void Block_Copy(Block* dst, const Block* src);
void Block_Control(Build_Area* area);
int Block_Land(Build_Area* area, Block* block);
int Rows_Check(Build_Area* area, int first, int last);
int Row_Collect(Build_Area* area, int row);
void Rows_Animate(Build_Area* area);
void Row_Remove(Build_Area* area, int entry);
