// libFuzzer target: any bytes as a book file must load or be refused cleanly.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "scripture/hs_book.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int fd = memfd_create("book", 0);
    if (fd < 0) return 0;
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
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
