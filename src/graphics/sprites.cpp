// The sprite store, its archive files, the archive build from images/ and the
// loading of every sprite and font at start-up.
#include "graphics/sprites.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <new>

#include "core/report_log.h"
#include "graphics/font.h"
#include "graphics/sprite_store.h"
#include "graphics/wad.h"
#include "platform/places.h"
#include "platform/platform.h"
#include "core/system.h"

std::string Sprites_Wad_Path() {
    return Plat_Path(PLACE_CACHE, "sprites.wad");
}

std::string Bkfons_Wad_Path() {
    return Plat_Path(PLACE_CACHE, "Bkfons.wad");
}

Sprite Stone_Sprites[9][8];
Sprite Wall_Sprites[7];

namespace {

// The single sprites, in the order they are loaded.
const char* const Single_Names[] = {
    "VScrollStr_back",
    "VScrollStr_front",
    "HScrollStr_back",
    "HScrollStr_front",
    "spr_VTrack_top",
    "spr_VTrack_mid",
    "spr_VTrack_btm",
    "spr_Track_pos",
    "spr_BtnArrowL_unpres",
    "spr_BtnArrowL_pres",
    "spr_BtnArrowR_unpres",
    "spr_BtnArrowR_pres",
    "spr_BtnArrowU_unpres",
    "spr_BtnArrowU_pres",
    "spr_BtnArrowD_unpres",
    "spr_BtnArrowD_pres",
    "Game_name",
    "Help_Screen",
    "Spasenie_Screen",
    "Desk",
    "desk_bord_LfTp",
    "desk_bord_LfBm",
    "desk_bord_RtTp",
    "desk_bord_RtBm",
    "desk_bord_Lf",
    "desk_bord_Rt",
    "desk_bord_Tp",
    "desk_bord_Bm",
    "BtnStd_LfTp",
    "BtnStd_LfBm",
    "BtnStd_RtTp",
    "BtnStd_RtBm",
    "BtnStd_Lf",
    "BtnStd_Rt",
    "BtnStd_Tp",
    "BtnStd_Bm",
    "Hrz_Label_Frame",
    "Vrt_Label_Frame",
    "Btn_MMenu_unpress",
    "Btn_MMenu_press",
    "BtnMM_NewGame",
    "BtnMM_Continue",
    "BtnMM_Help",
    "BtnMM_Windows",
    "BtnMM_Spasenie",
    "mouse_cursor",
    // loaded after the stones and walls
    "Build_Area_Horiz",
    "Build_Area_Vert",
    "Build_Area_Ugol",
    "Cifry8x8",
    "Cifry16x16",
    "Cifry24x24",
};
constexpr int Single_Count = sizeof Single_Names / sizeof Single_Names[0];
constexpr int Singles_Before_Stones = Single_Count - 6;
Sprite Singles[Single_Count];

struct Cut {
    const char* name;
    int x, y, w, h;
};
enum Cut_Kind { CUT_PLAIN, CUT_STONES, CUT_WALLS };
struct Picture {
    const char* file;
    bool required;
    Cut_Kind kind;
    Cut cuts[14];
};

// Every picture of images/ and the entries cut from it, in archive order.
const Picture Pictures[] = {
    {"vert_Scroll_Str.bmp",
     true,
     CUT_PLAIN,
     {{"VScrollStr_back", 56, 0, 56, 480}, {"VScrollStr_front", 0, 0, 56, 480}}},
    {"VScroll_Treck.bmp",
     true,
     CUT_PLAIN,
     {{"spr_VTrack_top", 1, 16, 22, 3},
      {"spr_VTrack_mid", 1, 20, 22, 128},
      {"spr_VTrack_btm", 1, 149, 22, 3},
      {"spr_Track_pos", 29, 84, 16, 16},
      {"spr_BtnArrowU_unpres", 29, 16, 16, 16},
      {"spr_BtnArrowU_pres", 46, 16, 16, 16},
      {"spr_BtnArrowR_unpres", 29, 33, 16, 16},
      {"spr_BtnArrowR_pres", 46, 33, 16, 16},
      {"spr_BtnArrowL_unpres", 29, 50, 16, 16},
      {"spr_BtnArrowL_pres", 46, 50, 16, 16},
      {"spr_BtnArrowD_unpres", 29, 67, 16, 16},
      {"spr_BtnArrowD_pres", 46, 67, 16, 16}}},
    {"game_name.bmp", false, CUT_PLAIN, {{"Game_name", 1, 1, 520, 80}}},
    {"mouse_cursor.bmp", false, CUT_PLAIN, {{"mouse_cursor", 1, 1, 32, 32}}},
    {"stones_1.bmp", true, CUT_STONES, {}},
    {"Horz_Scroll_Str.bmp",
     true,
     CUT_PLAIN,
     {{"HScrollStr_back", 0, 56, 640, 56}, {"HScrollStr_front", 0, 0, 640, 56}}},
    {"Cifry_8x8.bmp", false, CUT_PLAIN, {{"Cifry8x8", 1, 1, 90, 8}}},
    {"Cifry_16x16.bmp", false, CUT_PLAIN, {{"Cifry16x16", 1, 1, 170, 16}}},
    {"Cifry_24x24.bmp", false, CUT_PLAIN, {{"Cifry24x24", 1, 1, 250, 24}}},
    {"wall_border.bmp", false, CUT_WALLS, {}},
    {"Build_Area_Horz.bmp", false, CUT_PLAIN, {{"Build_Area_Horiz", 0, 0, 460, 25}}},
    {"Build_Area_Vert.bmp", false, CUT_PLAIN, {{"Build_Area_Vert", 0, 0, 23, 460}}},
    {"Build_Area_Ugol.bmp", false, CUT_PLAIN, {{"Build_Area_Ugol", 0, 0, 23, 25}}},
    {"font_8x16.bmp", false, CUT_PLAIN, {{"font_8x16", 0, 0, 145, 188}}},
    {"font_16x16.bmp", false, CUT_PLAIN, {{"font_16x16", 0, 0, 273, 188}}},
    {"font_32x32.bmp", false, CUT_PLAIN, {{"font_32x32", 0, 0, 529, 331}}},
    {"Help_Screen.bmp", false, CUT_PLAIN, {{"Help_Screen", 0, 0, 640, 480}}},
    {"Spasenie_Screen.bmp", false, CUT_PLAIN, {{"Spasenie_Screen", 0, 0, 640, 480}}},
    {"desk.bmp", false, CUT_PLAIN, {{"Desk", 0, 0, 256, 256}}},
    {"desk_border.bmp",
     true,
     CUT_PLAIN,
     {{"desk_bord_LfTp", 31, 1, 40, 40},
      {"desk_bord_LfBm", 31, 44, 40, 40},
      {"desk_bord_RtTp", 74, 1, 40, 40},
      {"desk_bord_RtBm", 74, 44, 40, 40},
      {"desk_bord_Lf", 1, 1, 11, 172},
      {"desk_bord_Rt", 16, 1, 11, 172},
      {"desk_bord_Tp", 1, 176, 236, 12},
      {"desk_bord_Bm", 1, 190, 236, 12}}},
    {"Btn_standart.bmp",
     true,
     CUT_PLAIN,
     {{"BtnStd_LfTp", 4, 17, 2, 2},
      {"BtnStd_LfBm", 4, 53, 2, 2},
      {"BtnStd_RtTp", 137, 17, 2, 2},
      {"BtnStd_RtBm", 137, 53, 2, 2},
      {"BtnStd_Lf", 4, 20, 2, 32},
      {"BtnStd_Rt", 137, 20, 2, 32},
      {"BtnStd_Tp", 7, 17, 128, 2},
      {"BtnStd_Bm", 7, 53, 128, 2}}},
    {"Label_Frames.bmp",
     true,
     CUT_PLAIN,
     {{"Hrz_Label_Frame", 5, 0, 128, 3}, {"Vrt_Label_Frame", 0, 0, 3, 128}}},
    {"Btn_main_menu.bmp",
     true,
     CUT_PLAIN,
     {{"Btn_MMenu_unpress", 0, 0, 321, 50},
      {"Btn_MMenu_press", 0, 50, 321, 50},
      {"BtnMM_NewGame", 1, 105, 273, 40},
      {"BtnMM_Continue", 1, 150, 273, 40},
      {"BtnMM_Help", 1, 196, 273, 40},
      {"BtnMM_Windows", 1, 244, 273, 40},
      {"BtnMM_Spasenie", 1, 292, 273, 40}}},
};

// Names are cut so that byte 31 is the NUL.
FILE* Open_Picture(const char* path) {
    Report_Log("\n Чтение bmp-файла %s \n", path);
    FILE* f = Sys_Open(path, "rb");
    if (f == nullptr) Report_Log("\n  не найден файл %s \n", path);
    return f;
}

}  // namespace

int Sprite_Create_Surface(int width, int height, Sprite* sprite) {
    Sprite_Release(sprite);
    sprite->width = width;
    sprite->height = height;
    sprite->surface = Surface_Create(width, height);
    if (sprite->surface == nullptr) {
        Report_Log("\n  ошибка при создании спрайта размером (%d, %d) \n", width, height);
        return 0;
    }
    Surface_Clear(sprite->surface);
    return 1;
}

void Sprite_Release(Sprite* sprite) {
    Surface_Release(sprite->surface);
}

namespace {
int Fill_Sprite(const Sprite_Store_Entry& e, Sprite* sprite) {
    if (!Sprite_Create_Surface(e.width, e.height, sprite)) return 0;
    Sprite_Name_Copy(sprite->name, e.name);
    int32_t pitch = 0;
    uint8_t* pixels = Surface_Lock(sprite->surface, &pitch);
    if (pixels == nullptr) {
        Surface_Release(sprite->surface);
        return 0;
    }
    Rows_Copy(pixels, pitch, e.pixels.data(), e.width, e.width, e.height);
    Surface_Unlock(sprite->surface);
    return 1;
}
}  // namespace

int Sprite_Load(const Sprite_Store* store, Sprite* sprite, const char* name) {
    const int i = Sprite_Store_Find(store, name);
    if (i < 0) return 0;
    return Fill_Sprite(store->entries[i], sprite);
}

int Sprite_Load_Series(const Sprite_Store* store, Sprite* sprites, int count, const char* prefix) {
    for (int k = 0; k < count; ++k) {
        char name[48];
        std::snprintf(name, sizeof name, "%s%d", prefix, k);
        const int i = Sprite_Store_Find(store, name);
        if (i < 0 || !Fill_Sprite(store->entries[i], &sprites[k])) return k;
    }
    return count;
}

int Sprite_Draw(Surface* dst, int x, int y, const Sprite* sprite) {
    if (sprite == nullptr || sprite->surface == nullptr) return 0;
    const Rect src{0, 0, sprite->width, sprite->height};
    const Rect to{x, y, x + sprite->width, y + sprite->height};
    return Surface_Blt(dst, &to, sprite->surface, &src, Blt_Keysrc);
}

Sprite* Sprite_Get(const char* name) {
    // Screens ask by the same literal names every frame: the last answer for each
    // name's address is tried first.
    static const char* asked[16];
    static int answer[16];
    const size_t slot = (reinterpret_cast<uintptr_t>(name) >> 3) % 16;
    if (asked[slot] == name && std::strcmp(Single_Names[answer[slot]], name) == 0)
        return &Singles[answer[slot]];
    for (int i = 0; i < Single_Count; ++i)
        if (std::strcmp(Single_Names[i], name) == 0) {
            asked[slot] = name;
            answer[slot] = i;
            return &Singles[i];
        }
    return nullptr;
}

int Sprite_Width(const char* name) {
    const Sprite* s = Sprite_Get(name);
    return s != nullptr ? s->width : 0;
}

int Sprite_Height(const char* name) {
    const Sprite* s = Sprite_Get(name);
    return s != nullptr ? s->height : 0;
}

int Sprites_Build_Archive() {
    Report_Log("\n Запись спрайтов для компрессии");
    Sprite_Store* store = Sprite_Store_Create(10);
    if (store == nullptr) return 0;
    char path[260];
    for (const Picture& pic : Pictures) {
        std::snprintf(path, sizeof path, "images/%s", pic.file);
        FILE* f = Open_Picture(path);
        Image8 image;
        if (f == nullptr || !Bmp_Read(&image, f)) {
            if (!pic.required) continue;
            // A required picture missing: the archives on disk stay as they are.
            Sprite_Store_Destroy(store);
            return 0;
        }
        if (pic.kind == CUT_STONES) {
            for (int t = 0; t < 9; ++t) {
                char prefix[16];
                std::snprintf(prefix, sizeof prefix, "stones_t%d_", t);
                Sprite_Store_Cut_Cells(store, &image, 1 + 33 * t, 8, prefix);
            }
        } else if (pic.kind == CUT_WALLS) {
            Sprite_Store_Cut_Cells(store, &image, 1, 7, "wall_area_");
        } else {
            for (const Cut& c : pic.cuts)
                if (c.name != nullptr) Sprite_Store_Cut(store, &image, c.x, c.y, c.w, c.h, c.name);
        }
        Bmp_Free(&image);
    }
    Wad_Write(store, Sprites_Wad_Path());
    Sprite_Store_Destroy(store);

    store = Sprite_Store_Create(140);
    for (int n = 1; n <= Background_Count; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "Bkfon_%03d", n);
        std::snprintf(path, sizeof path, "images/Back_fons/%s.bmp", name);
        FILE* f = Open_Picture(path);
        Image8 image;
        if (f == nullptr || !Bmp_Read(&image, f)) continue;
        Sprite_Store_Cut(store, &image, 0, 0, 128, 128, name);
        Bmp_Free(&image);
    }
    Wad_Write(store, Bkfons_Wad_Path());
    Sprite_Store_Destroy(store);
    return 1;
}

int Sprites_Load_All() {
    Report_Log("\n  Чтение спрайтов ...");
    Sprite_Store* store = Sprite_Store_Create(10);
    Wad_Read(store, Sprites_Wad_Path().c_str());
    struct Font_Entry {
        const char* name;
        Font* font;
        int w, h;
    };
    for (const Font_Entry& fe :
         {Font_Entry{"font_8x16", &Font_8x16, 8, 16}, Font_Entry{"font_16x16", &Font_16x16, 16, 16},
          Font_Entry{"font_32x32", &Font_32x32, 32, 32}}) {
        const int i = Sprite_Store_Find(store, fe.name);
        if (i < 0) continue;
        Sprite_Store_Entry& e = store->entries[i];
        Image8 image;  // a view of the entry's pixels, not an owner
        image.row_length = e.width;
        image.height = e.height;
        image.pixels = e.pixels.data();
        Font_Create(&image, fe.font, fe.w, fe.h);
    }
    for (int i = 0; i < Singles_Before_Stones; ++i)
        Sprite_Load(store, &Singles[i], Single_Names[i]);
    for (int t = 0; t < 9; ++t) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "stones_t%d_", t);
        Sprite_Load_Series(store, Stone_Sprites[t], 8, prefix);
        // Each stone frame is transparent where it has the colour of its own
        // top-left pixel.
        for (Sprite& s : Stone_Sprites[t]) {
            if (s.surface == nullptr) continue;
            const uint8_t* p = Surface_Lock(s.surface, nullptr);
            if (p != nullptr) s.surface->color_key = p[0];
            Surface_Unlock(s.surface);
        }
    }
    Sprite_Load_Series(store, Wall_Sprites, 7, "wall_area_");
    for (int i = Singles_Before_Stones; i < Single_Count; ++i)
        Sprite_Load(store, &Singles[i], Single_Names[i]);
    Report_Log("\n всего спрайтов = %d \n", store->Count());
    for (int i = 0; i < store->Count(); ++i)
        Report_Log("\n spr_%d, name: %s, size: %dx%d", i, store->entries[i].name,
                   store->entries[i].width, store->entries[i].height);
    Sprite_Store_Destroy(store);
    Report_Log("\n Чтение спрайтов ... OK");
    return 1;
}

int Sprites_Release_All() {
    for (Sprite& s : Singles) Sprite_Release(&s);
    for (auto& type : Stone_Sprites)
        for (Sprite& s : type) Sprite_Release(&s);
    for (Sprite& s : Wall_Sprites) Sprite_Release(&s);
    Font_Release(&Font_8x16);
    Font_Release(&Font_16x16);
    Font_Release(&Font_32x32);
    return 1;
}

int Sprite_Tile(const Sprite* sprite, int left, int top, int right, int bottom, Surface* dst) {
    if (sprite == nullptr || sprite->surface == nullptr || dst == nullptr) return 0;
    const int w = sprite->width, h = sprite->height;
    auto piece = [&](int x, int y, int pw, int ph) {
        const Rect src{0, 0, pw, ph};
        const Rect to{x, y, x + pw, y + ph};
        Surface_Blt(dst, &to, sprite->surface, &src, Blt_Keysrc);
    };
    int y = top;
    for (; y + h <= bottom; y += h) {
        int x = left;
        for (; x + w <= right; x += w) piece(x, y, w, h);
        if (x < right) piece(x, y, right - x, h);
    }
    if (y < bottom) {
        int x = left;
        for (; x + w <= right; x += w) piece(x, y, w, bottom - y);
        if (x < right) piece(x, y, right - x, bottom - y);
    }
    return 1;
}
