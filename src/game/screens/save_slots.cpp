// The game's side of the slot files.
#include "game/screens/save_slots.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/report_log.h"
#include "game/board.h"
#include "game/slot_file.h"
#include "platform/platform.h"
#include "records/slot_menu.h"

int Slot_Save(Game_State* s, int slot) {
    Slot_Data data;
    Slot_Header& h = data.header;
    h.magic = Slot_Magic;
    h.slot = slot;
    h.in_use = 1;
    // The name field is zero-filled and holds at most 30 characters, so it always
    // ends in a NUL.
    const size_t name_length =
        std::min<size_t>(strnlen(s->Progress.Player_Name, sizeof s->Progress.Player_Name), 30);
    std::memcpy(h.name, s->Progress.Player_Name, name_length);
    h.book = s->Progress.Book_Index;
    h.saved = Plat_Time();
    data.progress = s->Progress;
    std::memcpy(data.cells, s->Area->Cells, sizeof data.cells);
    if (s->Sessions != nullptr)
        data.records.assign(s->Sessions->records, s->Sessions->records + s->Sessions->count);
    if (!Slot_File_Write(Slot_Path(slot), data)) {
        Report_Log("\n Can not save game to slot %d", slot);
        return 0;
    }
    return 1;
}

int Slot_Load(Game_State* s, int slot) {
    Slot_Data data;
    std::string why;
    switch (Slot_File_Read(Slot_Path(slot), &data, &why)) {
        case Slot_Read_Result::Missing:
            Report_Log("\n Can not load game from slot %d", slot);
            return 0;
        case Slot_Read_Result::Damaged:
            Report_Log("\n Can not load game from slot %d: файл поврежден (%s)", slot, why.c_str());
            return 0;
        case Slot_Read_Result::Ok:
            break;
    }
    s->Progress = data.progress;
    std::memcpy(s->Area->Cells, data.cells, sizeof data.cells);
    const int n = static_cast<int>(data.records.size());
    if (s->Sessions != nullptr && Session_List_Reserve(s->Sessions, n)) {
        s->Sessions->count = n;
        for (int i = 0; i < n; ++i) s->Sessions->records[i] = data.records[i];
    }
    return 1;
}

int Slot_Save_Dialog(Game_State* s) {
    int slot = 0;
    {
        Slot_Menu menu(Slot_Menu::Mode_Save);
        if (menu.ok) slot = menu.Run();
    }
    if (slot > 0) Slot_Save(s, slot);
    return 1;
}
