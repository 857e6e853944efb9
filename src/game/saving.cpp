// Saving a game in play into a slot and loading one back into a laid-out game.
#include "game/saving.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/report_log.h"
#include "game/board.h"
#include "game/slot_file.h"
#include "platform/platform.h"
#include "scripture/hs_book.h"

std::string Write_Failure_Text(const char* what, Sys_Failure why) {
    const char* reason = why == Sys_Failure::No_Space        ? "НА ДИСКЕ НЕТ МЕСТА"
                         : why == Sys_Failure::No_Permission ? "НЕТ ПРАВА ЗАПИСИ"
                                                             : "ОШИБКА ЗАПИСИ НА ДИСК";
    return std::string(what) + ": " + reason;
}

std::string Save_Failure_Text(Sys_Failure why) {
    return Write_Failure_Text("ИГРА НЕ СОХРАНЕНА", why);
}

int Slot_Save(Game_State* s, int slot, Sys_Failure* error) {
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
    data.records = s->Sessions;
    Sys_Failure failed = Sys_Failure::Ok;
    if (!Slot_File_Write(Slot_Path(slot), data, &failed)) {
        Report_Log("\n Can not save game to slot %d", slot);
        Report_Log("\n  %s", Save_Failure_Text(failed).c_str());
        if (error != nullptr) *error = failed;
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
    s->Sessions = std::move(data.records);
    return 1;
}

bool Slot_Fits_Book(Game_State* s, int slot) {
    const Game_Progress& g = s->Progress;
    const HS_Book* book = s->Open_Book.get();
    const int chapters = Chapter_Count(book);
    // A saved game stands on a chapter of its book, at most one verse past its last
    // (the chapter was completed by the landing saved).
    if (g.Chapter <= chapters && g.Verse <= Verse_Count(book, g.Chapter) + 1) return true;
    Report_Log("\n Can not load game from slot %d: файл поврежден (глава %d, стих %d)", slot,
               static_cast<int>(g.Chapter), static_cast<int>(g.Verse));
    return false;
}
