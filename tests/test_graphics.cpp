// Surfaces and the display: copies, clipping, the cursor, the palette file, BMP
// reading, screenshots, fonts, text and tiling.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shared_state.h"

#include <cstring>
#include <string>

#include "platform/shell_input.h"
#include "bmp_maker.h"
#include "graphics/bmp.h"
#include "graphics/screenshot.h"
#include "graphics/compose.h"
#include "graphics/display.h"
#include "graphics/font.h"
#include "graphics/sprites.h"
#include "scratch_cwd.h"

namespace {

uint8_t At(const Surface* s, int x, int y) {
    return s->pixels[y * s->pitch + x];
}

// A surface whose pixel (x, y) is f(x, y).
Surface* Painted(int w, int h, const std::function<uint8_t(int, int)>& f) {
    Surface* s = Surface_Create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->pixels[y * s->pitch + x] = f(x, y);
    return s;
}

// A font picture whose cell g is filled with the index 1 + g % 200, with the grid
// lines at index 250; with holes, every third pixel of a cell is clear.
void Make_Font(Font* font, int w, int h, bool holes = false) {
    const int pw = 16 * (w + 1) + 1, ph = 11 * (h + 1) + 1;
    std::vector<uint8_t> pixels(static_cast<size_t>(pw) * ph, 250);
    for (int g = 0; g < 160; ++g)
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                pixels[(1 + (g / 16) * (h + 1) + j) * pw + 1 + (g % 16) * (w + 1) + i] =
                    holes && (i + j) % 3 == 0 ? 0 : static_cast<uint8_t>(1 + g % 200);
    Image8 image;
    image.row_length = pw;
    image.height = ph;
    image.pixels = pixels.data();
    ASSERT_EQ(Font_Create(&image, font, w, h), 1);
    image.pixels = nullptr;
}

class Display_Test : public Shared_State_Test {
  protected:
    void SetUp() override {
        Reset_Shared_State();
        ASSERT_EQ(Report_Open(), 1);
        ASSERT_EQ(Display_Init(), 1);
    }
    void TearDown() override {
        Sprites_Release_All();
        Display_Release();
        Shared_State_Test::TearDown();
    }
    Scratch_Cwd cwd;
};

// --- copies -----------------------------------------------------------------------

TEST_F(Display_Test, BackBufferClipsWhileOtherSurfacesRefuse) {
    Surface* src =
        Painted(10, 10, [](int x, int y) { return static_cast<uint8_t>(1 + x + 10 * y); });
    const Rect part{0, 0, 10, 10};
    const Rect off_left{-4, -3, 6, 7};
    ASSERT_EQ(Surface_Blt(Back_Buffer, &off_left, src, &part, 0), 1);
    EXPECT_EQ(At(Back_Buffer, 0, 0), 1 + 4 + 30);  // clipped: source moves with it
    EXPECT_EQ(At(Back_Buffer, 5, 6), 1 + 9 + 90);
    const Rect off_right{635, 475, 645, 485};
    ASSERT_EQ(Surface_Blt(Back_Buffer, &off_right, src, &part, 0), 1);
    EXPECT_EQ(At(Back_Buffer, 639, 479), 1 + 4 + 40);
    // A widget surface has no clipper: the copy fails and draws nothing.
    Surface* widget = Surface_Create(20, 20);
    const Rect spill{15, 15, 25, 25};
    EXPECT_EQ(Surface_Blt(widget, &spill, src, &part, 0), 0);
    EXPECT_EQ(At(widget, 15, 15), 0);
    // A source rectangle outside its surface fails too.
    const Rect too_big{0, 0, 11, 10};
    const Rect in{0, 0, 11, 10};
    EXPECT_EQ(Surface_Blt(widget, &in, src, &too_big, 0), 0);
    Surface_Release(widget);
    Surface_Release(src);
}

// Rows of every width, whole pieces and tails alike, skip exactly the key's pixels
// and leave the bytes beside the copy alone.
TEST_F(Display_Test, KeyedRowsOfAnyWidthSkipOnlyTheKey) {
    Surface* src =
        Painted(40, 3, [](int x, int y) { return uint8_t((x * 7 + y) % 5 ? x + 50 : 0); });
    src->color_key = 0;
    for (int w = 1; w <= 40; ++w) {
        Surface* dst = Painted(48, 3, [](int x, int y) { return uint8_t(200 + x % 9 + y); });
        const Rect s{40 - w, 0, 40, 3}, d{3, 0, 3 + w, 3};
        ASSERT_EQ(Surface_Blt(dst, &d, src, &s, Blt_Keysrc), 1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 48; ++x) {
                const bool in = x >= 3 && x < 3 + w;
                const uint8_t from = in ? At(src, 40 - w + x - 3, y) : 0;
                const uint8_t want = in && from != 0 ? from : uint8_t(200 + x % 9 + y);
                ASSERT_EQ(At(dst, x, y), want) << "width " << w << " at " << x << ", " << y;
            }
        Surface_Release(dst);
    }
    Surface_Release(src);
}

TEST_F(Display_Test, ColourKeySkipsOnlyTheKeyAndScalingPicksNearestPixels) {
    Surface* src = Painted(2, 2, [](int x, int y) { return static_cast<uint8_t>(x + 2 * y); });
    Surface_Fill(Back_Buffer, nullptr, 9);
    const Rect s{0, 0, 2, 2};
    const Rect big{10, 10, 14, 14};  // 2 x 2 stretched to 4 x 4
    ASSERT_EQ(Surface_Blt(Back_Buffer, &big, src, &s, Blt_Keysrc), 1);
    EXPECT_EQ(At(Back_Buffer, 10, 10), 9);  // index 0 is the key: not drawn
    EXPECT_EQ(At(Back_Buffer, 11, 11), 9);
    EXPECT_EQ(At(Back_Buffer, 12, 10), 1);
    EXPECT_EQ(At(Back_Buffer, 13, 11), 1);
    EXPECT_EQ(At(Back_Buffer, 10, 12), 2);
    EXPECT_EQ(At(Back_Buffer, 13, 13), 3);
    EXPECT_EQ(At(Back_Buffer, 14, 14), 9);
    Surface_Release(src);
}

// The cursor is drawn over the screen, cut at its edge, and never into the back
// buffer; the next frame without it shows the back buffer there again.
TEST_F(Display_Test, TheCursorIsDrawnOverTheScreenOnly) {
    Sprite* cursor = Sprite_Get("mouse_cursor");
    ASSERT_TRUE(Sprite_Create_Surface(32, 32, cursor));
    Surface_Fill(cursor->surface, nullptr, 77);
    Surface* picture = Painted(640, 480, [](int x, int y) { return uint8_t((x + y) % 200 + 1); });
    Surface_Blt(Back_Buffer, nullptr, picture, nullptr, 0);
    Mouse_X = 620;
    Mouse_Y = 470;
    Frame_End();
    EXPECT_EQ(At(Primary_Surface, 620, 470), 77);
    EXPECT_EQ(At(Primary_Surface, 639, 479), 77);
    EXPECT_EQ(At(Primary_Surface, 619, 479), (619 + 479) % 200 + 1);
    EXPECT_EQ(At(Back_Buffer, 639, 479), (639 + 479) % 200 + 1);
    Present_Frame();
    EXPECT_EQ(At(Primary_Surface, 620, 470), (620 + 470) % 200 + 1);
    Surface_Release(picture);
}

// Composed in part, every frame is the frame composed in full: a sprite moved, a
// source changed or freed while its copy waited, a font recoloured between two
// texts, the back buffer written directly; and only the tiles that changed are
// drawn.
TEST_F(Display_Test, APartlyComposedFrameIsTheFullOne) {
    Compose_Set_Mode(Compose_Mode::Check);
    Surface* ground = Painted(128, 128, [](int x, int y) { return uint8_t((x ^ y) % 50 + 1); });
    Surface* sprite = Painted(32, 32, [](int x, int y) { return uint8_t(x > 4 && y > 4 ? 9 : 0); });
    sprite->color_key = 0;
    // A sheet of two letters; the second has a few opaque pixels at its foot.
    Surface* sheet = Painted(64, 64, [](int x, int y) {
        return uint8_t(x < 32 ? 7 : x >= 60 && y >= 60 ? 8 : 0);
    });
    sheet->color_key = 0;
    Make_Font(&Font_8x16, 8, 16, true);
    for (int frame = 0; frame < 12; ++frame) {
        const Rect board{20, 40, 20 + 384, 40 + 384};
        Surface_Fill(Back_Buffer, nullptr, 3);
        Surface_Blt(Back_Buffer, &board, ground, nullptr, 0);  // scaled three times
        Sprite s{};
        s.surface = sprite;
        s.width = s.height = 32;
        Sprite_Draw(Back_Buffer, 40 + 8 * frame, 100, &s);
        const Rect letter{32, 0, 64, 64}, at{200 + frame, 200, 232 + frame, 264};
        Surface_Blt(Back_Buffer, &at, sheet, &letter, Blt_Keysrc);  // only its foot changes
        Font_Set_Colour(&Font_8x16, 20);
        Text_Draw(450, 60, "one", &Font_8x16, Back_Buffer);
        Font_Set_Colour(&Font_8x16, 21 + frame % 2);  // the first text keeps colour 20
        Text_Draw(450, 90, "two", &Font_8x16, Back_Buffer);
        if (frame == 5) {
            Surface* gone = Painted(16, 16, [](int, int) { return uint8_t(44); });
            const Rect at{500, 300, 516, 316};
            Surface_Blt(Back_Buffer, &at, gone, nullptr, 0);
            Surface_Release(gone);                         // freed before the frame is composed
            sprite->pixels[10 * sprite->pitch + 10] = 12;  // changed after its copy was kept
            sprite->content = 0;
        }
        if (frame == 8) Surface_Lock(Back_Buffer, nullptr)[5] = 99;
        if (frame < 10) {  // the frame after the direct write is drawn whole
            Present_Frame();
            continue;
        }
        // A plain frame: only the sprite's tiles, old and new, the second text's and
        // the letter's foot.
        std::vector<Rect> drawn;
        ASSERT_TRUE(Compose_Flush(&drawn));
        int area = 0;
        for (const Rect& r : drawn) area += (r.right - r.left) * (r.bottom - r.top);
        EXPECT_GT(area, 0);
        EXPECT_LE(area, 16 * 16 * 16);
    }
    EXPECT_EQ(Compose_Check_Failures(), 0);
    // A pixel written behind the list's back is a difference the check reports; a
    // copy within the back buffer is drawn as it comes.
    Back_Buffer->pixels[0] ^= 1;
    const Rect from{0, 0, 8, 8}, to{100, 100, 108, 108};
    Surface_Blt(Back_Buffer, &to, Back_Buffer, &from, 0);
    EXPECT_EQ(Back_Buffer->pixels[100 * Back_Buffer->pitch + 100], Back_Buffer->pixels[0]);
    Present_Frame();
    EXPECT_GE(Compose_Check_Failures(), 1);
    Compose_Set_Mode(Compose_Mode::Full);
    Font_Release(&Font_8x16);
    Surface_Release(ground);
    Surface_Release(sprite);
    Surface_Release(sheet);
}

TEST_F(Display_Test, ShortPaletteFileFillsItsRecordsAndFlagsAreFour) {
    std::string pal(600, '\0');
    for (size_t i = 0; i < pal.size(); ++i) pal[i] = static_cast<char>(i % 251 + 1);
    cwd.Write("rainbow.rbw", pal);
    Display_Release();
    ASSERT_EQ(Display_Init(), 1);
    EXPECT_EQ(Palette_Entries[0], 1);
    EXPECT_EQ(Palette_Entries[149 * 4 + 2], static_cast<uint8_t>((149 * 4 + 2) % 251 + 1));
    EXPECT_EQ(Palette_Entries[150 * 4], 0);
    EXPECT_EQ(Palette_Entries[255 * 4 + 2], 0);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(Palette_Entries[4 * i + 3], 4);
    EXPECT_NE(cwd.Log().find("\n хорошо создана радуга rainbow.rbw \n"), std::string::npos);
}

// A window whose device was reset, as the system reports it until the display
// says it is restored.
bool Device_Lost = false;
const Plat_Backend Losing_Backend = {nullptr,
                                     nullptr,
                                     nullptr,
                                     [] { return Device_Lost; },
                                     [] { Device_Lost = false; },
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr};

TEST_F(Display_Test, ALostDisplayIsRebuilt) {
    Plat_Set_Backend(&Losing_Backend);
    Device_Lost = true;
    ASSERT_TRUE(Display_Is_Lost());
    Display_Recover();
    EXPECT_FALSE(Display_Is_Lost());
    EXPECT_NE(Back_Buffer, nullptr);
    Plat_Set_Backend(nullptr);
}

TEST_F(Display_Test, ScreenshotsAreNumberedAndAFailedOneStillCounts) {
    Screenshot_Number = 1;
    std::filesystem::create_directories("images/screen_shot");
    Screenshot_Take();
    Screenshot_Take();
    EXPECT_TRUE(std::filesystem::exists("images/screen_shot/screen_shot_001.bmp"));
    EXPECT_TRUE(std::filesystem::exists("images/screen_shot/screen_shot_002.bmp"));
    std::filesystem::remove_all("images/screen_shot");
    Screenshot_Take();  // nowhere to write: lost, but its number is used
    std::filesystem::create_directories("images/screen_shot");
    Screenshot_Take();
    EXPECT_FALSE(std::filesystem::exists("images/screen_shot/screen_shot_003.bmp"));
    EXPECT_TRUE(std::filesystem::exists("images/screen_shot/screen_shot_004.bmp"));
    Screenshot_Number = 1;
}

// --- BMP files -------------------------------------------------------------------------

class Bmp_Test : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Report_Open(), 1); }
    void TearDown() override { Bmp_Free(&image); }
    int Read(const std::string& bytes) {
        cwd.Write("p.bmp", bytes);
        return Bmp_Read(&image, std::fopen("p.bmp", "rb"));
    }
    Scratch_Cwd cwd;
    Image8 image;
};

TEST_F(Bmp_Test, PaddedRowsAreKeptAndRowsComeTopDown) {
    ASSERT_EQ(
        Read(Make_Bmp(145, 3, [](int x, int y) { return static_cast<uint8_t>(x % 7 + 10 * y); })),
        1);
    EXPECT_EQ(image.row_length, 148);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.pixels[0], 0);
    EXPECT_EQ(image.pixels[2 * 148 + 6], 26);
}

TEST_F(Bmp_Test, HighIndicesFoldAndOddHeightsKeepTheMiddleRow) {
    ASSERT_EQ(Read(Make_Bmp(
                  4, 3, [](int x, int y) { return static_cast<uint8_t>(248 + x + 4 * (y == 1)); })),
              1);
    EXPECT_EQ(image.pixels[0], 7);  // 248 -> 7
    EXPECT_EQ(image.pixels[3], 4);  // 251 -> 4
    EXPECT_EQ(image.pixels[4], 3);  // middle row 252 -> 3
    EXPECT_EQ(image.pixels[8 + 2], 5);
}

TEST_F(Bmp_Test, TrailingBytesShiftThePictureAsTheWindowsGameDid) {
    ASSERT_EQ(Read(Make_Bmp(
                  4, 2, [](int x, int) { return static_cast<uint8_t>(x + 1); },
                  Bmp_Options{0, 8, 0, -1, std::string("\x09\x09", 2)})),
              1);
    // The last 8 bytes are taken: the block starts two bytes late, so the top row
    // ends in the two trailing bytes.
    EXPECT_EQ(image.pixels[0], 3);
    EXPECT_EQ(image.pixels[2], 9);
    EXPECT_EQ(image.pixels[3], 9);
    EXPECT_EQ(image.pixels[6], 1);
}

TEST_F(Bmp_Test, UnusablePicturesAreRefusedWithALine) {
    auto px = [](int, int) -> uint8_t { return 1; };
    EXPECT_EQ(Read(Make_Bmp(4, 4, px, Bmp_Options{0, 24, 0, -1, ""})), 0);
    EXPECT_NE(cwd.Log().find("\n  файл не 8-bit bmp-файл \n"), std::string::npos);
    EXPECT_EQ(Read(Make_Bmp(4, 4, px, Bmp_Options{-4, 8, 0, -1, ""})), 0);      // top-down
    EXPECT_EQ(Read(Make_Bmp(4, 4, px, Bmp_Options{0, 8, 1, -1, ""})), 0);       // compressed
    EXPECT_EQ(Read(Make_Bmp(4, 4, px, Bmp_Options{0, 8, 0, 0, ""})), 0);        // no image size
    EXPECT_EQ(Read(Make_Bmp(4, 4, px, Bmp_Options{0, 8, 0, 1 << 30, ""})), 0);  // larger than file
    EXPECT_EQ(Read("BM"), 0);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST_F(Bmp_Test, EveryFuzzSeedIsReadWithoutHarm) {
    // Among them the input that once asked for an image size beyond the file.
    for (const auto& e :
         std::filesystem::directory_iterator(std::string(VELTRAN_SOURCE_DIR) + "/fuzz/seeds_bmp")) {
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        Read(bytes.str());
        if (image.pixels != nullptr) {
            EXPECT_LE(static_cast<int64_t>(image.row_length) * image.height,
                      static_cast<int64_t>(bytes.str().size()))
                << e.path();
        }
        Bmp_Free(&image);
    }
    EXPECT_NE(cwd.Log().find("\n  файл bmp короче своих строк: "), std::string::npos);
}

TEST_F(Bmp_Test, ScreenshotFileReadsBackByteForByte) {
    Surface* frame =
        Painted(640, 480, [](int x, int y) { return static_cast<uint8_t>((x * 3 + y) % 248); });
    for (int i = 0; i < 256; ++i) {
        Palette_Entries[4 * i] = static_cast<uint8_t>(i);
        Palette_Entries[4 * i + 1] = static_cast<uint8_t>(255 - i);
        Palette_Entries[4 * i + 2] = 7;
    }
    ASSERT_EQ(Screenshot_Write(frame->pixels, frame->pitch, 0, 0, 639, 479, "shot.bmp"), 1);
    const std::string bytes = cwd.Read("shot.bmp");
    ASSERT_EQ(bytes.size(), 640u * 480u + 1078u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 4 * 10 + 0]), 7);    // blue
    EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 4 * 10 + 1]), 245);  // green
    EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 4 * 10 + 2]), 10);   // red
    EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 4 * 10 + 3]), 4);
    // Bottom row first.
    EXPECT_EQ(static_cast<uint8_t>(bytes[1078 + 5]), At(frame, 5, 479));
    EXPECT_EQ(static_cast<uint8_t>(bytes[1078 + 479 * 640 + 5]), At(frame, 5, 0));
    // And the reader gives the frame back.
    ASSERT_EQ(Bmp_Read(&image, std::fopen("shot.bmp", "rb")), 1);
    for (int y = 0; y < 480; y += 37)
        for (int x = 0; x < 640; x += 13) ASSERT_EQ(image.pixels[y * 640 + x], At(frame, x, y));
    EXPECT_NE(
        cwd.Log().find("\n Запись изображения в файл: shot.bmp \n  Ширина 640 \n  высота 480 \n"),
        std::string::npos);
    Surface_Release(frame);
}

// --- fonts and drawing ------------------------------------------------------------------

using Font_Test = Display_Test;

TEST_F(Font_Test, GlyphsAreCutFromTheGridAndDrawnCellByCell) {
    Make_Font(&Font_8x16, 8, 16);
    EXPECT_EQ(Font_8x16.glyphs->width, 16 * 8 + 1);
    EXPECT_EQ(Font_8x16.glyphs->height, 10 * 16 + 1);
    ASSERT_EQ(Text_Draw(100, 50, "AЁ", &Font_8x16, Back_Buffer), 1);
    EXPECT_EQ(At(Back_Buffer, 100, 50), 1 + 33);
    EXPECT_EQ(At(Back_Buffer, 107, 65), 1 + 33);
    EXPECT_EQ(At(Back_Buffer, 108, 50), 1 + 101);  // Ё from the cell of Е
    EXPECT_NE(cwd.Log().find("\n  Хорошо сформирован шрифт 8x16"), std::string::npos);
}

TEST_F(Font_Test, TextStopsAtTheRightEdgeAndSkipsGlyphsLeftOfZero) {
    Make_Font(&Font_16x16, 16, 16);
    Make_Font(&Font_8x16, 8, 16);
    std::string hundred(100, 'B');
    ASSERT_EQ(Text_Draw(0, 0, hundred.c_str(), &Font_16x16, Back_Buffer), 1);
    EXPECT_EQ(At(Back_Buffer, 624, 0), 1 + 34);
    EXPECT_EQ(At(Back_Buffer, 639, 15), 1 + 34);
    // From x = -20 with 8-pixel cells: the third glyph is drawn at -4, clipped.
    ASSERT_EQ(Text_Draw(-20, 100, "ABCD", &Font_8x16, Back_Buffer), 1);
    EXPECT_EQ(At(Back_Buffer, 0, 100), 1 + 35);  // C
    EXPECT_EQ(At(Back_Buffer, 3, 100), 1 + 35);
    EXPECT_EQ(At(Back_Buffer, 4, 100), 1 + 36);  // D
    // On a surface without a clipper the first glyph that does not fit ends the text.
    Surface* widget = Surface_Create(20, 16);
    EXPECT_EQ(Text_Draw(0, 0, "ABC", &Font_8x16, widget), 0);
    EXPECT_EQ(At(widget, 15, 0), 1 + 34);
    EXPECT_EQ(At(widget, 16, 0), 0);
    Surface_Release(widget);
}

TEST_F(Font_Test, RecolouringPaintsEveryGlyphPixelOnceAndCopiesAreIndependent) {
    Make_Font(&Font_8x16, 8, 16);
    Font copy;
    ASSERT_EQ(Font_Copy(&copy, &Font_8x16), 1);
    EXPECT_EQ(Font_Set_Colour(&copy, 0), 0);
    ASSERT_EQ(Font_Set_Colour(&copy, 42), 1);
    EXPECT_EQ(Font_Set_Colour(&copy, 42), 0);
    Text_Draw(0, 0, "Q", &copy, Back_Buffer);
    Text_Draw(8, 0, "Q", &Font_8x16, Back_Buffer);
    EXPECT_EQ(At(Back_Buffer, 0, 0), 42);
    EXPECT_EQ(At(Back_Buffer, 8, 0), 1 + ('Q' - 32));
    Font_Release(&copy);
    // A font not ready draws nothing.
    EXPECT_EQ(Text_Draw(0, 0, "Q", &copy, Back_Buffer), 0);
}

TEST_F(Font_Test, VerticalTextRunsDownAndStopsAtTheBottom) {
    Make_Font(&Font_32x32, 32, 32);
    ASSERT_EQ(Text_Draw_Vertical(10, 440, "AB", Back_Buffer), 1);
    EXPECT_EQ(At(Back_Buffer, 10, 440), 1 + 33);
    EXPECT_EQ(At(Back_Buffer, 10, 471), 1 + 33);
    EXPECT_EQ(At(Back_Buffer, 10, 479), 1 + 34);  // B starts at 472, clipped
    ASSERT_EQ(Text_Draw_Vertical(100, -20, "AB", Back_Buffer), 1);
    EXPECT_EQ(At(Back_Buffer, 100, 0), 1 + 33);   // A clipped at the top
    EXPECT_EQ(At(Back_Buffer, 100, 12), 1 + 34);  // B below it
    // A glyph wholly above the top is skipped.
    Surface_Fill(Back_Buffer, nullptr, 0);
    ASSERT_EQ(Text_Draw_Vertical(200, -40, "AB", Back_Buffer), 1);
    EXPECT_EQ(At(Back_Buffer, 200, 0), 1 + 34);
}

// A line drawn before comes from a picture of its own: it must leave the very
// pixels its letters leave drawn one by one, wherever it falls, kept, let go or
// recoloured.
TEST_F(Font_Test, ALineLeavesThePixelsOfItsLettersDrawnOneByOne) {
    Make_Font(&Font_8x16, 8, 16, true);
    Make_Font(&Font_32x32, 32, 32, true);
    Surface* letters = Surface_Create_Plain(640, 480);
    letters->has_clip = true;
    letters->clip = Back_Buffer->clip;
    auto ground = [](Surface* s) {
        for (int y = 0; y < s->height; ++y)
            for (int x = 0; x < s->width; ++x)
                s->pixels[y * s->pitch + x] = uint8_t((x * 7 + y * 3) % 60 + 100);
    };
    auto one_by_one = [](const Font* f, int x, int y, const char* text, bool down, Surface* to) {
        for (const char* p = text; *p != '\0';
             ++p, (down ? y : x) += down ? f->cell_h : f->cell_w) {
            const int g = Glyph_Index(static_cast<uint8_t>(*p)), w = f->cell_w, h = f->cell_h;
            const Rect cell{w * (g % 16), h * (g / 16), w * (g % 16) + w, h * (g / 16) + h};
            const Rect at{x, y, x + w, y + h};
            Surface_Blt(to, &at, f->glyphs, &cell, Blt_Keysrc);
        }
    };
    struct Case {
        int x, y;
        std::string text;
        bool down;
    };
    const Case cases[] = {{100, 50, "Глава: 1/50", false},
                          {-13, 200, "ABCDEFG", false},
                          {600, 470, "WXYZ", false},
                          {0, 0, "", false},
                          {5, 300, std::string(600, 'M'), false},  // longer than a picture
                          {30, -40, "AБВ", true},
                          {620, 460, "AB", true}};
    for (int round = 0; round < 4; ++round) {  // new, kept, let go and made again, recoloured
        if (round == 2) {
            Surface* scratch = Surface_Create_Plain(640, 480);
            scratch->has_clip = true;
            scratch->clip = Back_Buffer->clip;
            for (int i = 0; i < 400; ++i)  // more than are kept: the oldest go
                Text_Draw(0, i, ("Баллов: " + std::to_string(i)).c_str(), &Font_8x16, scratch);
            Surface_Release(scratch);
        }
        if (round == 3) {
            Font_Set_Colour(&Font_8x16, 77);
            Font_Set_Colour(&Font_32x32, 78);
        }
        ground(Back_Buffer);
        ground(letters);
        for (const Case& c : cases) {
            if (c.down) {
                ASSERT_EQ(Text_Draw_Vertical(c.x, c.y, c.text.c_str(), Back_Buffer), 1);
            } else {
                ASSERT_EQ(Text_Draw(c.x, c.y, c.text.c_str(), &Font_8x16, Back_Buffer), 1);
            }
            one_by_one(c.down ? &Font_32x32 : &Font_8x16, c.x, c.y, c.text.c_str(), c.down,
                       letters);
        }
        int differ = 0;
        for (int y = 0; y < 480; ++y)
            differ += std::memcmp(Back_Buffer->pixels + y * Back_Buffer->pitch,
                                  letters->pixels + y * letters->pitch, 640) != 0;
        EXPECT_EQ(differ, 0) << "round " << round;
    }
    EXPECT_EQ(At(Back_Buffer, 101, 50), 77);  // the recoloured font drew its new colour
    Surface_Release(letters);
}

TEST_F(Display_Test, TilingAnchorsAtTheTopLeftAndCutsPartialTiles) {
    Sprite tile;
    ASSERT_TRUE(Sprite_Create_Surface(40, 40, &tile));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) tile.surface->pixels[y * tile.surface->pitch + x] = 1 + x + y;
    Surface_Fill(Back_Buffer, nullptr, 200);
    ASSERT_EQ(Sprite_Tile(&tile, 0, 0, 100, 90, Back_Buffer), 1);
    EXPECT_EQ(At(Back_Buffer, 0, 0), 1);
    EXPECT_EQ(At(Back_Buffer, 40, 40), 1);
    EXPECT_EQ(At(Back_Buffer, 99, 0), 1 + 19);  // partial column, 20 wide
    EXPECT_EQ(At(Back_Buffer, 0, 89), 1 + 9);   // partial row, 10 high
    EXPECT_EQ(At(Back_Buffer, 99, 89), 1 + 19 + 9);
    EXPECT_EQ(At(Back_Buffer, 100, 0), 200);
    EXPECT_EQ(At(Back_Buffer, 0, 90), 200);
    Sprite_Release(&tile);
}

}  // namespace
