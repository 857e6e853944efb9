// Shared pieces of the benchmarks: the frame-copy floor and the process CPU clock.
#pragma once

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/display.h"
#include "graphics/sprites.h"

// One memcpy of a 640 x 480 frame: the floor a frame's drawing is measured against.
inline void Floor_Memcpy_Frame(benchmark::State& state) {
    std::vector<uint8_t> a(640 * 480, 1), b(640 * 480);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}

// CPU seconds this process has used.
inline double Cpu_Seconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Moves into a scratch folder of the benchmark's own that links the bundled
// pictures, brings the display up and loads every sprite and font from them.
inline void Bench_Load_Graphics(const char* name) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / (std::string(name) + "_" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    if (!fs::exists("images"))
        fs::create_directory_symlink(fs::path(VELTRAN_SOURCE_DIR) / "data" / "images", "images");
    Display_Init();
    Sprites_Build_Archive();
    Sprites_Load_All();
}
