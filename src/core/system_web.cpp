// The rest of the system in a web browser (emscripten): the game as the page lays
// it out in its file system, the player's folder kept in the browser's storage
// (IndexedDB), sleeping that gives the browser its turn, content that arrives after
// the start (the books, the music), and screenshots handed over as downloads. The
// page's script (packaging/web/veltran-page.js) keeps the storage and fetches the
// content; these calls reach it.
#include <emscripten.h>
#include <emscripten/heap.h>
#include <malloc.h>

#include <cstring>

#include "core/system.h"

namespace {

// The page mounts the player's folder here, kept in IndexedDB, and the game with
// its content under /game; what can be made again stays in memory.
constexpr const char* Player_Folder = "/player";
constexpr const char* Program_Folder = "/game";
constexpr const char* Cache_Folder = "/cache";

// clang-format off

// Stores the player's folder in IndexedDB and waits for it: 0 when it is stored, 1
// when the browser's room for the site is full, 2 for any other failure.
EM_ASYNC_JS(int, Store_Player_Folder, (), {
    const why = await Module.veltranStore();
    return !why ? 0 : /Quota/.test(why) ? 1 : 2;
});

// Whether a content file is here (one that is not comes next), and waiting for it.
EM_JS(int, Arrived, (const char* path), {
    return Module.veltranArrived(UTF8ToString(path)) ? 1 : 0;
});
EM_ASYNC_JS(void, Arrival, (const char* path), {
    await Module.veltranArrival(UTF8ToString(path));
});

EM_JS(void, Download, (const char* path), {
    Module.veltranDownload(UTF8ToString(path));
});

// The page learns when the game first sleeps: its first picture is shown by then.
EM_JS(void, First_Sleep, (), {
    Module.veltranFirstSleep();
});

// Whether WebGL runs on a GPU, as the page found while the game was loading.
EM_JS(int, Webgl_On_Gpu, (), {
    return Module.veltranGpu ? 1 : 0;
});

// clang-format on

bool In_Player_Folder(const std::string& path) {
    const size_t n = std::strlen(Player_Folder);
    return path.compare(0, n, Player_Folder) == 0 && (path.size() == n || path[n] == '/');
}

}  // namespace

std::string Sys_Program_Folder() {
    return Program_Folder;
}

std::string Sys_User_Folder(Sys_User_Place place) {
    return place == Sys_User_Place::Cache ? Cache_Folder : Player_Folder;
}

void Sys_Sleep_Until(uint64_t deadline) {
    static bool first = true;
    if (first) {
        first = false;
        First_Sleep();
    }
    // The browser draws, plays and fetches only while the program sleeps, so it
    // sleeps even when it is late.
    const uint64_t now = Sys_Monotonic_Ns();
    emscripten_sleep(now >= deadline ? 0 : static_cast<unsigned>((deadline - now) / 1000000));
}

Sys_Memory Sys_Memory_In_Use() {
    Sys_Memory m;
    const struct mallinfo heap = mallinfo();
    m.heap_kb = static_cast<long>(heap.uordblks / 1024);
    // The WebAssembly memory only grows.
    m.resident_kb = m.peak_kb = static_cast<long>(emscripten_get_heap_size() / 1024);
    return m;
}

bool Sys_Gpu_Device() {
    return Webgl_On_Gpu() != 0;
}

Sys_Failure Sys_Settle(const std::string& folder) {
    if (!In_Player_Folder(Sys_Full_Path(folder))) return Sys_Failure::Ok;
    switch (Store_Player_Folder()) {
        case 0:
            return Sys_Failure::Ok;
        case 1:
            return Sys_Failure::No_Space;
        default:
            return Sys_Failure::Other;
    }
}

bool Sys_File_Here(const std::string& path) {
    return Arrived(Sys_Full_Path(path).c_str()) != 0;
}

void Sys_Await_File(const std::string& path) {
    const std::string full = Sys_Full_Path(path);
    if (Arrived(full.c_str()) == 0) Arrival(full.c_str());
}

void Sys_Offer_File(const std::string& path) {
    Download(Sys_Full_Path(path).c_str());
}

bool Sys_Error_Stream_Seen() {
    // The browser's console.
    return true;
}
