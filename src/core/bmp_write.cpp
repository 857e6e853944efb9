// The 8-bit BMP writer: a 54-byte header, 1024 bytes of palette, rows bottom-up.
#include "core/bmp_write.h"

#include <cstddef>
#include <cstdio>

#include "core/bytes.h"
#include "core/system.h"

bool Bmp8_Write(const char* path, const uint8_t* pixels, int pitch, int w, int h,
                const uint8_t* palette) {
    if (w <= 0 || h <= 0) return false;
    const uint32_t image = static_cast<uint32_t>(w) * static_cast<uint32_t>(h);
    uint8_t head[1078] = {};
    Le_Writer out(head, sizeof head);
    out.Bytes("BM", 2);
    out.U32(image + 1078);  // file size
    out.U32(0);             // both reserved words
    out.U32(1078);          // offset of the pixels
    out.U32(40);            // information header
    out.U32(static_cast<uint32_t>(w));
    out.U32(static_cast<uint32_t>(h));  // positive: rows bottom-up
    out.U16(1);                         // planes
    out.U16(8);                         // bits per pixel
    out.U32(0);                         // no compression
    out.U32(image);
    out.Zeros(8);  // resolution
    out.U32(256);  // colours used
    out.U32(256);  // colours important
    for (int i = 0; i < 256; ++i) {
        const uint8_t rec[4] = {palette[4 * i + 2], palette[4 * i + 1], palette[4 * i], 4};
        out.Bytes(rec, 4);
    }
    FILE* f = Sys_Open(path, "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(head, 1, sizeof head, f) == sizeof head;
    for (int y = h - 1; ok && y >= 0; --y)
        ok = std::fwrite(pixels + static_cast<ptrdiff_t>(y) * pitch, 1, static_cast<size_t>(w),
                         f) == static_cast<size_t>(w);
    return std::fclose(f) == 0 && ok;
}
