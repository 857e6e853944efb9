// The display: back buffer and screen surfaces, palette, software cursor, frames.
#include "graphics/display.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/shell_input.h"
#include "core/report_log.h"
#include "graphics/compose.h"
#include "graphics/font.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "core/system.h"

Surface* Primary_Surface = nullptr;
Surface* Back_Buffer = nullptr;
uint8_t Palette_Entries[256 * 4];
int32_t Screen_Width = 0;
int32_t Screen_Height = 0;

const char* const Rainbow_File = "rainbow.rbw";

int Rainbow_Load() {
    FILE* f = Sys_Open(Rainbow_File, "rb");
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
    Primary_Surface->has_clip = true;
    Primary_Surface->clip = Back_Buffer->clip;
    Compose_Set_Target(Back_Buffer);
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
// Where the last frame shown drew its cursor (when it did) and its notice.
struct Over_Drawn {
    bool cursor = false, notice = false;
    int cursor_x = 0, cursor_y = 0;
    Rect notice_box{};
} Shown;

// The notice over the picture; false when there is none to draw.
bool Osd_Draw(Surface* s, Rect* where) {
    if (Osd_Text[0] == '\0') return false;
    if (static_cast<int32_t>(Plat_Tick() - Osd_Until) >= 0) {
        Osd_Text[0] = '\0';
        return false;
    }
    if (!Osd_Font.ready) {
        if (!Font_8x16.ready) return false;
        Font_Copy(&Osd_Font, &Font_8x16);
        Font_Set_Colour(&Osd_Font, 2);
    }
    const int w = Osd_Font.cell_w * static_cast<int>(std::strlen(Osd_Text)) + 16;
    const Rect box{Screen_Width - w - 8, 8, Screen_Width - 8, 8 + Osd_Font.cell_h + 8};
    Surface_Fill(s, &box, 0);
    Text_Draw(box.left + 8, box.top + 4, Osd_Text, &Osd_Font, s);
    *where = box;
    return true;
}
}  // namespace

void Osd_Show(const char* text) {
    std::snprintf(Osd_Text, sizeof Osd_Text, "%s", text);
    Osd_Until = Plat_Tick() + 1500;
}

int Display_Release() {
    Font_Release(&Osd_Font);
    Shown = Over_Drawn{};
    Compose_Set_Target(nullptr);
    Surface_Release(Back_Buffer);
    Surface_Release(Primary_Surface);
    Report_Log("\n хорошо освобожден интерфейс DirectDraw \n");
    return 1;
}

namespace {

// What is drawn over the picture as it is shown (the cursor, then the notice), and
// where it was over the last frame: the screen there is the back buffer again
// before they are drawn anew.
Rect Over_Last[2];
int Over_Last_Count = 0;

int Draw_Over(Surface* s, bool cursor, Rect over[2], Over_Drawn* drawn = nullptr) {
    int n = 0;
    Over_Drawn d;
    const Sprite* arrow = cursor ? Sprite_Get("mouse_cursor") : nullptr;
    if (arrow != nullptr && arrow->surface != nullptr) {
        Sprite_Draw(s, Mouse_X, Mouse_Y, arrow);
        over[n++] = Rect{Mouse_X, Mouse_Y, std::min(Mouse_X + arrow->width, Screen_Width),
                         std::min(Mouse_Y + arrow->height, Screen_Height)};
        d.cursor = true;
        d.cursor_x = Mouse_X;
        d.cursor_y = Mouse_Y;
    }
    if (Osd_Draw(s, &over[n])) {
        d.notice = true;
        d.notice_box = over[n++];
    }
    if (drawn != nullptr) *drawn = d;
    return n;
}

void Copy_Rect(Surface* to, const Surface* from, const Rect& r) {
    const int x0 = std::max(r.left, 0), x1 = std::min(r.right, Screen_Width);
    const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, Screen_Height);
    if (x0 >= x1 || y0 >= y1) return;
    Rows_Copy(to->pixels + static_cast<size_t>(y0) * to->pitch + x0, to->pitch,
              from->pixels + static_cast<size_t>(y0) * from->pitch + x0, from->pitch, x1 - x0,
              y1 - y0);
}

// Check mode: the screen as the frame composed in full would show it.
void Check_Shown(bool cursor) {
    const Surface* reference = Compose_Check_Reference();
    if (reference == nullptr) return;
    static Surface* full = nullptr;
    if (full == nullptr) {
        full = Surface_Create_Plain(Screen_Width, Screen_Height);
        full->has_clip = true;
        full->clip = Primary_Surface->clip;
    }
    Copy_Rect(full, reference, Rect{0, 0, Screen_Width, Screen_Height});
    Rect over[2];
    Draw_Over(full, cursor, over);
    for (int y = 0; y < Screen_Height; ++y)
        if (std::memcmp(full->pixels + static_cast<size_t>(y) * full->pitch,
                        Primary_Surface->pixels + static_cast<size_t>(y) * Primary_Surface->pitch,
                        static_cast<size_t>(Screen_Width)) != 0) {
            std::fprintf(stderr, "veltran: compose check: the screen differs at row %d\n", y);
            return;
        }
}

int Present(bool cursor) {
    if (Back_Buffer == nullptr || Primary_Surface == nullptr) return 0;
    static std::vector<Rect> changed;
    const bool partial = Compose_Flush(&changed);
    // The screen is the picture with the cursor and the notice over it.
    if (partial) {
        changed.insert(changed.end(), Over_Last, Over_Last + Over_Last_Count);
        for (const Rect& r : changed) Copy_Rect(Primary_Surface, Back_Buffer, r);
    } else {
        Copy_Rect(Primary_Surface, Back_Buffer, Rect{0, 0, Screen_Width, Screen_Height});
    }
    Surface_Changing(Primary_Surface);
    Over_Last_Count = Draw_Over(Primary_Surface, cursor, Over_Last, &Shown);
    if (Compose_Get_Mode() == Compose_Mode::Check) Check_Shown(cursor);
    if (!partial) {
        Plat_Present(Primary_Surface->pixels, Primary_Surface->pitch, Palette_Entries);
        return 1;
    }
    changed.insert(changed.end(), Over_Last, Over_Last + Over_Last_Count);
    static std::vector<Plat_Rect> rects;
    rects.clear();
    for (const Rect& r : changed)
        rects.push_back(Plat_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
    Plat_Present_Changed(Primary_Surface->pixels, Primary_Surface->pitch, Palette_Entries,
                         rects.data(), static_cast<int>(rects.size()));
    return 1;
}

}  // namespace

int Present_Frame() {
    return Present(false);
}

void Frame_End() {
    Present(true);
}

const uint8_t* Screen_Picture(int32_t* pitch) {
    if (Primary_Surface == nullptr) return nullptr;
    *pitch = Primary_Surface->pitch;
    if (!Shown.notice || Back_Buffer == nullptr) return Primary_Surface->pixels;
    // The picture under the notice, and the cursor over it again where it was.
    static Surface* picture = nullptr;
    if (picture == nullptr) picture = Surface_Create_Plain(Screen_Width, Screen_Height);
    if (picture == nullptr) return Primary_Surface->pixels;
    const Rect whole{0, 0, Screen_Width, Screen_Height};
    picture->has_clip = true;
    picture->clip = whole;
    Copy_Rect(picture, Primary_Surface, whole);
    Copy_Rect(picture, Back_Buffer, Shown.notice_box);
    const Sprite* arrow = Shown.cursor ? Sprite_Get("mouse_cursor") : nullptr;
    if (arrow != nullptr && arrow->surface != nullptr)
        Sprite_Draw(picture, Shown.cursor_x, Shown.cursor_y, arrow);
    *pitch = picture->pitch;
    return picture->pixels;
}

void Palette_Reattach() {
    Plat_Palette_Reattach();
}

bool Display_Is_Lost() {
    return Plat_Display_Lost();
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
