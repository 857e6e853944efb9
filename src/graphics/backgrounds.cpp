// Reading the background archive's directory and one picture at a time from it.
#include "graphics/backgrounds.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/report_log.h"
#include "graphics/display.h"
#include "graphics/wad.h"
#include "core/system.h"

void Backgrounds_Close(Background_Dir* dir) {
    dir->entries.clear();
    dir->count = 0;
}

int Backgrounds_Open(Background_Dir* dir, const char* path) {
    Backgrounds_Close(dir);
    std::snprintf(dir->path, sizeof dir->path, "%s",
                  path != nullptr ? path : Bkfons_Wad_Path().c_str());
    FILE* f = Sys_Open(dir->path, "rb");
    if (f == nullptr) return 0;
    Wad_Directory wad;
    if (Wad_Read_Directory(f, &wad) != nullptr) {
        Report_Log("\n Ошибка: архив %s повреждён (оглавление) \n", dir->path);
        std::fclose(f);
        return 0;
    }
    std::fclose(f);
    // Entries whose block the file does not hold are left out of the directory.
    for (size_t i = 0; i < wad.entries.size(); ++i) {
        const Sprite_Store_Entry& e = wad.entries[i];
        if (!wad.sane[i] ||
            static_cast<int64_t>(e.offset) + static_cast<int64_t>(e.width) * e.height >
                wad.file_size) {
            Report_Log("\n Ошибка: архив %s, запись %d вне файла \n", dir->path,
                       static_cast<int>(i));
            continue;
        }
        dir->entries.push_back(e);
    }
    dir->count = static_cast<int32_t>(dir->entries.size());
    return 1;
}

int Background_Load(Background_Dir* dir, int index, Sprite* sprite) {
    if (index < 0 || index >= dir->count) return 0;
    const Sprite_Store_Entry& e = dir->entries[index];
    FILE* f = Sys_Open(dir->path, "rb");
    if (f == nullptr) return 0;
    std::vector<uint8_t> buffer(static_cast<size_t>(e.width) * e.height);
    const bool read = std::fseek(f, static_cast<long>(e.offset), SEEK_SET) == 0 &&
                      std::fread(buffer.data(), 1, buffer.size(), f) == buffer.size();
    std::fclose(f);
    if (!read || !Sprite_Create_Surface(e.width, e.height, sprite)) return 0;
    std::memcpy(sprite->name, e.name, 32);
    sprite->name[31] = '\0';
    int32_t pitch = 0;
    uint8_t* pixels = Surface_Lock(sprite->surface, &pitch);
    if (pixels == nullptr) {
        Surface_Release(sprite->surface);
        return 0;
    }
    Rows_Copy(pixels, pitch, buffer.data(), e.width, e.width, e.height);
    Surface_Unlock(sprite->surface);
    return 1;
}
