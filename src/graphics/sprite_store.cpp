// The store of named pictures that both archives are read into and written from,
// and cutting sprites out of a picture into it.
#include "graphics/sprite_store.h"

#include <cstring>

#include "core/report_log.h"
#include "graphics/surface.h"

void Sprite_Name_Copy(char* dst, const char* src) {
    const size_t len = strnlen(src, 31);
    std::memcpy(dst, src, len);
    std::memset(dst + len, 0, 32 - len);
}

namespace {

// Appends one entry of w x h bytes; its pixels are left for the caller to fill.
Sprite_Store_Entry* Append(Sprite_Store* store, const char* name, int w, int h) {
    Sprite_Store_Entry& e = store->entries.emplace_back();
    Sprite_Name_Copy(e.name, name);
    e.width = w;
    e.height = h;
    e.pixels.resize(static_cast<size_t>(w) * h);
    Report_Log("\n создание спрайта: %s", e.name);
    return &e;
}

bool Cut_Inside(const Image8* image, int x, int y, int w, int h, const char* name) {
    if (x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= image->row_length && y + h <= image->height)
        return true;
    Report_Log("\n  спрайт %s (%d, %d, %dx%d) выходит за рисунок %dx%d \n", name, x, y, w, h,
               image->row_length, image->height);
    return false;
}

void Copy_Rows(uint8_t* dst, const Image8* image, int x, int y, int w, int h) {
    Rows_Copy(dst, w, image->pixels + static_cast<size_t>(y) * image->row_length + x,
              image->row_length, w, h);
}

}  // namespace

Sprite_Store* Sprite_Store_Create(int capacity) {
    auto* s = new Sprite_Store();
    Sprite_Store_Reserve(s, capacity);
    return s;
}

void Sprite_Store_Destroy(Sprite_Store* store) {
    delete store;
}

int Sprite_Store_Find(const Sprite_Store* store, const char* name) {
    for (int i = 0; i < store->Count(); ++i)
        if (std::strcmp(store->entries[i].name, name) == 0) return i;
    return -1;
}

int Sprite_Store_Reserve(Sprite_Store* store, int n) {
    if (n > 0) store->entries.reserve(static_cast<size_t>(n));
    return 1;
}

void Sprite_Store_Clear(Sprite_Store* store) {
    store->entries.clear();
}

int Sprite_Store_Cut(Sprite_Store* store, const Image8* image, int x, int y, int w, int h,
                     const char* name) {
    if (image->pixels == nullptr || !Cut_Inside(image, x, y, w, h, name)) return 0;
    Sprite_Store_Entry* e = Append(store, name, w, h);
    Copy_Rows(e->pixels.data(), image, x, y, w, h);
    return 1;
}

int Sprite_Store_Cut_Cells(Sprite_Store* store, const Image8* image, int y, int count,
                           const char* prefix) {
    int made = 0;
    for (int k = 0; k < count; ++k) {
        char name[48];
        std::snprintf(name, sizeof name, "%s%d", prefix, k);
        if (image->pixels == nullptr || !Cut_Inside(image, 1 + 33 * k, y, 32, 32, name)) break;
        Sprite_Store_Entry* e = Append(store, name, 32, 32);
        Copy_Rows(e->pixels.data(), image, 1 + 33 * k, y, 32, 32);
        ++made;
    }
    return made;
}
