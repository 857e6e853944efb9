// libFuzzer target: any bytes as sprites.wad or Bkfons.wad must be read or refused
// without reading past the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "fuzz_file.h"

#include "graphics/backgrounds.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "graphics/wad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = Fuzz_File(data, size);
    if (file.empty()) return 0;
    const char* path = file.c_str();
    Sprite_Store* store = Sprite_Store_Create(10);
    Wad_Read(store, path);
    Sprite sprite;
    for (int i = 0; i < store->Count() && i < 4; ++i)
        Sprite_Load(store, &sprite, store->entries[i].name);
    Sprite_Release(&sprite);
    Sprite_Store_Destroy(store);

    Background_Dir dir;
    if (Backgrounds_Open(&dir, path)) {
        for (int i = 0; i < dir.count && i < 4; ++i) Background_Load(&dir, i, &sprite);
        Sprite_Release(&sprite);
    }
    return 0;
}
