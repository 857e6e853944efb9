// Writing and reading the picture archives, every size checked against the file's
// length before anything is allocated or read.
#include "graphics/wad.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/files.h"
#include "core/report_log.h"
#include "platform/platform.h"
#include "core/system.h"

int Wad_Write(Sprite_Store* store, const std::string& path) {
    // The archive is laid out in memory and written at once: one call to the
    // system instead of one for each picture (and, in the browser, a file that
    // is not grown and copied again and again as the pictures come). It takes the
    // old one's name only when whole: a copy of the game started beside this one
    // reads either archive, never one cut short.
    const uint32_t count = static_cast<uint32_t>(store->Count());
    size_t size = 4 + size_t{Wad_Record_Size} * count;
    auto block = [](const Sprite_Store_Entry& e) {
        return static_cast<size_t>(e.width) * static_cast<size_t>(e.height);
    };
    for (const Sprite_Store_Entry& e : store->entries) size += block(e);
    std::vector<uint8_t> bytes(size);
    Put_Le32(bytes.data(), count);
    uint32_t offset = 4 + Wad_Record_Size * count;
    for (uint32_t i = 0; i < count; ++i) {
        Sprite_Store_Entry& e = store->entries[i];
        e.offset = offset;
        Le_Writer w(bytes.data() + 4 + size_t{Wad_Record_Size} * i, Wad_Record_Size);
        w.Bytes(e.name, 32);
        w.U32(static_cast<uint32_t>(e.width));
        w.U32(static_cast<uint32_t>(e.height));
        w.U32(0);  // the pixels field means nothing on disk
        w.U32(e.offset);
        if (const size_t n = std::min(e.pixels.size(), block(e)); n > 0)
            std::memcpy(bytes.data() + offset, e.pixels.data(), n);
        offset += static_cast<uint32_t>(block(e));
    }
    const File_Part part{bytes.data(), bytes.size()};
    return File_Write_At_Once(path, &part, 1) == Sys_Failure::Ok ? 1 : 0;
}

bool Wad_Record_Read(const uint8_t* bytes, Sprite_Store_Entry* e) {
    Le_Reader r(bytes, Wad_Record_Size);
    r.Bytes(e->name, 32);
    e->name[31] = '\0';
    e->width = r.I32();
    e->height = r.I32();
    r.Skip(4);
    e->pixels.clear();
    e->offset = r.U32();
    return e->width > 0 && e->height > 0 && e->width <= 16384 && e->height <= 16384;
}

const char* Wad_Read_Directory(FILE* f, Wad_Directory* dir) {
    dir->entries.clear();
    dir->sane.clear();
    dir->file_size = File_Size(f);
    uint8_t head[4];
    if (dir->file_size < 4 || std::fseek(f, 0, SEEK_SET) != 0 || std::fread(head, 1, 4, f) != 4)
        return "нет счётчика";
    const int64_t count = static_cast<int32_t>(Get_Le32(head));
    if (count < 0 || 4 + count * Wad_Record_Size > dir->file_size) return "оглавление";
    dir->entries.resize(static_cast<size_t>(count));
    dir->sane.resize(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        uint8_t rec[Wad_Record_Size];
        if (std::fread(rec, 1, sizeof rec, f) != sizeof rec) {
            dir->entries.clear();
            dir->sane.clear();
            return "оглавление";
        }
        dir->sane[i] = Wad_Record_Read(rec, &dir->entries[i]);
    }
    return nullptr;
}

int Wad_Read(Sprite_Store* store, const char* path) {
    Sprite_Store_Clear(store);
    FILE* f = Sys_Open(path, "rb");
    if (f == nullptr) return 0;
    auto corrupt = [&](const char* why) {
        Report_Log("\n Ошибка: архив %s повреждён (%s) \n", path, why);
        Sprite_Store_Clear(store);
        std::fclose(f);
        return 0;
    };
    // The whole directory first, checked against the file's length, so that no
    // block is read that the file does not hold.
    Wad_Directory dir;
    if (const char* why = Wad_Read_Directory(f, &dir)) return corrupt(why);
    const int count = static_cast<int>(dir.entries.size());
    Sprite_Store_Reserve(store, count + 10);
    int64_t blocks = 0;
    for (int i = 0; i < count; ++i) {
        if (!dir.sane[i]) return corrupt("размер спрайта");
        blocks += static_cast<int64_t>(dir.entries[i].width) * dir.entries[i].height;
    }
    if (4 + int64_t{count} * Wad_Record_Size + blocks > dir.file_size)
        return corrupt("данных меньше оглавления");
    for (int i = 0; i < count; ++i) {
        Sprite_Store_Entry& e = store->entries.emplace_back(std::move(dir.entries[i]));
        try {
            e.pixels.resize(static_cast<size_t>(e.width) * e.height);
        } catch (const std::bad_alloc&) {
            // Out of memory: the entries read completely are kept.
            store->entries.pop_back();
            std::fclose(f);
            Plat_Message_Beep();
            return 0;
        }
        if (std::fread(e.pixels.data(), 1, e.pixels.size(), f) != e.pixels.size()) {
            store->entries.pop_back();
            return corrupt("данные");
        }
    }
    std::fclose(f);
    return 1;
}
