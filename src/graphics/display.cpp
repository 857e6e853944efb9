// The display: back buffer and screen surfaces, palette, software cursor, frames.
#include "graphics/display.h"

#include <cstdio>
#include <cstring>

#include "platform/shell_input.h"
#include "core/report_log.h"
#include "graphics/font.h"
#include "graphics/sprites.h"
#include "platform/platform.h"

Surface* Primary_Surface = nullptr;
Surface* Back_Buffer = nullptr;
Surface* Cursor_Save_Surface = nullptr;
uint8_t Palette_Entries[256 * 4];
int32_t Screen_Width = 0;
int32_t Screen_Height = 0;
int32_t Cursor_Saved_X = 0;
int32_t Cursor_Saved_Y = 0;

const char* const Rainbow_File = "rainbow.rbw";

namespace {
bool Forced_Lost = false;
}

int Rainbow_Load() {
    FILE* f = std::fopen(Rainbow_File, "rb");
    if (f == nullptr) {
        Report_Log("\n ошибка при загрузке файла радуги %s \n", Rainbow_File);
        return 0;
    }
    // A short file leaves the rest of the palette as it was (black).
    (void)std::fread(Palette_Entries, 1, sizeof Palette_Entries, f);
    std::fclose(f);
    for (int i = 0; i < 256; ++i) Palette_Entries[4 * i + 3] = 4;
    Report_Log("\n хорошо создана радуга %s \n", Rainbow_File);
    return 1;
}

Surface* Surface_Create(int width, int height) {
    Surface* s = Surface_Create_Plain(width, height);
    if (s != nullptr) s->color_key = 0;
    return s;
}

int Surface_Clear(Surface* s) {
    return s != nullptr ? Surface_Fill(s, nullptr, 0) : 0;
}

uint8_t* Surface_Lock(Surface* s, int32_t* pitch) {
    if (s == nullptr) return nullptr;
    if (pitch != nullptr) *pitch = s->pitch;
    return s->pixels;
}

int Surface_Unlock(Surface* s) {
    return s != nullptr ? 1 : 0;
}

void Surface_Release(Surface*& s) {
    Surface_Destroy(s);
    s = nullptr;
}

int Display_Init() {
    Report_Log("\n Инициализация интерфейса DirectDraw 7.0 \n");
    Screen_Width = 640;
    Screen_Height = 480;
    // The screen and its back buffer: memory the platform layer shows scaled.
    if (Primary_Surface == nullptr)
        Primary_Surface = Surface_Create_Plain(Screen_Width, Screen_Height);
    if (Back_Buffer == nullptr) Back_Buffer = Surface_Create_Plain(Screen_Width, Screen_Height);
    if (Primary_Surface == nullptr || Back_Buffer == nullptr) {
        Report_Log("\n Ошибка при создании вторичной поверхности Direct Draw \n");
        return 0;
    }
    std::memset(Palette_Entries, 0, sizeof Palette_Entries);
    Rainbow_Load();
    Surface_Clear(Primary_Surface);
    Surface_Clear(Back_Buffer);
    Back_Buffer->has_clip = true;
    Back_Buffer->clip = Rect{0, 0, Screen_Width, Screen_Height};
    if (Cursor_Save_Surface == nullptr) Cursor_Save_Surface = Surface_Create(80, 80);
    Surface_Clear(Cursor_Save_Surface);
    Forced_Lost = false;
    Plat_Display_Restored();
    Report_Log("\n хорошая инициализация DirectDraw \n");
    return 1;
}

namespace {
// A short notice over every screen (the volume after a key): its text and until
// when it shows.
char Osd_Text[64] = {};
uint32_t Osd_Until = 0;
Font Osd_Font;

void Osd_Draw(Surface* s) {
    if (Osd_Text[0] == '\0') return;
    if (static_cast<int32_t>(Plat_Tick() - Osd_Until) >= 0) {
        Osd_Text[0] = '\0';
        return;
    }
    if (!Osd_Font.ready) {
        if (!Font_8x16.ready) return;
        Font_Copy(&Osd_Font, &Font_8x16);
        Font_Set_Colour(&Osd_Font, 2);
    }
    const int w = Osd_Font.cell_w * static_cast<int>(std::strlen(Osd_Text)) + 16;
    const Rect box{Screen_Width - w - 8, 8, Screen_Width - 8, 8 + Osd_Font.cell_h + 8};
    Surface_Fill(s, &box, 0);
    Text_Draw(box.left + 8, box.top + 4, Osd_Text, &Osd_Font, s);
}
}  // namespace

void Osd_Show(const char* text) {
    std::snprintf(Osd_Text, sizeof Osd_Text, "%s", text);
    Osd_Until = Plat_Tick() + 1500;
}

int Display_Release() {
    Font_Release(&Osd_Font);
    Surface_Release(Cursor_Save_Surface);
    Surface_Release(Back_Buffer);
    Surface_Release(Primary_Surface);
    Report_Log("\n хорошо освобожден интерфейс DirectDraw \n");
    return 1;
}

int Present_Frame() {
    if (Back_Buffer == nullptr || Primary_Surface == nullptr) return 0;
    const Rect screen{0, 0, Screen_Width, Screen_Height};
    if (!Surface_Blt(Primary_Surface, &screen, Back_Buffer, &screen, 0)) return 0;
    Osd_Draw(Primary_Surface);
    Plat_Present(Primary_Surface->pixels, Primary_Surface->pitch, Palette_Entries);
    return 1;
}

namespace {
// The part of the cursor that lies on the screen when it stands at (x, y).
void Visible_Size(const Sprite* cursor, int x, int y, int* w, int* h) {
    *w = cursor->width;
    *h = cursor->height;
    if (x + *w > Screen_Width) *w = Screen_Width - x;
    if (y + *h > Screen_Height) *h = Screen_Height - y;
}
}  // namespace

int Cursor_Draw() {
    const Sprite* cursor = Sprite_Get("mouse_cursor");
    if (cursor == nullptr || cursor->surface == nullptr) return 1;
    int ws, hs;
    Visible_Size(cursor, Mouse_X, Mouse_Y, &ws, &hs);
    const Rect under{Mouse_X, Mouse_Y, Mouse_X + ws, Mouse_Y + hs};
    const Rect save{0, 0, ws, hs};
    Surface_Blt(Cursor_Save_Surface, &save, Back_Buffer, &under, 0);
    Sprite_Draw(Back_Buffer, Mouse_X, Mouse_Y, cursor);
    Cursor_Saved_X = Mouse_X;
    Cursor_Saved_Y = Mouse_Y;
    return 1;
}

int Cursor_Restore() {
    const Sprite* cursor = Sprite_Get("mouse_cursor");
    if (cursor == nullptr || cursor->surface == nullptr) return 1;
    int ws, hs;
    Visible_Size(cursor, Cursor_Saved_X, Cursor_Saved_Y, &ws, &hs);
    const Rect save{0, 0, ws, hs};
    const Rect back{Cursor_Saved_X, Cursor_Saved_Y, Cursor_Saved_X + ws, Cursor_Saved_Y + hs};
    Surface_Blt(Back_Buffer, &back, Cursor_Save_Surface, &save, 0);
    return 1;
}

void Cursor_Draw_Unsaved() {
    const Sprite* cursor = Sprite_Get("mouse_cursor");
    if (cursor != nullptr) Sprite_Draw(Back_Buffer, Mouse_X, Mouse_Y, cursor);
}

void Frame_End_Kept() {
    Cursor_Draw();
    Present_Frame();
    Cursor_Restore();
}

void Frame_End_Redrawn() {
    Cursor_Draw();
    Present_Frame();
}

void Frame_End_Direct() {
    Cursor_Draw_Unsaved();
    Present_Frame();
}

void Palette_Reattach() {
    Plat_Palette_Reattach();
}

bool Display_Is_Lost() {
    return Forced_Lost || Plat_Display_Lost();
}

void Display_Force_Lost() {
    Forced_Lost = true;
}

void Display_Recover() {
    Report_Log("\n\n Обнаружена потеря поверхности DDraw Primary \n\n.");
    Report_Log("Выгрузка спрайтов \n.");
    Sprites_Release_All();
    Report_Log("Закрытие графики \n.");
    Display_Release();
    Report_Log("запуск графики \n.");
    Display_Init();
    Report_Log("Загрузка спрайтов \n");
    Sprites_Load_All();
}
