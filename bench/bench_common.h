// Shared pieces of the benchmarks: the frame-copy floor and the process CPU clock.
#pragma once

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

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
