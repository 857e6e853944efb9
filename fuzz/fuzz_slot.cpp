// libFuzzer target: any bytes as a save slot must be read and checked, or refused,
// without reading past the file; what is taken must hold only values a game has.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_file.h"

#include "game/slot_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Fuzz_File(data, size);
    if (path.empty()) return 0;
    Slot_Data slot;
    std::string why;
    if (Slot_File_Read(path, &slot, &why) != Slot_Read_Result::Ok) return 0;
    const Game_Progress& g = slot.progress;
    if (g.Book_Index < 1 || g.Book_Index > 66 || g.Chapter < 1) std::abort();
    for (const Stone_Cell& c : slot.cells)
        if (c.kind < 0 || c.kind > 8 || c.frame < 0 || c.frame > 7) std::abort();
    return 0;
}
