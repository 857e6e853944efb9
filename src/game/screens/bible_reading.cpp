// Keeping the player's reading record as games go on, and showing it.
#include "game/screens/bible_reading.h"

#include "core/report_log.h"
#include "game/saving.h"
#include "game/screens/game_screen.h"
#include "game/slot_file.h"
#include "platform/platform.h"
#include "records/reading.h"
#include "records/screens/bible_map.h"
#include "scripture/book_table.h"
#include "ui/boxes.h"

void Reading_Note_Game(Game_State* s) {
    const Game_Progress& g = s->Progress;
    Reading_Record record = Reading_Open(g.Player_Name);
    if (Reading_Add_Game(&record, g.Game_Id, s->Sessions, Plat_Time()) == 0) return;
    Sys_Failure failed = Sys_Failure::Ok;
    if (Slot_Folder_Ready() && Reading_File_Write(Reading_Path(g.Player_Name), record, &failed))
        return;
    if (failed == Sys_Failure::Ok) failed = Sys_Failure::Other;
    const std::string text = Write_Failure_Text("ПРОЧИТАННОЕ НЕ ЗАПИСАНО", failed);
    Report_Log("\n %s (игрок %s)", text.c_str(), g.Player_Name);
    Message_Box notice(text.c_str());
    Run_Over_Game(s, notice);
}

void Reading_Begin_Game(Game_State* s) {
    Game_Progress& g = s->Progress;
    g.Game_Id = Reading_Free_Game_Id(Reading_Open(g.Player_Name), g.Game_Id);
}

void Reading_Continue_Game(Game_State* s) {
    Game_Progress& g = s->Progress;
    if (g.Game_Id == 0) g.Game_Id = Reading_Saved_Game_Id(g, s->Sessions);
    Reading_Note_Game(s);
}

void Show_Whole_Bible(Game_State* s) {
    const Game_Progress& g = s->Progress;
    Bible_Map_Game where;
    where.game = g.Game_Id;
    if (g.Book_Done == 0 && g.Book_Index >= 1 && g.Book_Index <= HS_Book_Count &&
        s->Open_Book != nullptr) {
        where.book = g.Book_Index;
        where.chapter = g.Chapter;
    }
    Bible_Map map(Reading_Open(g.Player_Name), where);
    if (map.ready) map.Run();
}
