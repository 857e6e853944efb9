// The board and its blocks: dealing shapes, moving, turning and mirroring the
// falling block, landing it, and collecting, animating and removing full rows.
// Everything here runs without a display; whoever shows the board watches the
// points it earns through a Board_Watcher.
#pragma once

#include <cstdint>
#include <memory>

#include "game/progress.h"

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

// Who shows the board is told of the points a landing earns where it earns them
// (the numbers that rise over the board): x, y in board pixels; kind 1 a landing,
// 2 a row, 3 the bonus of several rows. Told before anything else is drawn from
// the random numbers, in the order the points are earned.
class Board_Watcher {
  public:
    virtual void Points(int x, int y, int value, int kind) = 0;

  protected:
    ~Board_Watcher() = default;
};

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
    int32_t Width = Board_Width;
    int32_t Height = Board_Height;
    int32_t Drop_Bonus = 0;  // 0 or 32 (fast drop)
    Block Current;
    Block Trial;
    int32_t Block_Points = 0;
    int32_t Block_Rows = 0;
    uint32_t Key_Press[Control_Keys] = {};  // when each steering key went down; 0 = not held
    Board_Watcher* Watcher = nullptr;       // told of the points earned, when someone shows them

    Build_Area() = default;
    Build_Area(const Build_Area&) = delete;
    Build_Area& operator=(const Build_Area&) = delete;
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

// A new board: 12 x 12, every cell empty.
std::unique_ptr<Build_Area> Area_Create();
// Every cell empty, no row collected, nothing earned by the block.
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
// A collected row leaves the board a second after it was collected: those whose
// time is up at now, in the order they were collected.
void Rows_Leave(Build_Area* area, uint32_t now);
void Row_Remove(Build_Area* area, int entry);

// The board's animation, a step for every frame shown: the empty cells take their
// next frame (Cells_Step, before the frame is drawn), the stones of collected rows
// shimmer (Rows_Shimmer, after it), and the falling block's stones turn (Block_Animate,
// before it).
void Cells_Step(Build_Area* area);
void Rows_Shimmer(Build_Area* area, uint32_t now);
void Block_Animate(Block* block, uint32_t now);
