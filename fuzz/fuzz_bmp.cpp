// libFuzzer target: any bytes as a BMP picture must be read or refused cleanly,
// and cutting a sprite from what was read must stay inside the picture.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "fuzz_file.h"

#include "graphics/bmp.h"
#include "graphics/sprites.h"
#include "graphics/wad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = Fuzz_File(data, size);
    if (file.empty()) return 0;
    const char* path = file.c_str();
    Image8 image;
    if (Bmp_Read(&image, std::fopen(path, "rb"))) {
        Sprite_Store* store = Sprite_Store_Create(4);
        Sprite_Store_Cut(store, &image, 1, 1, 32, 32, "cut");
        Sprite_Store_Cut_Cells(store, &image, 1, 8, "cell_");
        Sprite_Store_Destroy(store);
        Bmp_Free(&image);
    }
    return 0;
}
