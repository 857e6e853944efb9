// Presenting frames on a real X server (an Xvfb of the benchmark's own at
// 1280 x 1024, the window covering it at twice the picture): the title frame and
// a game frame, with every pixel changed and with a typical change from one frame
// to the next, on both ways of presenting. The CPU of this process and of the X
// server per frame, beside the floor of copying the same number of bytes.
#include <benchmark/benchmark.h>

#include "bench_common.h"
#include "bench_scene.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/shell_input.h"
#include "app/title.h"
#include "game/board.h"
#include "game/screens/board_draw.h"
#include "game/screens/game_screen.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "platform/sdl_system.h"
#include "platform/platform_internal.h"
#include "ui/text_lines.h"
#include "xvfb.h"

namespace {

std::string Skip_Reason;
pid_t Xvfb_Pid = 0;

// An X server of the benchmark's own; DISPLAY points at it.
bool Start_Xvfb() {
    if (!Xvfb_Server::Installed()) {
        Skip_Reason = "Xvfb is not installed (apt-get install xvfb); nothing measured";
        return false;
    }
    static Xvfb_Server server("1280x1024x24");
    if (!server.Running()) {
        Skip_Reason = "Xvfb did not start";
        return false;
    }
    Xvfb_Pid = server.Pid();
    setenv("DISPLAY", server.Display().c_str(), 1);
    return true;
}

// CPU time of a process in seconds, all its threads: the scheduler's count where
// the kernel keeps one (nanoseconds), else the clock ticks of /proc/<pid>/stat.
double Process_Cpu(pid_t pid) {
    const std::string proc = "/proc/" + std::to_string(pid);
    double ns = 0;
    bool counted = false;
    if (DIR* tasks = opendir((proc + "/task").c_str())) {
        while (const dirent* e = readdir(tasks)) {
            if (e->d_name[0] == '.') continue;
            std::ifstream sched(proc + "/task/" + e->d_name + "/schedstat");
            unsigned long long t = 0;
            if (sched >> t) {
                ns += static_cast<double>(t);
                counted = true;
            }
        }
        closedir(tasks);
    }
    if (counted) return ns * 1e-9;
    std::ifstream stat(proc + "/stat");
    std::string line;
    std::getline(stat, line);
    const size_t close_paren = line.rfind(')');
    if (close_paren == std::string::npos) return 0;
    std::istringstream fields(line.substr(close_paren + 2));
    std::string field;
    double ticks = 0;
    for (int i = 0; i < 13 && fields >> field; ++i)
        if (i >= 11) ticks += std::stod(field);
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct Frame {
    std::vector<uint8_t> pixels;
    uint8_t palette[1024];
};

std::vector<Frame> Title_Frames, Game_Frames;

Frame Grab() {
    Frame f;
    f.pixels.resize(640 * 480);
    for (int y = 0; y < 480; ++y)
        std::memcpy(&f.pixels[static_cast<size_t>(y) * 640],
                    Back_Buffer->pixels + static_cast<ptrdiff_t>(y) * Back_Buffer->pitch, 640);
    std::memcpy(f.palette, Palette_Entries, sizeof f.palette);
    return f;
}

// Thirty frames of each screen, 16 ms apart: the logo bobbing and the credits
// running on the title; the block falling and the verse line running in the game.
void Draw_Frames() {
    Plat_Clock_Set_Virtual(true);
    Bench_Load_Graphics("veltran_present");
    const std::unique_ptr<Title_Screen> title = Title_Create();
    Mouse_X = 500;
    Mouse_Y = 300;
    for (int i = 0; i < 30; ++i) {
        Main_Menu_Draw(title.get());
        Sprite_Draw(Back_Buffer, Mouse_X, Mouse_Y, Sprite_Get("mouse_cursor"));
        Title_Frames.push_back(Grab());
        Plat_Clock_Advance(16);
    }
    Game_State* g = Bench_Half_Full_Game();
    for (int i = 0; i < 30; ++i) {
        g->Area->Current.Sub_Step = (g->Area->Current.Sub_Step + 3) % 32;
        if (g->Area->Current.Sub_Step < 3) g->Area->Current.Y += 1;
        Game_Draw_Picture(*g);
        Sprite_Draw(Back_Buffer, Mouse_X, Mouse_Y, Sprite_Get("mouse_cursor"));
        Game_Frames.push_back(Grab());
        Plat_Clock_Advance(16);
    }
    Plat_Clock_Set_Virtual(false);
}

const char* Open_Way = nullptr;

// Opens the window (again) with the way of presenting asked for.
bool Open(const char* way) {
    static bool ready = [] {
        if (!Start_Xvfb()) return false;
        unsetenv("VELTRAN_SCRIPT");
        unsetenv("VELTRAN_WINDOWED");
        unsetenv("SDL_VIDEODRIVER");
        return true;
    }();
    if (!ready) return false;
    if (Open_Way != nullptr && std::strcmp(Open_Way, way) == 0) return true;
    if (Open_Way != nullptr) Plat_Close();
    setenv("VELTRAN_PRESENT", way, 1);
    Plat_Use_Sdl();
    if (Plat_Open("Veltran bench", Window_Proc) != PLAT_OPEN_OK) {
        Skip_Reason = std::string("no window on Xvfb: ") + Plat_Error();
        return false;
    }
    Open_Way = way;
    if (Title_Frames.empty()) Draw_Frames();
    return true;
}

// Bytes that differ between two frames, as the window holds them (4 bytes a pixel,
// twice the picture each way); every byte when the palette changes.
size_t Window_Bytes_Changed(const Frame& a, const Frame& b) {
    size_t n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
    return n * 16;
}

enum Change { Full, Typical };

void Present(benchmark::State& state, const char* way, const std::vector<Frame>& screen,
             Change change) {
    if (!Open(way)) {
        state.SkipWithError(Skip_Reason.c_str());
        return;
    }
    // Full change: the frame and the same frame with every index moved by one.
    std::vector<Frame> frames;
    if (change == Full) {
        frames = {screen[0], screen[0]};
        for (uint8_t& p : frames[1].pixels) p = static_cast<uint8_t>(p + 1);
    } else {
        frames = screen;
    }
    size_t bytes = 0;
    for (size_t i = 0; i < frames.size(); ++i)
        bytes += Window_Bytes_Changed(frames[i], frames[(i + 1) % frames.size()]);
    bytes /= frames.size();
    Plat_Present(frames.back().pixels.data(), 640, frames.back().palette);
    const double x0 = Process_Cpu(Xvfb_Pid), c0 = Cpu_Seconds();
    size_t i = 0;
    for (auto _ : state) {
        const Frame& f = frames[i++ % frames.size()];
        Plat_Note_Paced();  // no 60-a-second cap here: every frame is shown at once
        Plat_Present(f.pixels.data(), 640, f.palette);
    }
    const double game = Cpu_Seconds() - c0, x = Process_Cpu(Xvfb_Pid) - x0;
    // The floor: copying the bytes that changed in the window, as often.
    std::vector<uint8_t> from(bytes + 1, 1), to(bytes + 1);
    const double f0 = Cpu_Seconds();
    for (size_t k = 0; k < static_cast<size_t>(state.iterations()); ++k) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    const double floor = Cpu_Seconds() - f0;
    const double n = static_cast<double>(state.iterations());
    state.counters["game_us"] = 1e6 * game / n;
    state.counters["xserver_us"] = 1e6 * x / n;
    state.counters["floor_us"] = 1e6 * floor / n;
    state.counters["ratio_to_floor"] = floor > 0 ? (game + x) / floor : 0;
    state.counters["cpu_pct_at_60fps"] = 100.0 * 60.0 * (game + x) / n;
    state.counters["changed_kB"] = static_cast<double>(bytes) / 1024.0;
    state.SetLabel(Plat_Present_Way());
}

}  // namespace

int main(int argc, char** argv) {
    for (const char* way : {"surface", "renderer"})
        for (const auto& screen_frames :
             {std::pair{"Title", &Title_Frames}, std::pair{"Game", &Game_Frames}})
            for (Change change : {Full, Typical}) {
                // Named copies: a lambda captures variables, not structured bindings.
                const char* screen = screen_frames.first;
                const auto* frames = screen_frames.second;
                const std::string name = std::string("BM_") +
                                         (way[0] == 's' ? "Surface" : "Renderer") + "_" + screen +
                                         (change == Full ? "_Full" : "_Typical");
                benchmark::RegisterBenchmark(name.c_str(),
                                             [way, frames, change](benchmark::State& state) {
                                                 Present(state, way, *frames, change);
                                             })
                    ->Unit(benchmark::kMicrosecond)
                    ->UseRealTime();
            }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
