// The store of named pictures that both archives are read into and written from,
// and cutting sprites out of a picture into it.
#include "graphics/sprite_store.h"

#include <cstring>
#include <new>

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
    if (!Sprite_Store_Reserve(store, store->count + 1)) return nullptr;
    uint8_t* pixels = new (std::nothrow) uint8_t[static_cast<size_t>(w) * h];
    if (pixels == nullptr) return nullptr;
    Sprite_Store_Entry& e = store->entries[store->count];
    std::memset(&e, 0, sizeof e);
    Sprite_Name_Copy(e.name, name);
    e.width = w;
    e.height = h;
    e.pixels = pixels;
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
    Sprite_Store* s = new (std::nothrow) Sprite_Store();
    if (s != nullptr) Sprite_Store_Reserve(s, capacity);
    return s;
}

void Sprite_Store_Destroy(Sprite_Store* store) {
    if (store == nullptr) return;
    Sprite_Store_Clear(store);
    delete[] store->entries;
    delete store;
}

int Sprite_Store_Find(const Sprite_Store* store, const char* name) {
    for (int i = 0; i < store->count; ++i)
        if (std::strcmp(store->entries[i].name, name) == 0) return i;
    return -1;
}

int Sprite_Store_Reserve(Sprite_Store* store, int n) {
    if (n <= store->capacity) return 1;
    const int grown = n > store->capacity + 10 ? n : store->capacity + 10;
    Sprite_Store_Entry* e = new (std::nothrow) Sprite_Store_Entry[static_cast<size_t>(grown)];
    if (e == nullptr) return 0;
    if (store->count > 0)
        std::memcpy(e, store->entries,
                    sizeof(Sprite_Store_Entry) * static_cast<size_t>(store->count));
    delete[] store->entries;
    store->entries = e;
    store->capacity = grown;
    return 1;
}

void Sprite_Store_Clear(Sprite_Store* store) {
    for (int i = 0; i < store->count; ++i) {
        delete[] store->entries[i].pixels;
        store->entries[i].pixels = nullptr;
    }
    store->count = 0;
}

int Sprite_Store_Cut(Sprite_Store* store, const Image8* image, int x, int y, int w, int h,
                     const char* name) {
    if (image->pixels == nullptr || !Cut_Inside(image, x, y, w, h, name)) return 0;
    Sprite_Store_Entry* e = Append(store, name, w, h);
    if (e == nullptr) return 0;
    Copy_Rows(e->pixels, image, x, y, w, h);
    ++store->count;
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
        if (e == nullptr) break;
        Copy_Rows(e->pixels, image, 1 + 33 * k, y, 32, 32);
        ++store->count;
        ++made;
    }
    return made;
}
