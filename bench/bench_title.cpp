// The title screen: drawing one main-menu frame (panel, logo, stones, buttons,
// both credit tickers, the name field) plus the palette conversion, beside one
// memcpy of the frame; and the CPU of the paced title screen left idle, beside a
// loop that only sleeps the same frames.
#include <benchmark/benchmark.h>

#include "bench_common.h"
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "platform/shell_input.h"
#include "core/report_log.h"
#include "app/title.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "platform/sdl_system.h"

namespace fs = std::filesystem;

namespace {

Title_Screen* Title() {
    static Title_Screen* title = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("VELTRAN_SCRIPT");
        Plat_Use_Sdl();
        Plat_Open("Veltran bench", Window_Proc);
        Bench_Load_Graphics("veltran_title");
        return Title_Create().release();  // kept for the whole run
    }();
    return title;
}

void BM_Floor_Memcpy_Frame(benchmark::State& state) {
    Floor_Memcpy_Frame(state);
}
BENCHMARK(BM_Floor_Memcpy_Frame);

void BM_Title_Frame_Drawing(benchmark::State& state) {
    Title_Screen* t = Title();
    std::vector<uint32_t> converted(640 * 480);
    for (auto _ : state) {
        Main_Menu_Draw(t);
        Sprite_Draw(Back_Buffer, Mouse_X, Mouse_Y, Sprite_Get("mouse_cursor"));
        Plat_Convert_Frame(Back_Buffer->pixels, Back_Buffer->pitch, Palette_Entries,
                           converted.data(), 640);
        benchmark::DoNotOptimize(converted.data());
    }
}
BENCHMARK(BM_Title_Frame_Drawing)->Unit(benchmark::kMicrosecond);

void BM_Title_Idle_CPU(benchmark::State& state) {
    Title_Screen* t = Title();
    double floor = 0, screen = 0;
    for (auto _ : state) {
        Pacing_Ticks = Plat_Tick();
        uint32_t end = Plat_Tick() + 1000;
        double c0 = Cpu_Seconds();
        while (static_cast<int32_t>(Plat_Tick() - end) < 0) Pace_Frame();
        floor += Cpu_Seconds() - c0;
        end = Plat_Tick() + 1000;
        c0 = Cpu_Seconds();
        while (static_cast<int32_t>(Plat_Tick() - end) < 0) {
            Plat_Msg msg;
            if (Plat_Peek_Message(&msg)) Plat_Dispatch_Message(&msg);
            for (auto& b : t->buttons) b->Update();
            Main_Menu_Frame(t);
        }
        screen += Cpu_Seconds() - c0;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["floor_cpu_pct"] = 100 * floor / n;
    state.counters["title_cpu_pct"] = 100 * screen / n;
    state.counters["ratio_to_floor"] = floor > 0 ? screen / floor : 0;
}
BENCHMARK(BM_Title_Idle_CPU)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
