// Finding and parsing all 66 bundled books, against the floor of reading the same
// files whole and counting their lines with memchr.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scripture/book_table.h"
#include "scripture/hs_book.h"

namespace {

// The benchmarks run in the game's data folder, as the game does.
bool In_Data_Folder() {
    static bool ok = chdir(VELTRAN_SOURCE_DIR "/data") == 0;
    return ok;
}

std::string Book_Path(int k) {
    return std::string(HS_Folder) + "/" + HS_File_Names[k] + ".txt";
}

void BM_Floor_Read_And_Count_Lines(benchmark::State& state) {
    if (!In_Data_Folder()) return state.SkipWithError("no data folder");
    std::vector<char> buffer;
    for (auto _ : state) {
        size_t lines = 0;
        for (int k = 0; k < HS_Book_Count; ++k) {
            FILE* f = std::fopen(Book_Path(k).c_str(), "rb");
            if (f == nullptr) return state.SkipWithError("missing book");
            std::fseek(f, 0, SEEK_END);
            long size = std::ftell(f);
            std::fseek(f, 0, SEEK_SET);
            buffer.resize(static_cast<size_t>(size) + 1);
            size_t got = std::fread(buffer.data(), 1, static_cast<size_t>(size), f);
            std::fclose(f);
            const char* p = buffer.data();
            const char* end = p + got;
            while ((p = static_cast<const char*>(std::memchr(p, '\r', end - p))) != nullptr) {
                ++lines;
                ++p;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_Floor_Read_And_Count_Lines)->Unit(benchmark::kMillisecond);

void BM_Find_And_Load_All_Books(benchmark::State& state) {
    if (!In_Data_Folder()) return state.SkipWithError("no data folder");
    int verses = 0;
    for (auto _ : state) {
        if (Books_Find() != HS_Book_Count) return state.SkipWithError("books missing");
        verses = 0;
        for (int k = 0; k < HS_Book_Count; ++k) {
            HS_Book book;
            if (!HS_Book_Load(&book, Book_Path(k).c_str()))
                return state.SkipWithError("a book failed to load");
            verses += book.Verses->count;
        }
    }
    state.counters["verses"] = verses;
}
BENCHMARK(BM_Find_And_Load_All_Books)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
