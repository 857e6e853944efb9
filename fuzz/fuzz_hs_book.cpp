// libFuzzer target: any bytes as a book file must load or be refused cleanly.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "fuzz_file.h"

#include "scripture/hs_book.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = Fuzz_File(data, size);
    if (file.empty()) return 0;
    const char* path = file.c_str();
    HS_Book book;
    if (HS_Book_Load(&book, path)) {
        // Walk every lookup the game makes, and some it must refuse.
        for (int c = -1; c <= Chapter_Count(&book) + 1; ++c)
            for (int v = -1; v <= Verse_Count(&book, c) + 1; ++v) {
                const char* t = Verse_Text(&book, c, v);
                if (t != nullptr) (void)t[0];
            }
    }
    HS_Book_Free(&book);
    return 0;
}
