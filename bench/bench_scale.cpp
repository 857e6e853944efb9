// Sharp scaling without a GPU on a 1280 x 800 screen (the picture 1067 x 800): a
// whole frame, a typical playing frame (the falling block's tiles) and a title
// frame (the changed rectangles of the credits, the logo and the stones) through
// the scaler (eight pixels at a time where the processor can, and four), beside
// the floors of writing the same window pixels with memcpy and of the
// whole-factor conversion of a frame, in the same run. A live frame follows 30 ms
// asleep, after which the caches and the page tables' cache have forgotten what it
// touches: the title frame is also drawn after such a sleep, into the window's rows
// (a page for each row) or each rectangle packed into room of its own.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/view.h"

namespace {

struct Scene {
    Plat_Layout layout = Plat_Layout_For(1280, 800, Plat_Scale::Sharp);
    Plat_Sharp_Scaler scaler, four;  // four: never eight pixels at a time
    std::vector<uint8_t> picture = std::vector<uint8_t>(640 * 480);
    uint32_t lut[256] = {};
    std::vector<uint32_t> window = std::vector<uint32_t>(1280 * 800);
    // A playing frame's changes: the block's 3 x 4 tiles and a popup's 2 tiles.
    std::vector<Plat_Rect> typical = {{160, 96, 96, 64}, {288, 320, 64, 16}};
    // A title frame's changes as the present used to find them: the two credits
    // columns in pieces between their letters, the logo's moving letters, the
    // stones' sparkles: 46,000 picture pixels in 47 rectangles (the title's frames
    // measured 37,000 in 55 then; the rectangles that cost least make 20,000 in 72).
    std::vector<Plat_Rect> title = [] {
        std::vector<Plat_Rect> r = {{16, 16, 103, 16},  {16, 32, 209, 48},  {288, 32, 119, 16},
                                    {455, 32, 167, 16}, {288, 48, 336, 16}, {367, 64, 257, 32},
                                    {88, 80, 224, 16}};
        for (int y = 96; y < 470; y += 32) {
            r.push_back({16, y, 24, 18});
            r.push_back({600, y, 24, 18});
        }
        for (int k = 0; k < 16; ++k)
            r.push_back({80 + (k % 2) * 32 + (k / 8) * 440, 180 + 35 * (k % 8), 12, 12});
        return r;
    }();
    Scene() {
        scaler.Prepare(layout);
        four.Prepare(layout, false);
        for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7 / 640);
        for (int i = 0; i < 256; ++i) lut[i] = 0x010203u * static_cast<uint32_t>(i);
    }
};
Scene& The_Scene() {
    static Scene scene;
    return scene;
}

void BM_Sharp_Full_Frame(benchmark::State& state) {
    Scene& s = The_Scene();
    const Plat_Rect all = s.scaler.Window_Rect({0, 0, 640, 480});
    for (auto _ : state) {
        s.scaler.Draw(s.picture.data(), s.lut, all, s.window.data(), 1280);
        benchmark::ClobberMemory();
    }
}

void BM_Floor_Memcpy_Full_Window(benchmark::State& state) {
    Scene& s = The_Scene();
    std::vector<uint32_t> from(s.window.size(), 5);
    for (auto _ : state) {
        for (int y = 0; y < s.layout.h; ++y)
            std::memcpy(&s.window[static_cast<size_t>(y) * 1280 + s.layout.x],
                        &from[static_cast<size_t>(y) * 1280], static_cast<size_t>(s.layout.w) * 4);
        benchmark::ClobberMemory();
    }
}

// A frame's sleep until the next (30 ms), not timed: the caches and the page tables'
// cache are then what a live frame finds.
void Sleep_As_A_Frame(benchmark::State& state) {
    state.PauseTiming();
    usleep(30000);
    state.ResumeTiming();
}

// The picture's rectangles through the scaler, or their floor: the same window
// pixels copied. Drawn in the window's rows, or packed: each rectangle's rows one
// after another in room of its own, as they go to the X server.
enum class Where { Window, Packed };
void Draw_Rects(benchmark::State& state, const std::vector<Plat_Rect>& picture_rects,
                bool wide = true, Where where = Where::Window, bool after_sleep = false) {
    Scene& s = The_Scene();
    const Plat_Sharp_Scaler& scaler = wide ? s.scaler : s.four;
    std::vector<Plat_Rect> rects;
    for (const Plat_Rect& r : picture_rects)
        rects.push_back(s.scaler.Drawn_Rect(s.scaler.Window_Rect(r)));
    for (auto _ : state) {
        if (after_sleep) Sleep_As_A_Frame(state);
        size_t at = 0;
        for (const Plat_Rect& r : rects)
            if (where == Where::Window) {
                scaler.Draw(s.picture.data(), s.lut, r, s.window.data(), 1280);
            } else {
                scaler.Draw(s.picture.data(), s.lut, r, &s.window[at], r.w, r.x, r.y);
                at += (static_cast<size_t>(r.w) * r.h + 15) & ~size_t{15};
            }
        benchmark::ClobberMemory();
    }
}

void Copy_Rects(benchmark::State& state, const std::vector<Plat_Rect>& picture_rects,
                bool after_sleep = false) {
    Scene& s = The_Scene();
    std::vector<Plat_Rect> rects;
    for (const Plat_Rect& r : picture_rects) rects.push_back(s.scaler.Window_Rect(r));
    std::vector<uint32_t> from(s.window.size(), 5);
    for (auto _ : state) {
        if (after_sleep) Sleep_As_A_Frame(state);
        for (const Plat_Rect& r : rects)
            for (int y = r.y; y < r.y + r.h; ++y)
                std::memcpy(&s.window[static_cast<size_t>(y) * 1280 + r.x],
                            &from[static_cast<size_t>(y) * 1280 + r.x],
                            static_cast<size_t>(r.w) * 4);
        benchmark::ClobberMemory();
    }
}

void BM_Sharp_Typical_Frame(benchmark::State& state) {
    Draw_Rects(state, The_Scene().typical);
}
void BM_Floor_Memcpy_Typical_Rects(benchmark::State& state) {
    Copy_Rects(state, The_Scene().typical);
}
void BM_Sharp_Title_Frame(benchmark::State& state) {
    Draw_Rects(state, The_Scene().title);
}
void BM_Sharp_Title_Frame_Four_At_A_Time(benchmark::State& state) {
    Draw_Rects(state, The_Scene().title, false);
}
void BM_Floor_Memcpy_Title_Rects(benchmark::State& state) {
    Copy_Rects(state, The_Scene().title);
}
void BM_Sharp_Title_Frame_After_A_Sleep(benchmark::State& state) {
    Draw_Rects(state, The_Scene().title, true, Where::Window, true);
}
void BM_Sharp_Title_Frame_Packed_After_A_Sleep(benchmark::State& state) {
    Draw_Rects(state, The_Scene().title, true, Where::Packed, true);
}
void BM_Floor_Memcpy_Title_Rects_After_A_Sleep(benchmark::State& state) {
    Copy_Rects(state, The_Scene().title, true);
}

void BM_Whole_Factor_Conversion(benchmark::State& state) {
    Scene& s = The_Scene();
    uint8_t palette[1024] = {};
    for (auto _ : state) {
        Plat_Convert_Frame(s.picture.data(), 640, palette, s.window.data(), 1280);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_Sharp_Full_Frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_Memcpy_Full_Window)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Whole_Factor_Conversion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sharp_Typical_Frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_Memcpy_Typical_Rects)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sharp_Title_Frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sharp_Title_Frame_Four_At_A_Time)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_Memcpy_Title_Rects)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sharp_Title_Frame_After_A_Sleep)->Unit(benchmark::kMicrosecond)->Iterations(30);
BENCHMARK(BM_Sharp_Title_Frame_Packed_After_A_Sleep)->Unit(benchmark::kMicrosecond)->Iterations(30);
BENCHMARK(BM_Floor_Memcpy_Title_Rects_After_A_Sleep)->Unit(benchmark::kMicrosecond)->Iterations(30);
BENCHMARK_MAIN();
