// CPU used by a paced screen (30 ms frames) while the player does nothing, against
// the floor of a loop that only sleeps the same frames. Real clock, dummy display.
#include <benchmark/benchmark.h>

#include "bench_common.h"

#include <ctime>
#include <cstdlib>
#include <vector>

#include "platform/shell_input.h"
#include "platform/platform.h"
#include "platform/sdl_system.h"

namespace {

bool Open_Once() {
    static bool ok = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("VELTRAN_SCRIPT");
        Plat_Use_Sdl();
        return Plat_Open("Veltran bench", Window_Proc) == PLAT_OPEN_OK;
    }();
    return ok;
}

// Runs one second of paced frames; animate changes the picture every frame.
double Run_Second(bool present, bool animate) {
    std::vector<uint8_t> frame(640 * 480, 0);
    uint8_t palette[1024] = {};
    for (int i = 0; i < 256; ++i) palette[4 * i] = palette[4 * i + 1] = static_cast<uint8_t>(i);
    Pacing_Ticks = Plat_Tick();
    const uint32_t end = Plat_Tick() + 1000;
    double cpu0 = Cpu_Seconds();
    int n = 0;
    while (static_cast<int32_t>(Plat_Tick() - end) < 0) {
        Plat_Msg msg;
        if (Plat_Peek_Message(&msg)) Plat_Dispatch_Message(&msg);
        if (present) {
            if (animate) frame[static_cast<size_t>(n % 480) * 640 + 320] = static_cast<uint8_t>(n);
            Plat_Present(frame.data(), 640, palette);
        }
        Pace_Frame();
        ++n;
    }
    return Cpu_Seconds() - cpu0;
}

void Report(benchmark::State& state, bool present, bool animate) {
    if (!Open_Once()) {
        state.SkipWithError("no dummy display");
        return;
    }
    double floor = 0, screen = 0;
    for (auto _ : state) {
        floor += Run_Second(false, false);
        screen += Run_Second(present, animate);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["floor_cpu_pct"] = 100.0 * floor / n;
    state.counters["screen_cpu_pct"] = 100.0 * screen / n;
    state.counters["ratio_to_floor"] = floor > 0 ? screen / floor : 0;
}

void BM_Paced_Still_Screen(benchmark::State& state) {
    Report(state, true, false);
}
void BM_Paced_Animated_Screen(benchmark::State& state) {
    Report(state, true, true);
}

BENCHMARK(BM_Paced_Still_Screen)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paced_Animated_Screen)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
