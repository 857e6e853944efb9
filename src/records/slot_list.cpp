// Reading the slots' heads and their labels.
#include "records/slot_list.h"

#include <cstdio>
#include <string>

#include "core/system.h"
#include "scripture/book_table.h"

namespace {

const char* const Months[12] = {"Янв", "Фев", "Мар", "Апр", "Май", "Июн",
                                "Июл", "Авг", "Сен", "Окт", "Ноя", "Дек"};
const char* const Weekdays[7] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};

}  // namespace

bool Slot_List_Read(Slot_List* list) {
    *list = Slot_List{};
    if (!Slot_Folder_Ready()) return false;
    // Each slot is read whole and checked, so that one that could not be loaded
    // says so before it is chosen.
    for (int n = 1; n <= Slot_Count; ++n) {
        Slot_Data data;
        std::string why;
        const Slot_Read_Result read = Slot_File_Read(Slot_Path(n), &data, &why);
        const bool ok = read == Slot_Read_Result::Ok && Slot_Header_Sane(data.header);
        list->damaged[n - 1] =
            read == Slot_Read_Result::Damaged || (read == Slot_Read_Result::Ok && !ok);
        list->heads[n - 1] = ok ? data.header : Slot_Header{};
    }
    return true;
}

void Slot_Label(int slot, const Slot_Header& h, bool damaged, char* out, size_t size) {
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
