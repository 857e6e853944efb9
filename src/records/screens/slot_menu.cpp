// The slot menu's buttons, drawing and loop.
#include "records/screens/slot_menu.h"

#include <cstdio>
#include <cstring>

#include "audio/music.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "ui/screen_loop.h"

Slot_Menu::Slot_Menu(int mode_) {
    ok = 0;
    if (!Slot_List_Read(&slots)) return;
    Music_Play("MUSIC/LoadSaveMenu.mp3", 1);
    mode = mode_;
    panel = std::make_unique<cls_Desk_Rect>(0, 20, Screen_Width - 1, Screen_Height - 20);
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    Font_Set_Colour(&Font_8x16, 2);
    cancel = std::make_unique<cls_Button_Standart>(r - 80, b - 28, "ОТМЕНА", &Font_8x16);
    for (int i = 1; i <= Slot_Count; ++i) {
        char label[128];
        Slot_Label(i, slots.heads[i - 1], slots.damaged[i - 1], label, sizeof label);
        const int len = static_cast<int>(std::strlen(label));
        buttons[i - 1] =
            std::make_unique<cls_Button_Standart>(l + (r - l - len * Font_8x16.cell_w - 10) / 2,
                                                  t + 25 + 30 * (i - 1), label, &Font_8x16);
    }
    ok = 1;
}

Slot_Menu::~Slot_Menu() {
    Music_Stop();
}

void Slot_Menu::Draw(Surface* s) {
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    panel->Draw(s);
    char title[64];
    std::snprintf(title, sizeof title, "ВЫБОР СЛОТА ДЛЯ %s",
                  mode == Mode_Load ? "ЧТЕНИЯ" : "ЗАПИСИ");
    Font_Set_Colour(&Font_8x16, 2);
    Panel_Centred_Text(*panel, t + 3, title, &Font_8x16, s);
    Panel_Rule(*panel, t + 20, s);
    for (auto& button : buttons) button->Draw(s);
    Panel_Rule(*panel, b - 35, s);
    cancel->Draw(s);
}

int Slot_Menu::Run() {
    return Box_Loop(
        [&](int* result) { return *result = 0, cancel->fired != 0; },
        [&](int* result) {
            Screen_Target targets[Slot_Count];
            for (int i = 0; i < Slot_Count; ++i) targets[i] = Centre_Of(*buttons[i]);
            Screen_Announce({mode == Mode_Load ? "slot menu load" : "slot menu save", targets,
                             Slot_Count, nullptr});
            Music_Update();
            Ok_Keys_Press(cancel.get());  // all three keys cancel
            cancel->Update();
            for (int i = 0; i < Slot_Count; ++i) {
                if (!buttons[i]->Update()) continue;
                // Nothing can be read from an empty (or damaged) slot.
                if (mode == Mode_Load && (slots.heads[i].in_use == 0 || slots.damaged[i])) continue;
                *result = i + 1;
                return true;
            }
            return false;
        },
        [&](Surface* s) { Draw(s); }, 0);
}
