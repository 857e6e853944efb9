// The falling-block rules' speed: one game tick (steering, falling, row animation)
// on a busy board, and dealing and dropping 10,000 blocks with a simple placement
// policy; the floor is one copy of the board's cell array.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "platform/shell_input.h"
#include "game/board.h"
#include "platform/platform_internal.h"

namespace {

// A board with six ragged rows at the bottom and two full rows being collected.
std::unique_ptr<Build_Area> Busy_Board() {
    Plat_Clock_Set_Virtual(true);
    Plat_Clock_Set_Virtual(true);
    Plat_Clock_Advance(1000);
    Plat_Srand(1);
    Di_Keyboard = true;
    std::unique_ptr<Build_Area> board = Area_Create();
    Build_Area* a = board.get();
    for (int r = 4; r < 12; ++r)
        for (int c = 1; c <= 12; ++c)
            if (r < 6 || (c * 7 + r * 3) % 5 != 0) Area_Cell(a, c, r).kind = 1 + (c + r) % 8;
    Row_Collect(a, 4);
    Row_Collect(a, 5);
    for (int i = 0; i < a->Collect_Count; ++i) a->Collect_List[i].remove_at = 0xF0000000u;
    Block_Spawn(&a->Current, 6);
    return board;
}

void BM_Floor_Copy_Cells(benchmark::State& state) {
    const std::unique_ptr<Build_Area> a = Busy_Board();
    static Stone_Cell copy[Cell_Rows * Cell_Cols];
    for (auto _ : state) {
        std::memcpy(copy, a->Cells, sizeof copy);
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor_Copy_Cells);

void BM_Game_Tick_Busy_Board(benchmark::State& state) {
    const std::unique_ptr<Build_Area> board = Busy_Board();
    Build_Area* a = board.get();
    // LEFT and UP held: they fire every tick once their delays have passed.
    Plat_In_Key(0, DIK_LEFT, true, false);
    Plat_In_Key(0, DIK_UP, true, false);
    for (auto _ : state) {
        Plat_Clock_Advance(30);
        a->Current.Y = 1;  // keep it falling above the stones
        Block_Control(a);
        Rows_Shimmer(a, Plat_Tick());
        Rows_Leave(a, Plat_Tick());
    }
    Plat_In_Reset();
}
BENCHMARK(BM_Game_Tick_Busy_Board);

// Drops the block straight down from where it is; returns the row it rests on.
int Drop(Build_Area* a, Block* b) {
    while (!Block_Landed(a, b)) b->Y += 1;
    return b->Y;
}

void BM_Deal_And_Drop_10000_Blocks(benchmark::State& state) {
    Plat_Clock_Set_Virtual(true);
    Plat_Srand(2024);
    const std::unique_ptr<Build_Area> board = Area_Create();
    Build_Area* a = board.get();
    int64_t rows = 0, resets = 0;
    for (auto _ : state) {
        for (int n = 0; n < 10000; ++n) {
            Block_Spawn(&a->Current, 6);
            // Try every turn and column; keep the placement that rests lowest.
            Block best = a->Current, trial;
            int best_row = -100;
            for (int turn = 0; turn < 4; ++turn) {
                for (int x = 1; x <= 12; ++x) {
                    Block_Copy(&trial, &a->Current);
                    for (int t = 0; t < turn; ++t) Block_Rotate(a, +1, &trial);
                    trial.X = x;
                    if (!Block_Fits(a, &trial)) continue;
                    int row = Drop(a, &trial);
                    if (row > best_row) {
                        best_row = row;
                        Block_Copy(&best, &trial);
                    }
                }
            }
            a->Block_Rows = 0;
            Block_Land(a, &best);
            rows += a->Block_Rows;
            while (a->Collect_Count > 0) Row_Remove(a, 0);
            bool overflow = false;
            for (int c = 1; c <= 12; ++c) overflow |= Area_Cell(a, c, 0).kind > 0;
            if (overflow) {
                Area_Reset(a);
                ++resets;
            }
        }
    }
    state.counters["rows_per_block"] =
        benchmark::Counter(static_cast<double>(rows) / (10000.0 * state.iterations()));
    state.counters["board_overflows"] = static_cast<double>(resets);
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_Deal_And_Drop_10000_Blocks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
