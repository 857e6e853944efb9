// One full game-screen frame: the board with 144 stones and 10 score popups, the
// side panel with its counters and buttons, the running verse line and the
// cursor, drawn and turned into 32-bit colour; beside the floor of converting the
// same frame's palette indices alone.
#include <benchmark/benchmark.h>

#include "bench_common.h"

#include <cstdlib>
#include <vector>

#include "platform/shell_input.h"
#include "core/report_log.h"
#include "game/board.h"
#include "game/play.h"
#include "game/saving.h"
#include "game/screens/board_draw.h"
#include "game/screens/game_screen.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "ui/text_lines.h"

namespace {

Game_State* Game() {
    static Game_State* game = [] {
        Bench_Load_Graphics("veltran_game");
        auto* g = new Game_State();
        Game_Layout(g);
        Board_New_Look(&g->Screen->Board);
        // A full board, a block in the air, ten popups, a long running line.
        for (int r = 0; r < 12; ++r)
            for (int c = 1; c <= 12; ++c) Area_Cell(g->Area.get(), c, r).kind = 1 + (r + c) % 8;
        Block_Spawn(&g->Area->Current, 6);
        for (int i = 0; i < 10; ++i) g->Screen->Board.Points(40 + 30 * i, 200, 123 + i, 1 + i % 3);
        for (int i = 0; i < 30; ++i)
            g->Screen->Verse_Line->Add_Text("1:1 В начале сотворил Бог небо и землю.");
        std::snprintf(g->Progress.Book_Title, sizeof g->Progress.Book_Title, "Бытие");
        g->Progress.Book_Index = 1;
        Mouse_X = 500;
        Mouse_Y = 300;
        return g;
    }();
    return game;
}

void BM_Floor_Convert_Frame(benchmark::State& state) {
    Game();
    std::vector<uint32_t> out(640 * 480);
    for (auto _ : state) {
        Plat_Convert_Frame(Back_Buffer->pixels, Back_Buffer->pitch, Palette_Entries, out.data(),
                           640);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Floor_Convert_Frame)->Unit(benchmark::kMicrosecond);

void BM_Game_Frame(benchmark::State& state) {
    Game_State* g = Game();
    std::vector<uint32_t> out(640 * 480);
    for (auto _ : state) {
        Game_Draw_Picture(*g);
        Sprite_Draw(Back_Buffer, Mouse_X, Mouse_Y, Sprite_Get("mouse_cursor"));
        Plat_Convert_Frame(Back_Buffer->pixels, Back_Buffer->pitch, Palette_Entries, out.data(),
                           640);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Game_Frame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
