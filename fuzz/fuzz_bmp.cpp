// libFuzzer target: any bytes as a BMP picture must be read or refused cleanly,
// and cutting a sprite from what was read must stay inside the picture.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "graphics/bmp.h"
#include "graphics/sprites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int fd = memfd_create("bmp", 0);
    if (fd < 0) return 0;
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    Image8 image;
    if (Bmp_Read(&image, std::fopen(path, "rb"))) {
        Sprite_Store* store = Sprite_Store_New(4);
        Sprite_Store_Cut(store, &image, 1, 1, 32, 32, "cut");
        Sprite_Store_Cut_Cells(store, &image, 1, 8, "cell_");
        Sprite_Store_Delete(store);
        Bmp_Free(&image);
    }
    return 0;
}
