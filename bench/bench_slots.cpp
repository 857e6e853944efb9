// Saving and loading a slot of 1,000 finished sessions (the file written beside
// the old one, flushed to the disk and renamed over it; read back and checked),
// beside the floor of writing the same bytes with one write call, with and without
// the flush.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/slot_file.h"

namespace fs = std::filesystem;

namespace {

const std::string& Folder() {
    static const std::string dir = [] {
        const fs::path d =
            fs::temp_directory_path() / ("veltran_slots_" + std::to_string(getpid()));
        fs::create_directories(d);
        return d.string();
    }();
    return dir;
}

Slot_Data Data() {
    Slot_Data d;
    d.header.magic = Slot_Magic;
    d.header.slot = 1;
    d.header.in_use = 1;
    d.header.book = 1;
    d.progress.Book_Index = 1;
    d.progress.Chapter = d.progress.Verse = 1;
    d.progress.Chapters_Back = 5;
    for (Stone_Cell& c : d.cells) c.frame_step = 1;
    d.records.resize(1000);
    for (size_t i = 0; i < d.records.size(); ++i) d.records[i].session_number = static_cast<int>(i);
    return d;
}

void Floor_Write(benchmark::State& state, bool flush) {
    const std::vector<uint8_t> bytes(Slot_Records_At + 52 * 1000, 1);
    const std::string path = Folder() + "/floor";
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(write(fd, bytes.data(), bytes.size()));
        if (flush) fsync(fd);
        close(fd);
    }
}

void BM_Floor_One_Write(benchmark::State& state) {
    Floor_Write(state, false);
}
BENCHMARK(BM_Floor_One_Write)->Unit(benchmark::kMicrosecond);

void BM_Floor_One_Write_And_Flush(benchmark::State& state) {
    Floor_Write(state, true);
}
BENCHMARK(BM_Floor_One_Write_And_Flush)->Unit(benchmark::kMicrosecond);

void BM_Slot_Save_1000_Sessions(benchmark::State& state) {
    const Slot_Data d = Data();
    const std::string path = Folder() + "/slot1";
    for (auto _ : state)
        if (!Slot_File_Write(path, d)) state.SkipWithError("the save failed");
}
BENCHMARK(BM_Slot_Save_1000_Sessions)->Unit(benchmark::kMicrosecond);

void BM_Slot_Load_1000_Sessions(benchmark::State& state) {
    const std::string path = Folder() + "/slot2";
    Slot_File_Write(path, Data());
    for (auto _ : state) {
        Slot_Data d;
        std::string why;
        if (Slot_File_Read(path, &d, &why) != Slot_Read_Result::Ok)
            state.SkipWithError("the load failed");
        benchmark::DoNotOptimize(d.records.data());
    }
}
BENCHMARK(BM_Slot_Load_1000_Sessions)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
