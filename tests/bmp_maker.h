// Makes 8-bit BMP files for tests: any size, any pixels, with the quirks the
// reader must handle (padding, trailing bytes, odd headers).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/bytes.h"

struct Bmp_Options {
    int32_t height_field = 0;  // 0 = the real height; set to test odd headers
    uint16_t bits = 8;
    uint32_t compression = 0;
    int64_t size_image = -1;  // -1 = padded row * height
    std::string tail;         // bytes after the pixel block
};

// Rows bottom-up, each padded to 4 bytes; pixel(x, y) with y = 0 the top row.
inline std::string Make_Bmp(int w, int h, const std::function<uint8_t(int, int)>& pixel,
                            const Bmp_Options& o = {}) {
    const int row = (w + 3) & ~3;
    std::string b(54 + 1024, '\0');
    auto put32 = [&](size_t at, uint32_t v) { Put_Le32(&b[at], v); };
    b[0] = 'B';
    b[1] = 'M';
    put32(10, 1078);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(o.height_field != 0 ? o.height_field : h));
    b[26] = 1;
    Put_Le16(&b[28], o.bits);
    put32(30, o.compression);
    put32(34, static_cast<uint32_t>(o.size_image >= 0 ? o.size_image : int64_t{row} * h));
    for (int y = h - 1; y >= 0; --y) {
        std::string line(static_cast<size_t>(row), '\0');
        for (int x = 0; x < w; ++x) line[x] = static_cast<char>(pixel(x, y));
        b += line;
    }
    b += o.tail;
    put32(2, static_cast<uint32_t>(b.size()));
    return b;
}
