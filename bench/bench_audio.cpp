// Audio start-up costs on SDL's dummy device: loading the eight bundled effects,
// and starting a music file (from Music_Play to playing), each beside the floor of
// reading the same files' bytes in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/report_log.h"
#include "audio/music.h"
#include "audio/sound.h"

namespace {

const std::string Data = VELTRAN_SOURCE_DIR "/data";

bool Open_Audio() {
    static bool ok = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (chdir(Data.c_str()) != 0) return false;
        if (!Sound_Init()) return false;
        Music = Music_Init(new Music_Player());
        return true;
    }();
    return ok;
}

size_t Read_Bytes(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return 0;
    std::vector<char> buf(1 << 16);
    size_t total = 0, n;
    while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) total += n;
    std::fclose(f);
    return total;
}

const char* const Effects[] = {"SOUNDS/sound_14.wav", "SOUNDS/sound_10.wav", "SOUNDS/sound_1.wav",
                               "SOUNDS/sound_12.wav", "SOUNDS/sound_11.wav", "SOUNDS/sound_16.wav",
                               "SOUNDS/sound_17.wav", "SOUNDS/sound_7.wav"};

void BM_Floor_Read_Effect_Files(benchmark::State& state) {
    if (!Open_Audio()) return state.SkipWithError("no dummy audio");
    for (auto _ : state)
        for (const char* e : Effects) benchmark::DoNotOptimize(Read_Bytes(e));
}
BENCHMARK(BM_Floor_Read_Effect_Files)->Unit(benchmark::kMicrosecond);

void BM_Load_Eight_Effects(benchmark::State& state) {
    if (!Open_Audio()) return state.SkipWithError("no dummy audio");
    for (auto _ : state) {
        Sound_Init();  // frees the slots of the round before
        Sounds_Load_All();
    }
    if (Snd_7 != 7) state.SkipWithError("an effect did not load");
}
BENCHMARK(BM_Load_Eight_Effects)->Unit(benchmark::kMicrosecond);

void BM_Floor_Read_Music_File(benchmark::State& state) {
    if (!Open_Audio()) return state.SkipWithError("no dummy audio");
    for (auto _ : state) benchmark::DoNotOptimize(Read_Bytes("MUSIC/CstleTown.mp3"));
}
BENCHMARK(BM_Floor_Read_Music_File)->Unit(benchmark::kMicrosecond);

void BM_Music_Play_To_Playing(benchmark::State& state) {
    if (!Open_Audio()) return state.SkipWithError("no dummy audio");
    for (auto _ : state) Music_Play("MUSIC/CstleTown.mp3", 1);
    if (!Music->playing) state.SkipWithError("the tune did not start");
}
BENCHMARK(BM_Music_Play_To_Playing)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
