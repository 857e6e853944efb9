// make_art: draws every picture of the game and its palette, the same bytes on
// every run.
//
//   make_art DATA_DIR FONT_FILE [ICON_DIR]
//
// DATA_DIR is the game's data folder: it must hold HScripts/ (the verses of the
// salvation page come from the book files); rainbow.rbw, images/*.bmp and
// images/Back_fons/*.bmp are written there. FONT_FILE is the Terminus TrueType
// file whose bitmap strikes give the letters (Debian's fonts-terminus). ICON_DIR,
// when given, receives the desktop icons as SIZExSIZE/veltran.png.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "palette.h"
#include "pieces.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"

namespace {

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "make_art: %s\n", why.c_str());
    std::exit(1);
}

// A verse from the bundled books without its leading number.
art::Quote Verse(const std::string& data, int book, int chapter, int verse, const char* reference) {
    HS_Book b;
    const std::string path = data + "/HScripts/" + HS_File_Names[book - 1] + ".txt";
    if (!HS_Book_Load(&b, path.c_str())) Fail("cannot read " + path);
    const char* text = Verse_Text(&b, chapter, verse);
    if (text == nullptr) Fail("no verse " + std::to_string(chapter) + ":" + std::to_string(verse));
    while (*text >= '0' && *text <= '9') ++text;
    while (*text == ' ') ++text;
    return {text, reference};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: make_art DATA_DIR FONT_FILE [ICON_DIR]\n");
        return 2;
    }
    const std::string data = argv[1], font = argv[2];
    namespace fs = std::filesystem;
    fs::create_directories(data + "/images/Back_fons");

    uint8_t pal[1024];
    art::Build_Palette(pal);
    if (FILE* f = std::fopen((data + "/rainbow.rbw").c_str(), "wb")) {
        std::fwrite(pal, 1, sizeof pal, f);
        std::fclose(f);
    } else {
        Fail("cannot write rainbow.rbw");
    }

    const art::Glyph_Set g8x16 = art::Load_Glyphs(font, 16, false);
    const art::Glyph_Set g16x16 = art::Load_Glyphs(font, 16, true);
    const art::Glyph_Set g16x32 = art::Load_Glyphs(font, 32, false);
    const art::Glyph_Set g32x32 = art::Load_Glyphs(font, 32, true);

    auto put = [&](const std::string& name, const art::Canvas& c) {
        art::Write_Bmp(data + "/images/" + name, c, pal);
    };
    put("vert_Scroll_Str.bmp", art::Make_Vertical_Strip());
    put("VScroll_Treck.bmp", art::Make_Scroll_Track());
    put("game_name.bmp", art::Make_Logo(g32x32));
    put("mouse_cursor.bmp", art::Make_Cursor());
    put("stones_1.bmp", art::Make_Stones());
    put("Horz_Scroll_Str.bmp", art::Make_Horizontal_Strip());
    put("Cifry_8x8.bmp", art::Make_Digits(8));
    put("Cifry_16x16.bmp", art::Make_Digits(16));
    put("Cifry_24x24.bmp", art::Make_Digits(24));
    put("wall_border.bmp", art::Make_Walls());
    put("Build_Area_Horz.bmp", art::Make_Frame_Horizontal());
    put("Build_Area_Vert.bmp", art::Make_Frame_Vertical());
    put("Build_Area_Ugol.bmp", art::Make_Frame_Corner());
    put("font_8x16.bmp", art::Make_Font_Picture(g8x16, 11));
    put("font_16x16.bmp", art::Make_Font_Picture(g16x16, 11));
    put("font_32x32.bmp", art::Make_Font_Picture(g32x32, 10));
    put("Help_Screen.bmp", art::Make_Help_Page(g8x16, g16x32));
    put("Spasenie_Screen.bmp",
        art::Make_Salvation_Page(
            g8x16, g16x32,
            {Verse(data, 43, 3, 16, "Ин 3:16"), Verse(data, 52, 3, 23, "Рим 3:23"),
             Verse(data, 52, 6, 23, "Рим 6:23"), Verse(data, 52, 10, 9, "Рим 10:9")}));
    put("desk.bmp", art::Make_Desk());
    put("desk_border.bmp", art::Make_Desk_Border());
    put("Btn_standart.bmp", art::Make_Button_Border());
    put("Label_Frames.bmp", art::Make_Label_Frames());
    put("Btn_main_menu.bmp", art::Make_Main_Menu_Buttons(g16x32));
    for (int n = 1; n <= 133; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "Back_fons/Bkfon_%03d.bmp", n);
        put(name, art::Make_Background(n));
    }
    std::printf("make_art: wrote the palette, 23 pictures and 133 backgrounds to %s\n",
                data.c_str());
    if (argc == 4) {
        for (int size : {16, 22, 24, 32, 48, 64, 128, 192, 256, 512}) {
            const std::string dir =
                std::string(argv[3]) + "/" + std::to_string(size) + "x" + std::to_string(size);
            fs::create_directories(dir);
            art::Write_Png(dir + "/veltran.png", art::Make_Icon(size), pal);
        }
        art::Write_Ico(std::string(argv[3]) + "/veltran.ico", {16, 24, 32, 48, 64, 256}, pal);
        std::printf("make_art: wrote the icons to %s\n", argv[3]);
    }
    return 0;
}
