// The fuzzers' input as a file: the readers under test take paths.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes the input into an in-memory file and returns a path that opens it, or ""
// when that could not be done.
inline std::string Fuzz_File(const uint8_t* data, size_t size) {
    static int fd = memfd_create("fuzz", 0);
    if (fd < 0) return "";
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return "";
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    return path;
}
