// The in-game screenshot: the picture on the screen into a numbered BMP file, handed
// to the player (the browser downloads it).
#include "graphics/screenshot.h"

#include <cstddef>
#include <cstdio>
#include <string>

#include "core/bmp_write.h"
#include "core/report_log.h"
#include "core/system.h"
#include "graphics/display.h"
#include "platform/places.h"

int32_t Screenshot_Number = 1;

int Screenshot_Write(const uint8_t* pixels, int32_t pitch, int32_t left, int32_t top, int32_t right,
                     int32_t bottom, const char* name) {
    const int32_t w = right - left + 1, h = bottom - top + 1;
    Report_Log("\n Запись изображения в файл: %s \n  Ширина %d \n  высота %d \n", name, w, h);
    return Bmp8_Write(name, pixels + static_cast<ptrdiff_t>(top) * pitch + left, pitch, w, h,
                      Palette_Entries)
               ? 1
               : 0;
}

void Screenshot_Take() {
    int32_t pitch = 0;
    const uint8_t* pixels = Screen_Picture(&pitch);
    if (pixels == nullptr) return;
    char name[64];
    std::snprintf(name, sizeof name, "screen_shot_%03d.bmp", Screenshot_Number);
    const std::string path = Plat_Path(PLACE_SHOTS, name);
    if (Screenshot_Write(pixels, pitch, 0, 0, Screen_Width - 1, Screen_Height - 1, path.c_str()))
        Sys_Offer_File(path);
    ++Screenshot_Number;
}
