// Reading the background archive's directory and one picture at a time from it.
#include "graphics/backgrounds.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "app/report_log.h"
#include "graphics/display.h"

Background_Dir::~Background_Dir() {
    Backgrounds_Close(this);
}

void Backgrounds_Close(Background_Dir* dir) {
    delete[] dir->entries;
    dir->entries = nullptr;
    dir->count = 0;
}

int Backgrounds_Open(Background_Dir* dir, const char* path) {
    Backgrounds_Close(dir);
    std::snprintf(dir->path, sizeof dir->path, "%s", path != nullptr ? path : Bkfons_Wad);
    FILE* f = std::fopen(dir->path, "rb");
    if (f == nullptr) return 0;
    long file_size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) file_size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    uint8_t head[4];
    int32_t count = -1;
    if (file_size >= 4 && std::fread(head, 1, 4, f) == 4)
        count = static_cast<int32_t>(head[0] | (head[1] << 8) | (head[2] << 16) |
                                     (static_cast<uint32_t>(head[3]) << 24));
    if (count < 0 || 4 + static_cast<int64_t>(count) * Wad_Record_Size > file_size) {
        Report_Log("\n Ошибка: архив %s повреждён (оглавление) \n", dir->path);
        std::fclose(f);
        return 0;
    }
    dir->entries = new (std::nothrow) Sprite_Store_Entry[static_cast<size_t>(count) + 1];
    if (dir->entries == nullptr) {
        std::fclose(f);
        return 0;
    }
    // Entries whose block the file does not hold are left out of the directory.
    int32_t kept = 0;
    for (int32_t i = 0; i < count; ++i) {
        uint8_t rec[Wad_Record_Size];
        if (std::fread(rec, 1, sizeof rec, f) != sizeof rec) break;
        Sprite_Store_Entry e;
        if (!Wad_Record_Read(rec, &e) ||
            static_cast<int64_t>(e.offset) + static_cast<int64_t>(e.width) * e.height > file_size) {
            Report_Log("\n Ошибка: архив %s, запись %d вне файла \n", dir->path, i);
            continue;
        }
        dir->entries[kept++] = e;
    }
    dir->count = kept;
    std::fclose(f);
    return 1;
}

int Background_Load(Background_Dir* dir, int index, Sprite* sprite) {
    if (index < 0 || index >= dir->count) return 0;
    const Sprite_Store_Entry& e = dir->entries[index];
    FILE* f = std::fopen(dir->path, "rb");
    if (f == nullptr) return 0;
    const size_t size = static_cast<size_t>(e.width) * e.height;
    uint8_t* buffer = new (std::nothrow) uint8_t[size];
    if (buffer == nullptr) {
        std::fclose(f);
        return 0;
    }
    const bool read = std::fseek(f, static_cast<long>(e.offset), SEEK_SET) == 0 &&
                      std::fread(buffer, 1, size, f) == size;
    std::fclose(f);
    if (!read || !Sprite_Create_Surface(e.width, e.height, sprite)) {
        delete[] buffer;
        return 0;
    }
    std::memcpy(sprite->name, e.name, 32);
    sprite->name[31] = '\0';
    int32_t pitch = 0;
    uint8_t* pixels = Surface_Lock(sprite->surface, &pitch);
    if (pixels == nullptr) {
        Surface_Release(sprite->surface);
        delete[] buffer;
        return 0;
    }
    for (int r = 0; r < e.height; ++r)
        std::memcpy(pixels + static_cast<size_t>(r) * pitch,
                    buffer + static_cast<size_t>(r) * e.width, static_cast<size_t>(e.width));
    Surface_Unlock(sprite->surface);
    delete[] buffer;
    return 1;
}
