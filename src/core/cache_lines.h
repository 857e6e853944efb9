// Asking for memory ahead of its use: the lines of rows that lie far apart, which
// the processor does not fetch ahead by itself.
#pragma once

#include <cstddef>
#include <cstdint>

// Asks for the cache lines of rows bytes long, pitch bytes apart, that are about to
// be read or written. Where rows lie far apart (a window's on pages of their own)
// the processor does not look ahead by itself, and lines another core or process
// used last come from far: taken as they come, the rows wait for their lines one
// after another; asked for first, the lines arrive together.
inline void Fetch_Lines(const void* first, size_t bytes, int rows, ptrdiff_t pitch) {
    constexpr uintptr_t Line_Bytes = 64;
    for (int y = 0; y < rows; ++y) {
        const uintptr_t row =
            reinterpret_cast<uintptr_t>(first) + static_cast<uintptr_t>(y * pitch);
        for (uintptr_t line = row & ~(Line_Bytes - 1); line < row + bytes; line += Line_Bytes) {
#if defined(__x86_64__) || defined(__i386__)
            // Spelt out: the compiler takes a loop of nothing but its own prefetch
            // for one without effect, and leaves it out.
            asm volatile("prefetcht0 %0" : : "m"(*reinterpret_cast<const char*>(line)));
#else
            __builtin_prefetch(reinterpret_cast<const void*>(line));
#endif
        }
    }
}
