// Reading the slots' heads, their labels, and the slot menu's loop.
#include "records/slot_menu.h"

#include <cstdio>
#include <cstring>

#include "audio/music.h"
#include "core/system.h"
#include "core/report_log.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/places.h"
#include "scripture/book_table.h"
#include "ui/screen_loop.h"

namespace {

const char* const Months[12] = {"Янв", "Фев", "Мар", "Апр", "Май", "Июн",
                                "Июл", "Авг", "Сен", "Окт", "Ноя", "Дек"};
const char* const Weekdays[7] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};

}  // namespace

void Slot_Menu::Label(int slot, const Slot_Header& h, bool damaged, char* out, size_t size) {
    char text[160];
    if (damaged) {
        std::snprintf(text, sizeof text, "%02d <damaged> ", slot);
    } else if (h.in_use == 0) {
        std::snprintf(text, sizeof text, "%02d <empty> ", slot);
    } else {
        Sys_Date d;
        if (!Sys_Local_Date(h.saved, &d)) d = Sys_Date{1970, 1, 1, 4, 0, 0, 0};
        std::snprintf(text, sizeof text, "%02d %s/%s(%d %s %d %s %02d:%02d)", slot, h.name,
                      HS_Abbrevs[h.book - 1], d.year, Months[(d.month + 11) % 12], d.day,
                      Weekdays[d.weekday % 7], d.hour, d.minute);
    }
    text[75] = '\0';  // a label longer than 75 characters is cut
    std::snprintf(out, size, "%s", text);
}

bool Slot_Menu::Read_Heads() {
    slot_count = Slot_Count;
    std::memset(heads, 0, sizeof heads);
    const std::string folder = Plat_Place_Folder(PLACE_SAVES);
    if (Sys_Make_Folders(folder) != Sys_Failure::Ok) {
        Report_Log("\n Error: не удалось создать папку сохранений %s", folder.c_str());
        return false;
    }
    // Each slot is read whole and checked, so that one that could not be loaded
    // says so before it is chosen.
    for (int n = 1; n <= Slot_Count; ++n) {
        Slot_Data data;
        std::string why;
        const Slot_Read_Result read = Slot_File_Read(Slot_Path(n), &data, &why);
        damaged[n - 1] = read == Slot_Read_Result::Damaged;
        heads[n - 1] = read == Slot_Read_Result::Ok ? data.header : Slot_Header{};
        if (read == Slot_Read_Result::Ok && !Slot_Header_Sane(heads[n - 1])) {
            damaged[n - 1] = true;
            heads[n - 1] = Slot_Header{};
        }
    }
    return true;
}

Slot_Menu::Slot_Menu(int mode_) {
    ok = 0;
    if (!Read_Heads()) return;
    Music_Play("MUSIC/LoadSaveMenu.mp3", 1);
    mode = mode_;
    panel = std::make_unique<cls_Desk_Rect>(0, 20, Screen_Width - 1, Screen_Height - 20);
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    Font_Set_Colour(&Font_8x16, 2);
    cancel = std::make_unique<cls_Button_Standart>(r - 80, b - 28, "ОТМЕНА", &Font_8x16);
    for (int i = 1; i <= Slot_Count; ++i) {
        char label[128];
        Label(i, heads[i - 1], damaged[i - 1], label, sizeof label);
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
    return Box_Loop([&](int* result) { return *result = 0, cancel->fired != 0; },
                    [&](int* result) {
                        Screen_Target targets[Slot_Count];
                        for (int i = 0; i < Slot_Count; ++i) targets[i] = Centre_Of(*buttons[i]);
                        Screen_Announce({mode == Mode_Load ? "slot menu load" : "slot menu save",
                                         targets, Slot_Count, nullptr});
                        Music_Update();
                        Ok_Keys_Press(cancel.get());  // all three keys cancel
                        cancel->Update();
                        for (int i = 0; i < Slot_Count; ++i) {
                            if (!buttons[i]->Update()) continue;
                            // Nothing can be read from an empty (or damaged) slot.
                            if (mode == Mode_Load && (heads[i].in_use == 0 || damaged[i])) continue;
                            *result = i + 1;
                            return true;
                        }
                        return false;
                    },
                    [&](Surface* s) { Draw(s); }, 0);
}
