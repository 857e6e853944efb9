// The bundled art, checked from the written files: sizes and cuts, the palette and
// its text colours' contrast, stones, digits, fonts, logo, backgrounds, and that
// the generator makes the same bytes again.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "graphics/bmp.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "graphics/wad.h"
#include "scratch_cwd.h"

namespace fs = std::filesystem;

namespace {

const std::string Data = std::string(VELTRAN_SOURCE_DIR) + "/data";

std::string Read_File(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A picture as the game reads it (rows top-down, padded row length).
struct Picture {
    int w = 0, h = 0, row = 0;
    std::vector<uint8_t> px;
    uint8_t At(int x, int y) const { return px[static_cast<size_t>(y) * row + x]; }
};

Picture Load(const std::string& name) {
    const std::string path = Data + "/images/" + name;
    const std::string bytes = Read_File(path);
    Picture p;
    if (bytes.size() < 54) return p;
    p.w = static_cast<uint8_t>(bytes[18]) | static_cast<uint8_t>(bytes[19]) << 8;
    Image8 im;
    if (!Bmp_Read(&im, std::fopen(path.c_str(), "rb"))) return p;
    p.h = im.height;
    p.row = im.row_length;
    p.px.assign(im.pixels, im.pixels + static_cast<size_t>(im.row_length) * im.height);
    delete[] im.pixels;
    im.pixels = nullptr;
    return p;
}

std::vector<uint8_t> Palette() {
    const std::string s = Read_File(Data + "/rainbow.rbw");
    return std::vector<uint8_t>(s.begin(), s.end());
}

double Lum(double r, double g, double b) {
    auto lin = [](double c) {
        c /= 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}
double Lum(const std::vector<uint8_t>& pal, int i) {
    return Lum(pal[4 * i], pal[4 * i + 1], pal[4 * i + 2]);
}

// Luminance of the mean colour of a region, transparent pixels left out.
double Mean_Lum(const std::vector<uint8_t>& pal, const Picture& p, int x0, int y0, int w, int h) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const uint8_t c = p.At(x, y);
            if (c == 0) continue;
            r += pal[4 * c], g += pal[4 * c + 1], b += pal[4 * c + 2];
            ++n;
        }
    return n ? Lum(r / n, g / n, b / n) : 0;
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TEST(Art, EveryPictureIsCutWholeIntoTheArchive) {
    Scratch_Cwd cwd;
    fs::create_directory_symlink(Data + "/images", "images");
    ASSERT_EQ(Report_Open(), 1);
    ASSERT_EQ(Sprites_Build_Archive(), 1);
    const std::string log = cwd.Log();
    EXPECT_EQ(log.find("не найден"), std::string::npos) << log.substr(0, 2000);
    EXPECT_EQ(log.find("выходит за рисунок"), std::string::npos);
    Sprite_Store* store = Sprite_Store_Create(10);
    ASSERT_EQ(Wad_Read(store, Sprites_Wad_Path().c_str()), 1);
    EXPECT_EQ(store->Count(), 134);  // every entry of the picture table
    Sprite_Store_Destroy(store);
    store = Sprite_Store_Create(10);
    ASSERT_EQ(Wad_Read(store, "Bkfons.wad"), 1);
    EXPECT_EQ(store->Count(), 133);
    Sprite_Store_Destroy(store);
    fs::remove("images");
}

TEST(Art, PicturesCarryThePaletteAndNeverTheFoldedIndices) {
    const std::vector<uint8_t> pal = Palette();
    ASSERT_EQ(pal.size(), 1024u);
    EXPECT_EQ(pal[0] + pal[1] + pal[2], 0);  // index 0 is black
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Data + "/images"))
        if (e.path().extension() == ".bmp") names.push_back(e.path().filename().string());
    for (const auto& e : fs::directory_iterator(Data + "/images/Back_fons"))
        names.push_back("Back_fons/" + e.path().filename().string());
    ASSERT_EQ(names.size(), 23u + 133u);
    for (const std::string& n : names) {
        const std::string bytes = Read_File(Data + "/images/" + n);
        ASSERT_GT(bytes.size(), 1078u) << n;
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(static_cast<uint8_t>(bytes[54 + 4 * i]), pal[4 * i + 2]) << n;
            ASSERT_EQ(static_cast<uint8_t>(bytes[54 + 4 * i + 2]), pal[4 * i]) << n;
        }
        const int w = static_cast<uint8_t>(bytes[18]) | static_cast<uint8_t>(bytes[19]) << 8;
        const int row = (w + 3) & ~3;
        const size_t h = (bytes.size() - 1078) / row;
        for (size_t y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_LT(static_cast<uint8_t>(bytes[1078 + y * row + x]), 248) << n;
    }
}

TEST(Art, TextColoursReadOnTheSurfacesTheyAreDrawnOn) {
    const std::vector<uint8_t> pal = Palette();
    const Picture desk = Load("desk.bmp"), buttons = Load("Btn_main_menu.bmp"),
                  strip = Load("Horz_Scroll_Str.bmp"), vstrip = Load("vert_Scroll_Str.bmp");
    const double surfaces[4] = {
        Mean_Lum(pal, desk, 0, 0, 256, 256), Mean_Lum(pal, buttons, 4, 4, 313, 42),
        Mean_Lum(pal, strip, 0, 56, 640, 56), Mean_Lum(pal, vstrip, 56, 0, 56, 480)};
    for (int text : {1, 2, 3, 5, 6, 32, 55, 56, 96, 80, 64, 88, 231})
        for (double s : surfaces) EXPECT_GE(Contrast(Lum(pal, text), s), 4.5) << "index " << text;
    for (double s : surfaces) EXPECT_GE(Contrast(Lum(pal, 69), s), 3.0);
    EXPECT_LT(Lum(pal, 69), Lum(pal, 56));
    // The fonts' own colour reads on the desk before anything recolours it.
    const Picture font = Load("font_8x16.bmp");
    std::set<uint8_t> inks;
    for (uint8_t c : font.px) inks.insert(c);
    for (uint8_t c : inks)
        if (c != 0 && c != font.At(0, 0)) {
            EXPECT_GE(Contrast(Lum(pal, c), surfaces[0]), 4.5);
        }
}

TEST(Art, RampsAreSmoothSequences) {
    const std::vector<uint8_t> pal = Palette();
    for (int r = 1; r <= 30; ++r) {
        const double first = Lum(pal, 8 * r), last = Lum(pal, 8 * r + 7);
        const bool up = last > first;
        for (int k = 0; k < 7; ++k) {
            const double a = Lum(pal, 8 * r + k), b = Lum(pal, 8 * r + k + 1);
            EXPECT_TRUE(up ? b > a : b < a) << "ramp " << r << " shade " << k;
        }
    }
}

TEST(Art, StoneFramesKeepTheirCornersClear) {
    const Picture stones = Load("stones_1.bmp");
    for (int t = 0; t < 9; ++t)
        for (int k = 0; k < 8; ++k) {
            const int x = 1 + 33 * k, y = 1 + 33 * t;
            EXPECT_EQ(stones.At(x, y), 0) << t << "," << k;
            EXPECT_EQ(stones.At(x + 31, y), 0);
            EXPECT_EQ(stones.At(x, y + 31), 0);
            EXPECT_EQ(stones.At(x + 31, y + 31), 0);
            int ink = 0;
            for (int j = 0; j < 32; ++j)
                for (int i = 0; i < 32; ++i) ink += stones.At(x + i, y + j) != 0;
            // Type 0 is nearly all clear, the jewels are solid.
            if (t == 0)
                EXPECT_LT(ink, 64);
            else
                EXPECT_GT(ink, 400);
        }
}

TEST(Art, EachDigitUsesOneFillAndOneEdge) {
    for (int n : {8, 16, 24}) {
        const Picture p = Load("Cifry_" + std::to_string(n) + "x" + std::to_string(n) + ".bmp");
        ASSERT_GE(p.w, 1 + 10 * (n + 1) - 1);
        for (int d = 0; d < 10; ++d) {
            std::set<uint8_t> colours;
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) {
                    const uint8_t c = p.At(1 + d * (n + 1) + x, 1 + y);
                    if (c != 0 && c != 7) colours.insert(c);
                }
            EXPECT_EQ(colours.size(), 2u) << n << " digit " << d;
        }
    }
}

TEST(Art, EveryFontCellThatIsALetterHasInk) {
    for (auto [name, w, h] :
         {std::tuple{"font_8x16.bmp", 8, 16}, std::tuple{"font_16x16.bmp", 16, 16},
          std::tuple{"font_32x32.bmp", 32, 32}}) {
        const Picture p = Load(name);
        ASSERT_EQ(p.w, 16 * (w + 1) + 1) << name;
        for (int g = 0; g < 160; ++g) {
            int ink = 0;
            for (int j = 0; j < h; ++j)
                for (int i = 0; i < w; ++i)
                    ink += p.At(1 + (g % 16) * (w + 1) + i, 1 + (g / 16) * (h + 1) + j) != 0;
            if (g == 0 || g == 95)
                EXPECT_EQ(ink, 0) << name << " cell " << g;
            else
                EXPECT_GT(ink, 0) << name << " cell " << g;
        }
    }
}

TEST(Art, EachLogoLetterStaysInsideItsSlice) {
    const Picture logo = Load("game_name.bmp");
    const int ranges[7][2] = {{7, 71},    {78, 136},  {142, 209}, {221, 274},
                              {284, 370}, {379, 438}, {451, 514}};
    for (int x = 0; x < 520; ++x) {
        int slice = -1;
        for (int k = 0; k < 7; ++k)
            if (x >= ranges[k][0] && x <= ranges[k][1]) slice = k;
        int ink = 0;
        for (int y = 0; y < 80; ++y) ink += logo.At(1 + x, 1 + y) != 0;
        if (slice < 0) {
            EXPECT_EQ(ink, 0) << "ink between slices at x " << x;
        }
    }
    for (auto& r : ranges) {
        int ink = 0;
        for (int x = r[0]; x <= r[1]; ++x)
            for (int y = 0; y < 80; ++y) ink += logo.At(1 + x, 1 + y) != 0;
        EXPECT_GT(ink, 300);
    }
}

// Every background is a picture of its own and stays dim beside every stone: its
// mean and its brightest patch are well below each stone's lightness. And few pairs
// of pictures are one picture in other colours: the same shade (the place of the
// colour in its ramp) in the same places, on a grid of 8 x 8 patches.
TEST(Art, BackgroundsAreScenesOfTheirOwnDimBesideEveryStone) {
    const std::vector<uint8_t> pal = Palette();
    const Picture stones = Load("stones_1.bmp");
    double stone[8], all_stones = 0;
    for (int t = 0; t < 8; ++t)
        all_stones += stone[t] = Mean_Lum(pal, stones, 1, 34 + 33 * t, 32, 32);
    auto contrast = [](double a, double b) {
        return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
    };
    std::set<std::vector<uint8_t>> seen;
    std::vector<std::array<uint8_t, 64>> shades;
    for (int n = 1; n <= 133; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "Back_fons/Bkfon_%03d.bmp", n);
        const Picture bg = Load(name);
        ASSERT_EQ(bg.w, 128) << name;
        ASSERT_EQ(bg.h, 128);
        EXPECT_TRUE(seen.insert(bg.px).second) << name << " repeats another";
        const double mean = Mean_Lum(pal, bg, 0, 0, 128, 128);
        EXPECT_LT(mean, all_stones / 8 / 4) << name;
        std::array<uint8_t, 64> grid{};
        double brightest = 0;
        for (int cell = 0; cell < 64; ++cell) {
            const int x0 = cell % 8 * 16, y0 = cell / 8 * 16;
            brightest = std::max(brightest, Mean_Lum(pal, bg, x0, y0, 16, 16));
            int count[8] = {};
            for (int y = y0; y < y0 + 16; ++y)
                for (int x = x0; x < x0 + 16; ++x) ++count[bg.At(x, y) % 8];
            grid[cell] = static_cast<uint8_t>(std::max_element(count, count + 8) - count);
        }
        shades.push_back(grid);
        for (int t = 0; t < 8; ++t) {
            // Even the ruby, the darkest stone, against the brightest patch.
            EXPECT_GE(contrast(stone[t], mean), 1.8) << name << ", stone " << t + 1;
            EXPECT_GE(contrast(stone[t], brightest), 1.35) << name << ", stone " << t + 1;
        }
    }
    int recoloured = 0;
    for (size_t a = 0; a < shades.size(); ++a)
        for (size_t b = a + 1; b < shades.size(); ++b) {
            int same = 0;
            for (int cell = 0; cell < 64; ++cell) same += shades[a][cell] == shades[b][cell];
            recoloured += same >= 58;  // nine in ten
        }
    EXPECT_LE(recoloured, 30);
}

TEST(Art, GeneratorMakesTheSameBytes) {
    const char* env = std::getenv("VELTRAN_TERMINUS");
    const std::string font =
        env ? env : "/usr/share/fonts/truetype/terminus/TerminusTTF-4.46.0.ttf";
    if (!fs::exists(font)) GTEST_SKIP() << "no Terminus font at " << font;
    if (std::string(MAKE_ART_EXE).empty()) GTEST_SKIP() << "make_art was not built (no FreeType)";
    Scratch_Cwd cwd;
    fs::create_directory_symlink(Data + "/HScripts", "HScripts");
    const std::string cmd =
        std::string("'") + MAKE_ART_EXE + "' . '" + font + "' icons > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(cwd.Read("rainbow.rbw"), Read_File(Data + "/rainbow.rbw"));
    for (const auto& e : fs::recursive_directory_iterator(Data + "/images")) {
        if (e.path().extension() != ".bmp") continue;
        const std::string rel = fs::relative(e.path(), Data).string();
        EXPECT_EQ(cwd.Read(rel), Read_File(e.path().string())) << rel << " differs";
    }
    const std::string icons = std::string(VELTRAN_SOURCE_DIR) + "/packaging/icons";
    int compared = 0;
    for (const auto& e : fs::recursive_directory_iterator(icons)) {
        if (e.path().extension() != ".png") continue;
        const std::string rel = fs::relative(e.path(), icons).string();
        EXPECT_EQ(cwd.Read("icons/" + rel), Read_File(e.path().string())) << rel << " differs";
        ++compared;
    }
    EXPECT_EQ(compared, 10);
    EXPECT_EQ(cwd.Read("icons/veltran.ico"), Read_File(icons + "/veltran.ico"));
    fs::remove("HScripts");
}

}  // namespace
