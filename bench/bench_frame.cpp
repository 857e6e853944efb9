// One game-like frame drawn into the back buffer and converted for presenting,
// beside the floor of one memcpy of the frame and beside SDL's own blitter doing
// the same stone copies; and the start-up graphics (archive build and load).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "bench_common.h"
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/bmp_write.h"
#include "core/report_log.h"
#include "graphics/display.h"
#include "platform/shell_input.h"
#include "graphics/font.h"
#include "graphics/sprites.h"
#include "platform/platform.h"

namespace {

struct Scene {
    Sprite background, stones[8], strip;
    std::vector<uint32_t> converted = std::vector<uint32_t>(640 * 480);
    std::string text = std::string(300, 'x');
};

void Paint(Surface* s, int seed) {
    for (int y = 0; y < s->height; ++y)
        for (int x = 0; x < s->width; ++x)
            s->pixels[y * s->pitch + x] = static_cast<uint8_t>(1 + (x * 7 + y * 3 + seed) % 240);
}

Scene* Make_Scene() {
    static Scene* scene = [] {
        Display_Init();
        auto* s = new Scene();
        Sprite_Create_Surface(128, 128, &s->background);
        Paint(s->background.surface, 1);
        for (int k = 0; k < 8; ++k) {
            Sprite_Create_Surface(32, 32, &s->stones[k]);
            Paint(s->stones[k].surface, k);
            // A stone's corners are its transparent colour, as in the real pictures.
            s->stones[k].surface->color_key = s->stones[k].surface->pixels[0];
        }
        Sprite_Create_Surface(640, 16, &s->strip);
        Paint(s->strip.surface, 9);
        // A font picture of 16 x 11 cells with grid lines.
        std::vector<uint8_t> pic(145 * 188);
        for (size_t i = 0; i < pic.size(); ++i) pic[i] = static_cast<uint8_t>(i % 3 == 0 ? 0 : 5);
        Image8 im;
        im.row_length = 145;
        im.height = 188;
        im.pixels = pic.data();
        Font_Create(&im, &Font_8x16, 8, 16);
        im.pixels = nullptr;
        Sprite* cursor = Sprite_Get("mouse_cursor");
        Sprite_Create_Surface(32, 32, cursor);
        Paint(cursor->surface, 3);
        return s;
    }();
    return scene;
}

void BM_Floor_Memcpy_Frame(benchmark::State& state) {
    Floor_Memcpy_Frame(state);
}
BENCHMARK(BM_Floor_Memcpy_Frame);

void BM_Game_Frame(benchmark::State& state) {
    Scene* s = Make_Scene();
    const Rect board{23, 56, 23 + 384, 56 + 384};
    const Rect whole{0, 0, 128, 128};
    for (auto _ : state) {
        Surface_Fill(Back_Buffer, nullptr, 0);
        Surface_Blt(Back_Buffer, &board, s->background.surface, &whole, 0);
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 12; ++c)
                Sprite_Draw(Back_Buffer, 23 + 32 * c, 56 + 32 * r, &s->stones[(r + c) % 8]);
        for (int line = 0; line < 6; ++line)
            Text_Draw(420, 60 + 18 * line, s->text.c_str() + 50 * line, &Font_8x16, Back_Buffer);
        Sprite_Draw(Back_Buffer, 0, 0, &s->strip);
        Sprite_Draw(Back_Buffer, 0, 464, &s->strip);
        Sprite_Draw(Back_Buffer, Mouse_X, Mouse_Y, Sprite_Get("mouse_cursor"));
        Plat_Convert_Frame(Back_Buffer->pixels, Back_Buffer->pitch, Palette_Entries,
                           s->converted.data(), 640);
        benchmark::DoNotOptimize(s->converted.data());
    }
}
BENCHMARK(BM_Game_Frame)->Unit(benchmark::kMicrosecond);

// The same 144 keyed stone copies through our blitter and through SDL's.
void BM_Stones_Own_Blitter(benchmark::State& state) {
    Scene* s = Make_Scene();
    for (auto _ : state)
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 12; ++c)
                Sprite_Draw(Back_Buffer, 23 + 32 * c, 56 + 32 * r, &s->stones[(r + c) % 8]);
}
BENCHMARK(BM_Stones_Own_Blitter)->Unit(benchmark::kMicrosecond);

void BM_Stones_SDL_BlitSurface(benchmark::State& state) {
    Scene* s = Make_Scene();
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* stones[8];
    for (int k = 0; k < 8; ++k) {
        stones[k] = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 8, SDL_PIXELFORMAT_INDEX8);
        for (int y = 0; y < 32; ++y)
            std::memcpy(static_cast<uint8_t*>(stones[k]->pixels) + y * stones[k]->pitch,
                        s->stones[k].surface->pixels + y * s->stones[k].surface->pitch, 32);
        SDL_SetColorKey(stones[k], SDL_TRUE, s->stones[k].surface->color_key);
        SDL_SetSurfaceRLE(stones[k], 0);
    }
    for (auto _ : state)
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 12; ++c) {
                SDL_Rect to{23 + 32 * c, 56 + 32 * r, 32, 32};
                SDL_BlitSurface(stones[(r + c) % 8], nullptr, screen, &to);
            }
    for (SDL_Surface* st : stones) SDL_FreeSurface(st);
    SDL_FreeSurface(screen);
}
BENCHMARK(BM_Stones_SDL_BlitSurface)->Unit(benchmark::kMicrosecond);

// Start-up graphics: rebuilding both archives from the bundled images/ folder (every
// picture of the table and 133 backgrounds) and loading every sprite.
void Write_Picture(const std::string& path, int w, int h) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>(1 + i % 240);
    uint8_t pal[1024] = {};
    Bmp8_Write(path.c_str(), px.data(), w, w, h, pal);
}

void BM_Startup_Build_And_Load(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("veltran_bench_" + std::to_string(getpid()));
    fs::create_directories(dir / "images" / "Back_fons");
    const fs::path old = fs::current_path();
    fs::current_path(dir);
    // The bundled pictures when they are there, else pictures of the same sizes.
    const fs::path bundled = fs::path(VELTRAN_SOURCE_DIR) / "data" / "images";
    if (fs::exists(bundled / "stones_1.bmp")) {
        fs::remove_all("images");
        fs::create_directory_symlink(bundled, "images");
    } else {
        struct P {
            const char* name;
            int w, h;
        };
        for (P p : {P{"vert_Scroll_Str.bmp", 112, 480},
                    P{"VScroll_Treck.bmp", 64, 152},
                    P{"game_name.bmp", 524, 84},
                    P{"mouse_cursor.bmp", 36, 36},
                    P{"stones_1.bmp", 268, 300},
                    P{"Horz_Scroll_Str.bmp", 640, 112},
                    P{"Cifry_8x8.bmp", 92, 12},
                    P{"Cifry_16x16.bmp", 172, 20},
                    P{"Cifry_24x24.bmp", 252, 28},
                    P{"wall_border.bmp", 232, 36},
                    P{"Build_Area_Horz.bmp", 460, 25},
                    P{"Build_Area_Vert.bmp", 24, 460},
                    P{"Build_Area_Ugol.bmp", 24, 25},
                    P{"font_8x16.bmp", 148, 188},
                    P{"font_16x16.bmp", 276, 188},
                    P{"font_32x32.bmp", 532, 331},
                    P{"Help_Screen.bmp", 640, 480},
                    P{"Spasenie_Screen.bmp", 640, 480},
                    P{"desk.bmp", 256, 256},
                    P{"desk_border.bmp", 240, 204},
                    P{"Btn_standart.bmp", 140, 56},
                    P{"Label_Frames.bmp", 136, 128},
                    P{"Btn_main_menu.bmp", 324, 332}})
            Write_Picture(std::string("images/") + p.name, p.w, p.h);
        for (int n = 1; n <= 133; ++n) {
            char name[64];
            std::snprintf(name, sizeof name, "images/Back_fons/Bkfon_%03d.bmp", n);
            Write_Picture(name, 128, 128);
        }
    }
    Report_Open();
    Display_Init();
    for (auto _ : state) {
        Sprites_Build_Archive();
        Sprites_Load_All();
        state.PauseTiming();
        Sprites_Release_All();
        state.ResumeTiming();
    }
    Report_Set_Path(nullptr);  // the log opened here is closed
    fs::current_path(old);
    fs::remove(dir / "images");
    fs::remove_all(dir);
}
BENCHMARK(BM_Startup_Build_And_Load)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
