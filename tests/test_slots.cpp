// Save slots: the file's layout read at its offsets, saving and continuing, names
// and labels, saves cut short at every step, damaged files, and a failed save told
// to the player by the real program.
#include <gtest/gtest.h>

#include "test_host.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "core/bytes.h"
#include "game/board.h"
#include "game/play.h"
#include "game/saving.h"
#include "game/books.h"
#include "game/screens/book_choice.h"
#include "game/screens/game_loop.h"
#include "game/screens/game_screen.h"
#include "game/screens/play_screens.h"
#include "game/screens/save_slots.h"
#include "game/slot_file.h"
#include "program_runner.h"
#include "records/screens/session_diary.h"
#include "records/screens/slot_menu.h"
#include "shot_text.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

class Slot_Test : public Ui_Test {
  protected:
    void SetUp() override {
        Ui_Test::SetUp();
        Test_Set_Env("TZ", "UTC");
        tzset();
        cwd.Write("HScripts/Ruf.txt", "Книга Руфь\r\nРуфь\r\nГлава 1\r\n1 Во дни те\r\n");
        fs::create_directories("SAVE");
        Lay_Out(&game);
    }
    void TearDown() override {
        Game_Close(&game);
        Game_Close(&other);
        Ui_Test::TearDown();
    }
    void Lay_Out(Game_State* g) {
        Game_Layout(g);
        Play_Screens_Attach();
        g->Progress.Book_Index = 8;
        ASSERT_EQ(Load_Game_Book(g), 1);
        Game_Progress& p = g->Progress;
        std::snprintf(p.Player_Name, sizeof p.Player_Name, "%s", "Иоанн");
        p.Chapter = p.Verse = 1;
        p.Letters = 3;
        p.Chapters_Back = 5;
        p.Session_Number = 2;
        p.Store_Points = -40;
        p.Ses_Blocks = 9;
        p.Ses_Start = 1234567;
        p.Game_Id = 7ULL << 24;
        Area_Cell(g->Area.get(), 4, 11).kind = 5;
        Area_Cell(g->Area.get(), 5, 11).kind = 2;
    }
    std::string Slot_Bytes(int n) { return cwd.Read("SAVE/slot" + std::to_string(n)); }
    Game_State game, other;
};

// --- the file ---------------------------------------------------------------------

TEST_F(Slot_Test, TheFileHoldsItsHeadProgressCellsAndRecordsAtTheirOffsets) {
    Clock_At(5000);  // 5 s after the scripted epoch
    ASSERT_EQ(Slot_Save(&game, 3), 1);
    std::string b = Slot_Bytes(3);
    ASSERT_EQ(b.size(), 14790u);  // an empty diary
    EXPECT_EQ(Get_Le32(&b[0]), 16512u);
    EXPECT_EQ(Get_Le32(&b[4]), 3u);
    EXPECT_EQ(Get_Le32(&b[8]), 1u);
    EXPECT_STREQ(&b[12], "Иоанн");
    EXPECT_EQ(Get_Le32(&b[52]), 8u);
    EXPECT_EQ(static_cast<int64_t>(Get_Le64(&b[56])), Plat_Scripted_Epoch + 5);
    EXPECT_STREQ(&b[64], "Иоанн");                                 // Player_Name
    EXPECT_EQ(static_cast<int32_t>(Get_Le32(&b[64 + 274])), -40);  // Store_Points
    EXPECT_EQ(Get_Le32(&b[64 + 290]), 9u);                         // Ses_Blocks
    EXPECT_EQ(Get_Le64(&b[64 + 306]), 1234567u);                   // Ses_Start
    EXPECT_EQ(b[64 + 314 + 3], 7);                                 // the game's id, kept
    EXPECT_EQ(Get_Le32(&b[386 + 24 * (11 * 20 + 4)]), 5u);         // cell (4, 11)
    EXPECT_EQ(Get_Le32(&b[14786]), 0u);
    // Each finished session adds 52 bytes.
    game.Sessions.clear();
    Session_Record r{};
    r.book = 8;
    r.points = 77;
    r.duration = 61;
    game.Sessions.push_back(r);
    game.Sessions.push_back(r);
    ASSERT_EQ(Slot_Save(&game, 3), 1);
    b = Slot_Bytes(3);
    ASSERT_EQ(b.size(), 14790u + 2 * 52);
    EXPECT_EQ(Get_Le32(&b[14786]), 2u);
    EXPECT_EQ(Get_Le32(&b[14790 + 52 + 7 * 4]), 77u);
    EXPECT_EQ(Get_Le32(&b[14790 + 52 + 12 * 4]), 61u);
}

TEST_F(Slot_Test, SaveContinueAndSaveAgainGiveTheSameGameAndTheHeadCutsTheName) {
    Session_Record r{};
    r.session_number = 1;
    game.Sessions.push_back(r);
    std::snprintf(game.Progress.Player_Name, 32, "%s", std::string(31, 'Я').c_str());
    ASSERT_EQ(Slot_Save(&game, 3), 1);
    Lay_Out(&other);
    Area_Reset(other.Area.get());
    ASSERT_EQ(Slot_Load(&other, 3), 1);
    EXPECT_EQ(+other.Progress.Store_Points, -40);
    EXPECT_EQ(other.Sessions.size(), 1u);
    EXPECT_EQ(Area_Cell(other.Area.get(), 5, 11).kind, 2);
    ASSERT_EQ(Slot_Save(&other, 7), 1);
    const std::string a = Slot_Bytes(3), b = Slot_Bytes(7);
    EXPECT_EQ(a.substr(64), b.substr(64));                 // progress, cells and records alike
    EXPECT_EQ(std::string(&a[12]), std::string(30, 'Я'));  // the head holds 30 of 31
    EXPECT_EQ(std::string(&a[64]), std::string(31, 'Я'));
}

// A save made in the very tick a session ended holds the ended session, as the
// panel showed it. Continued, its results come at once: a completed session adds
// its figures and the book ends, a failed one costs its penalty and the chapter is
// played again in a new session.
TEST_F(Slot_Test, ASaveOfTheTickASessionEndedGoesOnWithItsResults) {
    for (const int end : {Session_Completed, Session_Failed}) {
        SCOPED_TRACE(end);
        Game_Progress& g = game.Progress;
        g.Session_End = end;
        g.Verse = end == Session_Completed ? 2 : 1;
        g.Ses_Points = 8;
        ASSERT_EQ(Slot_Save(&game, 1), 1);
        Lay_Out(&other);
        ASSERT_EQ(Slot_Load(&other, 1), 1);
        Exit_Requested = 1;  // every box closes at once
        Game_Run(&other, 0);
        Exit_Requested = 0;
        ASSERT_EQ(other.Sessions.size(), 1u);
        const Session_Record& r = other.Sessions[0];
        EXPECT_EQ(r.session_number, 2);
        if (end == Session_Completed) {
            EXPECT_EQ(r.success, 1);
            EXPECT_EQ(+other.Progress.Store_Points, -40 + 8);
            EXPECT_EQ(+other.Progress.Game_Over, 1);
        } else {
            EXPECT_EQ(r.success, 0);
            EXPECT_GT(r.penalty, 0);
            EXPECT_EQ(+other.Progress.Store_Points, -40 - r.penalty);
            EXPECT_EQ(+other.Progress.Session_Number, 3);
            EXPECT_EQ(+other.Progress.Verse, 1);
        }
        Game_Close(&other);
    }
}

// A slot chosen to continue that does not fit its book, or whose book cannot be
// read, is refused with a word to the player, and the main menu is back.
TEST_F(Slot_Test, ASlotThatCannotBeContinuedSaysWhy) {
    game.Progress.Chapter = 7;  // Руфь here has one chapter
    ASSERT_EQ(Slot_Save(&game, 1), 1);
    game.Progress.Chapter = 1;
    game.Progress.Book_Index = 2;  // Исход, not there
    ASSERT_EQ(Slot_Save(&game, 2), 1);
    Scratch_Dir dir;
    dir.Link_Bundled_Data(false);
    dir.Write("HScripts/Ruf.txt", cwd.Read("HScripts/Ruf.txt"));
    dir.Write("SAVE/slot1", Slot_Bytes(1));
    dir.Write("SAVE/slot2", Slot_Bytes(2));
    const std::string open = "wait 300\nclick 320 264\nmove 5 470\nwait 600\n";
    const Program_Run run = Run_Program(
        dir,
        open + "click 320 68\nmove 5 470\nwait 800\nshot one.bmp\nkey RETURN\nwait 800\n" + open +
            "click 320 98\nmove 5 470\nwait 800\nshot two.bmp\nkey RETURN\nwait 800\n",
        {"VELTRAN_SEED=4"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(
        Shot_Find_Text(Shot_Read(dir.Read("one.bmp")), "СОХРАНЕНИЕ ПОВРЕЖДЕНО", Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(Shot_Read(dir.Read("two.bmp")), "КНИГА СОХРАНЕНИЯ НЕ ЧИТАЕТСЯ",
                               Font_8x16, 2));
    EXPECT_TRUE(Log_In_Order(
        run.report,
        {"\n Can not load game from slot 1: файл поврежден (глава 7, стих 1)", "\n Close Game",
         "\n Книга HScripts/Ishod.txt не загружена", "\n Close Game"}));
    EXPECT_EQ(Log_Count(run.report, "\n Start new sesion"), 0u);
}

TEST_F(Slot_Test, LabelsGiveTheNameBookAndTimeInRussian) {
    Slot_Header h{};
    h.magic = Slot_Magic;
    h.in_use = 1;
    std::snprintf(h.name, sizeof h.name, "%s", "Иоанн");
    h.book = 66;
    char label[128];
    const struct {
        int64_t after;  // seconds after the scripted epoch, Monday 2 March 2026 09:00 UTC
        int slot, in_use;
        bool damaged;
        const char* label;
    } cases[] = {
        {5 * 60 + 7, 4, 1, false, "04 Иоанн/Откр(2026 Мар 2 Пн 09:05)"},
        {6 * 86400 + 15 * 3600 + 5 * 60, 4, 1, false, "04 Иоанн/Откр(2026 Мар 9 Пн 00:05)"},
        {0, 12, 0, false, "12 <empty> "},
        {0, 2, 0, true, "02 <damaged> "}};
    for (const auto& c : cases) {
        h.saved = Plat_Scripted_Epoch + c.after;
        h.in_use = c.in_use;
        Slot_Label(c.slot, h, c.damaged, label, sizeof label);
        EXPECT_STREQ(label, c.label);
    }
}

// --- saves cut short, damaged files ---------------------------------------------------

// File steps that fail at one step, as a full disk (or a refused rename) fails.
int Failing_Step = 0;  // 1 create, 2 write (after the head), 3 flush, 4 replace
Sys_File* Fail_Create(const std::string& path, Sys_Failure* why) {
    if (Failing_Step == 1) return *why = Sys_Failure::No_Space, nullptr;
    return System_Durable_Ops.create(path, why);
}
Sys_Failure Fail_Write(Sys_File* f, const void* bytes, size_t size) {
    if (Failing_Step == 2 && size != Slot_Progress_At) return Sys_Failure::No_Space;
    return System_Durable_Ops.write(f, bytes, size);
}
Sys_Failure Fail_Flush(Sys_File* f) {
    if (Failing_Step == 3) return Sys_Failure::No_Space;
    return System_Durable_Ops.flush(f);
}
Sys_Failure Fail_Replace(const std::string& from, const std::string& to) {
    if (Failing_Step == 4) return Sys_Failure::No_Permission;
    return System_Durable_Ops.replace(from, to);
}

TEST_F(Slot_Test, ASaveCutShortAtAnyStepLeavesTheOldSlotAndSaysWhy) {
    ASSERT_EQ(Slot_Save(&game, 3), 1);
    const std::string old = Slot_Bytes(3);
    Slot_Data changed;
    changed.header.magic = Slot_Magic;
    changed.progress.Store_Points = 999;
    const Slot_File_Ops failing = {Fail_Create, Fail_Write, Fail_Flush, Fail_Replace};
    for (Failing_Step = 1; Failing_Step <= 4; ++Failing_Step) {
        Sys_Failure error = Sys_Failure::Ok;
        EXPECT_FALSE(Slot_File_Write(Slot_Path(3), changed, &error, failing));
        EXPECT_EQ(error, Failing_Step == 4 ? Sys_Failure::No_Permission : Sys_Failure::No_Space)
            << Failing_Step;
        EXPECT_EQ(Slot_Bytes(3), old);
        EXPECT_FALSE(fs::exists("SAVE/slot3.new"));
    }
    EXPECT_EQ(Save_Failure_Text(Sys_Failure::No_Space), "ИГРА НЕ СОХРАНЕНА: НА ДИСКЕ НЕТ МЕСТА");
    EXPECT_EQ(Save_Failure_Text(Sys_Failure::No_Permission), "ИГРА НЕ СОХРАНЕНА: НЕТ ПРАВА ЗАПИСИ");
    EXPECT_EQ(Save_Failure_Text(Sys_Failure::Other), "ИГРА НЕ СОХРАНЕНА: ОШИБКА ЗАПИСИ НА ДИСК");
    // A save the system refuses for real (a folder stands where the slot file
    // would): the log names the slot and the reason, the folder is left alone.
    fs::create_directories("SAVE/slot5/keep");
    Sys_Failure error = Sys_Failure::Ok;
    EXPECT_EQ(Slot_Save(&game, 5, &error), 0);
    EXPECT_NE(error, Sys_Failure::Ok);
    EXPECT_TRUE(fs::exists("SAVE/slot5/keep"));
    EXPECT_NE(cwd.Log().find("\n Can not save game to slot 5\n  ИГРА НЕ СОХРАНЕНА"),
              std::string::npos);
    // A save killed half-way leaves its new file behind; the slot still loads and the
    // next save goes through.
    cwd.Write("SAVE/slot3.new", "half a save");
    Lay_Out(&other);
    ASSERT_EQ(Slot_Load(&other, 3), 1);
    EXPECT_EQ(+other.Progress.Store_Points, -40);
    game.Progress.Store_Points = 999;
    ASSERT_EQ(Slot_Save(&game, 3), 1);
    EXPECT_NE(Slot_Bytes(3), old);
}

TEST_F(Slot_Test, DamagedSlotsAreRefusedWithALineAndShownAsDamaged) {
    ASSERT_EQ(Slot_Save(&game, 1), 1);
    const std::string good = Slot_Bytes(1);
    auto with = [&](size_t at, uint32_t v) {
        std::string b = good;
        Put_Le32(&b[at], v);
        return b;
    };
    cwd.Write("SAVE/slot2", good.substr(0, 5000));      // short
    cwd.Write("SAVE/slot3", with(0, 12345));            // another magic
    cwd.Write("SAVE/slot4", with(14786, 0x7FFFFFFF));   // absurd count
    cwd.Write("SAVE/slot5", with(64 + 110, 99));        // no such book
    cwd.Write("SAVE/slot6", with(386 + 24 * 30, 200));  // a stone of kind 200
    cwd.Write("SAVE/slot7", good + "trailing");         // not its size
    fs::create_directories("SAVE/slot8");               // a folder
    Lay_Out(&other);
    for (int n = 2; n <= 8; ++n) {
        other.Progress.Store_Points = 5;
        EXPECT_EQ(Slot_Load(&other, n), 0) << n;
        EXPECT_EQ(+other.Progress.Store_Points, 5) << n;  // nothing taken over
    }
    const std::string log = cwd.Log();
    EXPECT_NE(log.find("\n Can not load game from slot 4: файл поврежден"), std::string::npos);
    EXPECT_EQ(Slot_Load(&other, 9), 0);  // no file at all
    EXPECT_NE(cwd.Log().find("\n Can not load game from slot 9"), std::string::npos);
    Slot_Menu menu(Slot_Menu::Mode_Load);
    ASSERT_EQ(menu.ok, 1);
    EXPECT_FALSE(menu.slots.damaged[0]);
    EXPECT_TRUE(menu.slots.damaged[1]);  // short
    EXPECT_TRUE(menu.slots.damaged[2]);  // magic
    EXPECT_TRUE(menu.slots.damaged[4]);  // book
    EXPECT_TRUE(menu.slots.damaged[7]);  // folder
    EXPECT_EQ(menu.slots.heads[8].in_use, 0);
}

TEST_F(Slot_Test, TheMenuMakesTheSaveFolderAndAnEmptySlotCannotBeLoaded) {
    fs::remove_all("SAVE");
    std::vector<Script_Command> c;
    std::string why;
    // Slot 2 (empty) is clicked and ignored; Escape then cancels.
    ASSERT_TRUE(
        Script_Parse("wait 100\nclick 320 98\nwait 600\nkey ESCAPE\nwait 5000\n", &c, &why));
    Script_Start(c);
    {
        Slot_Menu menu(Slot_Menu::Mode_Load);
        ASSERT_EQ(menu.ok, 1);
        EXPECT_TRUE(fs::is_directory("SAVE"));
        EXPECT_EQ(menu.Run(), 0);
        EXPECT_LT(Plat_Tick(), 12000u);  // cancelled, not run out
    }
    Script_Stop();
    Input_State_Reset();
    ASSERT_TRUE(Script_Parse("wait 100\nclick 320 98\nwait 5000\n", &c, &why));
    Script_Start(c);
    Slot_Menu save(Slot_Menu::Mode_Save);
    EXPECT_EQ(save.Run(), 2);  // writing into an empty slot is what it is for
}

// The player is told when a game cannot be saved: a plain file named SAVE where
// the folder should be (the slot menus do not open, the file is left alone), and
// a slot the system refuses to write (a folder in its place).
TEST_F(Slot_Test, ASaveThatCannotBeWrittenIsToldToThePlayer) {
    Scratch_Dir dir;
    dir.Link_Bundled_Data(false);
    dir.Write("HScripts/Ruf.txt",
              "Книга Руфь\r\nРуфь\r\nГлава 1\r\n1 " + std::string(300, 'а') + "\r\n");
    dir.Write("SAVE", "not a folder");
    const std::string start =
        "wait 300\nclick 320 210\nmove 5 470\nwait 600\nkey ESCAPE\nwait 1000\n";
    Program_Run run =
        Run_Program(dir,
                    start +
                        "click 519 430\nwait 800\nshot save.bmp\nkey RETURN\nwait 800\n"
                        // МЕНЮ -> ДА -> ДА: told again, then the game ends; ПРОДОЛЖИТЬ is told too.
                        "click 599 455\nwait 600\nkey RETURN\nwait 600\nkey RETURN\nwait 800\n"
                        "shot leave.bmp\nkey RETURN\nwait 800\nclick 320 265\nwait 800\n"
                        "shot continue.bmp\nkey RETURN\nwait 800\nquit\n",
                    {"VELTRAN_SEED=4"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.Read("SAVE"), "not a folder");
    for (const char* shot : {"save.bmp", "leave.bmp", "continue.bmp"})
        EXPECT_TRUE(
            Shot_Find_Text(Shot_Read(dir.Read(shot)), Slot_Folder_Failure_Text, Font_8x16, 2))
            << shot;
    EXPECT_EQ(Log_Count(run.report, "\n Error: не удалось создать папку сохранений SAVE"), 3u);

    dir.Remove("SAVE");
    std::filesystem::create_directories(dir.path() + "/SAVE/slot3/inside");
    run = Run_Program(dir,
                      start +
                          "click 519 430\nwait 800\nclick 320 128\nwait 800\nshot failed.bmp\n"
                          "key RETURN\nwait 800\nshot played.bmp\nquit\n",
                      {"VELTRAN_SEED=4"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shot_Find_Text(Shot_Read(dir.Read("failed.bmp")),
                               "ИГРА НЕ СОХРАНЕНА: ОШИБКА ЗАПИСИ НА ДИСК", Font_8x16, 2));
    EXPECT_FALSE(
        Shot_Find_Text(Shot_Read(dir.Read("played.bmp")), "ИГРА НЕ СОХРАНЕНА", Font_8x16, 2));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/SAVE/slot3/inside"));
    EXPECT_EQ(Log_Count(run.report, "\n Can not save game to slot 3"), 1u);
}

}  // namespace
