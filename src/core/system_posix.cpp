// The rest of the system on Linux: the program's folder, the player's XDG folders,
// sleeping, memory and the GPU device nodes (the calendar and clocks are in
// clock_posix.cpp).
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "core/system.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator (its header comes with clang only).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// An XDG base directory: the variable when it holds an absolute path, else the
// default under the home folder.
std::string Xdg(const char* variable, const char* fallback) {
    const char* v = std::getenv(variable);
    if (v != nullptr && v[0] == '/') return v;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && home[0] == '/' ? home : "/tmp") + "/" + fallback;
}

// A "Name:   1234 kB" line of the kernel's account of this process.
long Status_Kb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
    return 0;
}

}  // namespace

std::string Sys_Program_Folder() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    buf[n] = '\0';
    std::string path(buf);
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string Sys_User_Folder(Sys_User_Place place) {
    switch (place) {
        case Sys_User_Place::State:
            return Xdg("XDG_STATE_HOME", ".local/state") + "/veltran";
        case Sys_User_Place::Data:
            return Xdg("XDG_DATA_HOME", ".local/share") + "/veltran";
        case Sys_User_Place::Cache:
            return Xdg("XDG_CACHE_HOME", ".cache") + "/veltran";
        case Sys_User_Place::Config:
            return Xdg("XDG_CONFIG_HOME", ".config") + "/veltran";
    }
    return "";
}

void Sys_Sleep_Until(uint64_t deadline) {
    for (;;) {
        const uint64_t now = Sys_Monotonic_Ns();
        if (now >= deadline) return;
        const uint64_t ns = deadline - now;
        timespec t{static_cast<time_t>(ns / 1000000000u), static_cast<long>(ns % 1000000000u)};
        if (nanosleep(&t, nullptr) != 0 && errno != EINTR) return;
    }
}

Sys_Memory Sys_Memory_In_Use() {
    Sys_Memory m;
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's own count: freed memory waits in its quarantine before reuse.
    m.heap_kb = static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 heap = mallinfo2();
    m.heap_kb = static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
#endif
    m.resident_kb = Status_Kb("VmRSS:");
    m.peak_kb = Status_Kb("VmHWM:");
    return m;
}

bool Sys_Gpu_Device() {
    bool device = access("/dev/nvidia0", F_OK) == 0;
    if (DIR* dri = opendir("/dev/dri")) {
        while (const dirent* e = readdir(dri))
            if (e->d_name[0] != '.') device = true;
        closedir(dri);
    }
    return device;
}

Sys_Failure Sys_Settle(const std::string& folder) {
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return Sys_Failure::Ok;
}

bool Sys_Error_Stream_Seen() {
    // A program started from a desktop menu writes into the session's journal.
    return true;
}
