// The rest of the system on Windows: the program's folder, the player's folders
// (the roaming application data, and the local one for what can be made again),
// the calendar of the C runtime, the performance counter and high-resolution
// waits, the process's memory, and the console a program started from one writes to.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "core/clock_tm.h"
#include "core/system.h"
#include "core/windows_text.h"

namespace {

// A folder the system keeps for the player, with the game's own folder in it.
std::string Known_Folder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path) == S_OK)
        folder = Forward_Slashes(Narrow(path));
    CoTaskMemFree(path);
    return folder.empty() ? std::string() : folder + "/Veltran";
}

uint64_t Counter_Frequency() {
    static const uint64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<uint64_t>(f.QuadPart);
    }();
    return frequency;
}

}  // namespace

std::string Sys_Program_Folder() {
    wchar_t path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    if (n == 0 || n >= MAX_PATH * 4) return "";
    const std::string exe = Forward_Slashes(Narrow(path));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "" : exe.substr(0, slash);
}

std::string Sys_User_Folder(Sys_User_Place place) {
    // The log, the saves, the screenshots and the settings travel with the player's
    // profile; the archives rebuilt from the pictures stay on this machine.
    return Known_Folder(place == Sys_User_Place::Cache ? FOLDERID_LocalAppData
                                                       : FOLDERID_RoamingAppData);
}

bool Sys_Local_Date(int64_t seconds, Sys_Date* out) {
    const __time64_t t = static_cast<__time64_t>(seconds);
    struct tm local = {};
    if (_localtime64_s(&local, &t) != 0) return false;
    Date_From_Tm(local, out);
    return true;
}

int64_t Sys_Now(int* millis) {
    // 100 ns intervals since 1601-01-01 UTC.
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    const uint64_t since_1970 = ticks - 116444736000000000ULL;
    if (millis != nullptr) *millis = static_cast<int>(since_1970 / 10000 % 1000);
    return static_cast<int64_t>(since_1970 / 10000000);
}

uint64_t Sys_Monotonic_Ns() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    const uint64_t f = Counter_Frequency(), n = static_cast<uint64_t>(c.QuadPart);
    return n / f * 1000000000u + n % f * 1000000000u / f;
}

void Sys_Sleep_Until(uint64_t deadline) {
    // The system's waits are a tick of about 15.6 ms long unless asked for 1 ms;
    // asked once, for the program's life.
    static const bool fine = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)fine;
    for (;;) {
        const uint64_t now = Sys_Monotonic_Ns();
        if (now >= deadline) return;
        Sleep(static_cast<DWORD>((deadline - now + 999999) / 1000000));
    }
}

Sys_Memory Sys_Memory_In_Use() {
    Sys_Memory m;
    PROCESS_MEMORY_COUNTERS counters;
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        // The memory committed to the process alone: its heap and the like.
        m.heap_kb = static_cast<long>(counters.PagefileUsage / 1024);
        m.resident_kb = static_cast<long>(counters.WorkingSetSize / 1024);
        m.peak_kb = static_cast<long>(counters.PeakWorkingSetSize / 1024);
    }
    return m;
}

bool Sys_Gpu_Device() {
    // Every Windows display has a driver behind Direct3D; SDL's renderer says
    // whether it runs on the GPU.
    return true;
}

Sys_Failure Sys_Settle(const std::string&) {
    // MoveFileExW wrote the replace through to the disk already.
    return Sys_Failure::Ok;
}

bool Sys_Error_Stream_Seen() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return error != nullptr && error != INVALID_HANDLE_VALUE &&
           GetFileType(error) != FILE_TYPE_UNKNOWN;
}
