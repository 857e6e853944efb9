// The sprite store and its archives: cutting, writing and reading back, the build
// from images/ with required and optional pictures, loading every sprite, and the
// backgrounds read one at a time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bmp_maker.h"
#include "graphics/backgrounds.h"
#include "graphics/display.h"
#include "graphics/font.h"
#include "graphics/sprites.h"
#include "graphics/wad.h"
#include "scratch_cwd.h"

#include "core/bytes.h"
#include "core/files.h"

namespace {

uint32_t Le32(const std::string& s, size_t at) {
    return Get_Le32(s.data() + at);
}

// Every picture the build reads, with pixel (x, y) = 1 + (x + 3 y) % 200 so that
// any cut can be checked; sizes just large enough for their entries.
void Write_Images(const Scratch_Cwd& cwd, bool optional = true) {
    auto px = [](int x, int y) { return static_cast<uint8_t>(1 + (x + 3 * y) % 200); };
    struct P {
        const char* name;
        int w, h;
        bool required;
    };
    for (P p : {P{"vert_Scroll_Str.bmp", 112, 480, true}, P{"VScroll_Treck.bmp", 64, 152, true},
                P{"stones_1.bmp", 268, 298, true}, P{"Horz_Scroll_Str.bmp", 640, 112, true},
                P{"desk_border.bmp", 240, 202, true}, P{"Btn_standart.bmp", 140, 56, true},
                P{"Label_Frames.bmp", 136, 128, true}, P{"Btn_main_menu.bmp", 324, 332, true},
                P{"game_name.bmp", 524, 81, false}, P{"mouse_cursor.bmp", 36, 33, false},
                P{"desk.bmp", 256, 256, false}, P{"wall_border.bmp", 232, 33, false},
                P{"font_8x16.bmp", 145, 188, false}})
        if (p.required || optional)
            cwd.Write(std::string("images/") + p.name, Make_Bmp(p.w, p.h, px));
}

class Sprites_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(Report_Open(), 1);
        ASSERT_EQ(Display_Init(), 1);
        store = Sprite_Store_Create(10);
    }
    void TearDown() override {
        Sprite_Store_Destroy(store);
        Sprites_Release_All();
        Display_Release();
    }
    Image8 Image(int w, int h) {
        pixels.assign(static_cast<size_t>(w) * h, 0);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(1 + i % 250);
        Image8 im;
        im.row_length = w;
        im.height = h;
        im.pixels = pixels.data();
        return im;
    }
    Scratch_Cwd cwd;
    Sprite_Store* store = nullptr;
    std::vector<uint8_t> pixels;
};

TEST_F(Sprites_Test, CutsOutsideThePictureAreRefusedWithALine) {
    Image8 im = Image(10, 10);
    EXPECT_EQ(Sprite_Store_Cut(store, &im, 5, 5, 6, 2, "wide"), 0);
    EXPECT_EQ(Sprite_Store_Cut(store, &im, -1, 0, 2, 2, "left"), 0);
    EXPECT_EQ(Sprite_Store_Cut_Cells(store, &im, 1, 3, "cell_"), 0);
    EXPECT_EQ(store->Count(), 0);
    EXPECT_NE(cwd.Log().find("wide (5, 5, 6x2)"), std::string::npos);
}

TEST_F(Sprites_Test, ArchiveRoundTripKeepsNamesSizesAndPixels) {
    Image8 im = Image(80, 40);
    const std::string n31(31, 'n'), n40(40, 'm');
    ASSERT_EQ(Sprite_Store_Cut(store, &im, 1, 2, 3, 4, n31.c_str()), 1);
    ASSERT_EQ(Sprite_Store_Cut(store, &im, 10, 0, 5, 1, n40.c_str()), 1);
    ASSERT_EQ(Sprite_Store_Cut_Cells(store, &im, 1, 2, "c_"), 2);
    ASSERT_EQ(Wad_Write(store, "sprites.wad"), 1);
    const std::string bytes = cwd.Read("sprites.wad");
    ASSERT_EQ(bytes.size(), 4u + 48u * 4 + 12 + 5 + 2 * 1024);
    EXPECT_EQ(Le32(bytes, 0), 4u);
    EXPECT_EQ(Le32(bytes, 4 + 44), 4u + 48u * 4);  // first block right after the directory
    EXPECT_EQ(Le32(bytes, 4 + 48 + 44), 4u + 48u * 4 + 12);
    EXPECT_EQ(bytes[4 + 48 + 31], '\0');  // a long name is cut to 31 characters
    Sprite_Store* back = Sprite_Store_Create(10);
    ASSERT_EQ(Wad_Read(back, Sprites_Wad_Path().c_str()), 1);
    ASSERT_EQ(back->Count(), 4);
    EXPECT_EQ(std::string(back->entries[0].name), n31);
    EXPECT_EQ(std::string(back->entries[1].name), std::string(31, 'm'));
    EXPECT_EQ(back->entries[0].height, 4);
    EXPECT_EQ(back->entries[0].pixels[3 * 3 + 2], im.pixels[(2 + 3) * 80 + 1 + 2]);
    EXPECT_EQ(back->entries[3].pixels[0], im.pixels[1 * 80 + 34]);
    EXPECT_STREQ(back->entries[3].name, "c_1");
    Sprite_Store_Destroy(back);
}

TEST_F(Sprites_Test, AnArchiveWrittenAgainIsNeverReadHalfWritten) {
    // A second copy of the game started in the same folder writes the archives
    // while the first reads them: that one reads the whole old archive, not one
    // emptied and half written again (which left it without sprites, a black title).
    Image8 im = Image(20, 20);
    ASSERT_EQ(Sprite_Store_Cut(store, &im, 0, 0, 20, 20, "old"), 1);
    ASSERT_EQ(Wad_Write(store, "sprites.wad"), 1);
    const std::string old_bytes = cwd.Read("sprites.wad");
    FILE* reading = std::fopen("sprites.wad", "rb");
    ASSERT_NE(reading, nullptr);
    ASSERT_EQ(Sprite_Store_Cut(store, &im, 0, 0, 10, 10, "new"), 1);
    // Windows refuses to replace a file another program holds open: the old
    // archive then stays, whole, until the next start.
    const int replaced = Wad_Write(store, "sprites.wad");
    std::string seen(old_bytes.size() + 1, '\0');
    seen.resize(std::fread(seen.data(), 1, seen.size(), reading));
    std::fclose(reading);
    EXPECT_EQ(seen, old_bytes);
    if (replaced == 0) {
        EXPECT_EQ(cwd.Read("sprites.wad"), old_bytes);
    }
    ASSERT_EQ(Wad_Write(store, "sprites.wad"), 1);
    Sprite_Store* back = Sprite_Store_Create(10);
    ASSERT_EQ(Wad_Read(back, Sprites_Wad_Path().c_str()), 1);
    EXPECT_EQ(back->Count(), 2);
    Sprite_Store_Destroy(back);
    // Nothing is left beside it.
    EXPECT_EQ(Files_Ending_In(".", ".new"), std::vector<std::string>{});
}

TEST_F(Sprites_Test, BrokenArchivesAreRefusedNotReadPastTheirEnd) {
    Image8 im = Image(20, 20);
    ASSERT_EQ(Sprite_Store_Cut(store, &im, 0, 0, 20, 20, "big"), 1);
    ASSERT_EQ(Wad_Write(store, "sprites.wad"), 1);
    std::string good = cwd.Read("sprites.wad");
    Sprite_Store* back = Sprite_Store_Create(10);
    cwd.Write("sprites.wad", good.substr(0, good.size() - 1));  // block cut short
    EXPECT_EQ(Wad_Read(back, Sprites_Wad_Path().c_str()), 0);
    EXPECT_EQ(back->Count(), 0);
    std::string huge = good;
    huge[0] = '\x7f';  // claims far more records than the file holds
    cwd.Write("sprites.wad", huge);
    EXPECT_EQ(Wad_Read(back, Sprites_Wad_Path().c_str()), 0);
    std::string negative = good;
    negative[4 + 32 + 3] = '\x80';  // width below zero
    cwd.Write("sprites.wad", negative);
    EXPECT_EQ(Wad_Read(back, Sprites_Wad_Path().c_str()), 0);
    cwd.Write("sprites.wad", "");
    EXPECT_EQ(Wad_Read(back, Sprites_Wad_Path().c_str()), 0);
    EXPECT_NE(cwd.Log().find("\n Ошибка: архив sprites.wad повреждён"), std::string::npos);
    Sprite_Store_Destroy(back);
}

TEST_F(Sprites_Test, BuildAndLoadGiveEverySpriteItsCut) {
    Write_Images(cwd);
    ASSERT_EQ(Sprites_Build_Archive(), 1);
    ASSERT_EQ(Sprites_Load_All(), 1);
    const Sprite* back = Sprite_Get("VScrollStr_back");
    ASSERT_NE(back->surface, nullptr);
    EXPECT_EQ(back->width, 56);
    EXPECT_EQ(back->surface->pixels[0], 1 + (56 + 0) % 200);
    const Sprite* press = Sprite_Get("Btn_MMenu_press");
    EXPECT_EQ(press->surface->pixels[0], 1 + (0 + 3 * 50) % 200);
    // Stone t, frame k: the cell at (1 + 33 k, 1 + 33 t); its key is its own
    // top-left pixel.
    const Sprite& stone = Stone_Sprites[2][5];
    ASSERT_NE(stone.surface, nullptr);
    const int top_left = 1 + ((1 + 33 * 5) + 3 * (1 + 33 * 2)) % 200;
    EXPECT_EQ(stone.surface->pixels[0], top_left);
    EXPECT_EQ(stone.surface->color_key, top_left);
    EXPECT_EQ(Wall_Sprites[6].width, 32);
    EXPECT_TRUE(Font_8x16.ready);
    EXPECT_FALSE(Font_16x16.ready);  // its picture is missing
    EXPECT_EQ(Sprite_Get("Cifry8x8")->surface, nullptr);
    EXPECT_EQ(Sprite_Get("nonsense"), nullptr);
    const std::string log = cwd.Log();
    EXPECT_NE(log.find("\n  не найден файл images/Cifry_8x8.bmp \n"), std::string::npos);
    EXPECT_NE(log.find("\n spr_0, name: VScrollStr_back, size: 56x480"), std::string::npos);
    EXPECT_NE(log.find("\n Чтение спрайтов ... OK"), std::string::npos);
}

// A missing required picture leaves the archives as they were; a missing optional
// one only drops its entries.
TEST_F(Sprites_Test, MissingPicturesLeaveTheArchivesOrDropTheirEntries) {
    cwd.Write("sprites.wad", "old sprites");
    cwd.Write("Bkfons.wad", "old backgrounds");
    Write_Images(cwd);
    std::filesystem::remove("images/desk_border.bmp");
    EXPECT_EQ(Sprites_Build_Archive(), 0);
    EXPECT_EQ(cwd.Read("sprites.wad"), "old sprites");
    EXPECT_EQ(cwd.Read("Bkfons.wad"), "old backgrounds");
    Write_Images(cwd);
    std::filesystem::remove("images/desk.bmp");
    ASSERT_EQ(Sprites_Build_Archive(), 1);
    Sprite_Store* back = Sprite_Store_Create(10);
    ASSERT_EQ(Wad_Read(back, Sprites_Wad_Path().c_str()), 1);
    EXPECT_EQ(Sprite_Store_Find(back, "Desk"), -1);
    EXPECT_GE(Sprite_Store_Find(back, "desk_bord_Bm"), 0);
    Sprite_Store_Destroy(back);
}

TEST_F(Sprites_Test, BackgroundsKeepTheirNamesNotTheirNumbers) {
    auto px = [](int x, int y) { return static_cast<uint8_t>(1 + (x ^ y) % 100); };
    cwd.Write("images/Back_fons/Bkfon_001.bmp", Make_Bmp(128, 128, px));
    cwd.Write("images/Back_fons/Bkfon_003.bmp", Make_Bmp(130, 129, px));
    Write_Images(cwd, false);
    ASSERT_EQ(Sprites_Build_Archive(), 1);
    Background_Dir dir;
    ASSERT_EQ(Backgrounds_Open(&dir), 1);
    ASSERT_EQ(dir.count, 2);
    EXPECT_STREQ(dir.entries[1].name, "Bkfon_003");
    Sprite bg;
    ASSERT_EQ(Background_Load(&dir, 1, &bg), 1);
    EXPECT_STREQ(bg.name, "Bkfon_003");
    EXPECT_EQ(bg.width, 128);
    EXPECT_EQ(bg.surface->pixels[5 * bg.surface->pitch + 9], px(9, 5));
    Sprite untouched;
    EXPECT_EQ(Background_Load(&dir, 2, &untouched), 0);
    EXPECT_EQ(untouched.surface, nullptr);
    EXPECT_EQ(Background_Load(&dir, -1, &untouched), 0);
    Sprite_Release(&bg);
}

TEST_F(Sprites_Test, BackgroundEntriesBeyondTheFileAreLeftOut) {
    Image8 im = Image(128, 128);
    Sprite_Store* bk = Sprite_Store_Create(10);
    Sprite_Store_Cut(bk, &im, 0, 0, 128, 128, "Bkfon_001");
    Sprite_Store_Cut(bk, &im, 0, 0, 128, 128, "Bkfon_002");
    Wad_Write(bk, "Bkfons.wad");
    Sprite_Store_Destroy(bk);
    const std::string good = cwd.Read("Bkfons.wad");
    cwd.Write("Bkfons.wad", good.substr(0, good.size() - 100));
    Background_Dir dir;
    ASSERT_EQ(Backgrounds_Open(&dir), 1);
    EXPECT_EQ(dir.count, 1);
    cwd.Write("Bkfons.wad", std::string("\xff\xff\xff\x7f", 4));
    EXPECT_EQ(Backgrounds_Open(&dir), 0);
    EXPECT_EQ(dir.count, 0);
    std::filesystem::remove("Bkfons.wad");
    EXPECT_EQ(Backgrounds_Open(&dir), 0);
}

}  // namespace
