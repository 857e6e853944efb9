// Composing frames whole and only where they changed: a typical frame of the game
// while blocks fall (the empty cells' marks stepping, the block sinking, the
// running line moving) and of the title (the logo bobbing, the credits running),
// each drawn, composed and handed to the present, on the virtual clock. Beside them
// the floor: copying just the pixels that changed from one frame to the next.
#include <benchmark/benchmark.h>

#include "bench_common.h"
#include "bench_scene.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "app/title.h"
#include "game/board.h"
#include "game/play.h"
#include "game/saving.h"
#include "game/screens/board_draw.h"
#include "game/screens/game_screen.h"
#include "graphics/compose.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "platform/platform_internal.h"
#include "platform/shell_input.h"
#include "ui/text_lines.h"

namespace {

Game_State* Game() {
    static Game_State* game = [] {
        Plat_Clock_Set_Virtual(true);
        Bench_Load_Graphics("veltran_compose");
        Game_State* g = Bench_Half_Full_Game();
        Mouse_X = 600;
        Mouse_Y = 20;
        return g;
    }();
    return game;
}

Title_Screen* Title() {
    Game();
    static std::unique_ptr<Title_Screen> title = Title_Create();
    return title.get();
}

// One frame of the game as the game loop draws it, 30 ms after the last.
void Game_Frame() {
    Game_State* g = Game();
    Build_Area* a = g->Area.get();
    a->Current.Sub_Step = (a->Current.Sub_Step + 1) % 32;
    if (a->Current.Sub_Step == 0) a->Current.Y = (a->Current.Y + 1) % 5;
    Game_Draw_Picture(*g);
    Frame_End();
    Plat_Clock_Advance(30);
}

void Title_Frame() {
    Main_Menu_Draw(Title());
    Frame_End();
    Plat_Clock_Advance(30);
}

// Pixels of the screen that differ from one frame to the next, on average.
size_t Changed_Pixels(void (*frame)()) {
    std::vector<uint8_t> last(640 * 480);
    size_t changed = 0;
    for (int i = 0; i < 41; ++i) {
        frame();
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                uint8_t& was = last[static_cast<size_t>(y) * 640 + x];
                const uint8_t now = Primary_Surface->pixels[y * Primary_Surface->pitch + x];
                if (i > 0) changed += was != now;
                was = now;
            }
    }
    return changed / 40;
}

void Run(benchmark::State& state, void (*frame)(), Compose_Mode mode) {
    Game();
    Compose_Set_Mode(Compose_Mode::Full);
    const size_t changed = Changed_Pixels(frame);
    Compose_Set_Mode(mode);
    for (int i = 0; i < 3; ++i) frame();
    const double c0 = Cpu_Seconds();
    for (auto _ : state) frame();
    const double spent = Cpu_Seconds() - c0;
    // The floor: the changed pixels copied, as often.
    std::vector<uint8_t> from(changed + 1, 1), to(changed + 1);
    const double f0 = Cpu_Seconds();
    for (size_t k = 0; k < static_cast<size_t>(state.iterations()); ++k) {
        std::memcpy(to.data(), from.data(), changed);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    const double floor = Cpu_Seconds() - f0;
    const double n = static_cast<double>(state.iterations());
    state.counters["frame_us"] = 1e6 * spent / n;
    state.counters["floor_us"] = 1e6 * floor / n;
    state.counters["ratio_to_floor"] = floor > 0 ? spent / floor : 0;
    state.counters["changed_px"] = static_cast<double>(changed);
    Compose_Set_Mode(Compose_Mode::Full);
}

void BM_Game_Frame_Whole(benchmark::State& state) {
    Run(state, Game_Frame, Compose_Mode::Full);
}
void BM_Game_Frame_Changed_Only(benchmark::State& state) {
    Run(state, Game_Frame, Compose_Mode::Partial);
}
void BM_Title_Frame_Whole(benchmark::State& state) {
    Run(state, Title_Frame, Compose_Mode::Full);
}
void BM_Title_Frame_Changed_Only(benchmark::State& state) {
    Run(state, Title_Frame, Compose_Mode::Partial);
}
BENCHMARK(BM_Game_Frame_Whole)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Game_Frame_Changed_Only)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Title_Frame_Whole)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Title_Frame_Changed_Only)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
