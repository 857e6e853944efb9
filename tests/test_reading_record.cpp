// The player's reading record: its file and checks, a damaged file put aside, each
// completion counted once however a game is continued, what the record adds up to,
// and the whole-Bible picture drawn from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/bytes.h"
#include "game/play.h"
#include "game/slot_file.h"
#include "program_runner.h"
#include "graphics/font_small.h"
#include "records/reading.h"
#include "records/screens/bible_map.h"
#include "records/screens/session_diary.h"
#include "scripture/bible_shape.h"
#include "scripture/book_table.h"
#include "shot_text.h"
#include "ui_fixture.h"

namespace {

// Noon of 2 March 2026 (UTC), and the same a day later.
constexpr int64_t Day_1 = 1772452800, Day_2 = Day_1 + 86400;

Reading_Entry Entry(uint64_t game, int session, int book, int chapter, int64_t when = Day_1) {
    Reading_Entry e{};
    e.game = game;
    e.session = session;
    e.book = static_cast<uint16_t>(book);
    e.chapter = static_cast<uint16_t>(chapter);
    e.when = when;
    return e;
}

Session_Record Completed(int number, int book, int chapter, int success = 1) {
    Session_Record r{};
    r.book = book;
    r.chapter = chapter;
    r.session_number = number;
    r.success = success;
    r.points = 100 + number;
    r.duration = 60 * number;
    return r;
}

std::string File_Bytes(const Reading_Record& r) {
    const std::string path = "SAVE/probe";
    std::filesystem::create_directories("SAVE");
    EXPECT_TRUE(Reading_File_Write(path, r));
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

Reading_Read_Result Read_Bytes(const std::string& bytes, std::string* why) {
    Reading_Record r;
    return Reading_Bytes_Read(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &r,
                              why);
}

// --- the file ------------------------------------------------------------------------

TEST(Reading_File, HoldsItsHeadAndEntriesLittleEndianAndReadsBackWhole) {
    Scratch_Cwd cwd;
    Reading_Record r;
    r.player = "Иоанн";
    r.done = {Entry(0x0102030405060708ULL, 3, 31, 1), Entry(9, 1, 19, 150, Day_2)};
    const std::string b = File_Bytes(r);
    ASSERT_EQ(b.size(), 40u + 2 * 24u);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(b.data());
    EXPECT_EQ(Get_Le32(p), Reading_Magic);
    EXPECT_EQ(p[4], 0xC8);  // И
    EXPECT_EQ(p[4 + 5], 0);
    EXPECT_EQ(Get_Le32(p + 36), 2u);
    EXPECT_EQ(p[40], 0x08);  // the game's id, low byte first
    EXPECT_EQ(Get_Le32(p + 48), 3u);
    EXPECT_EQ(p[52] | p[53] << 8, 31);
    EXPECT_EQ(p[54] | p[55] << 8, 1);
    EXPECT_EQ(static_cast<int64_t>(Get_Le64(p + 64 + 16)), Day_2);

    Reading_Record back;
    std::string why;
    ASSERT_EQ(Reading_File_Read("SAVE/probe", &back, &why), Reading_Read_Result::Ok) << why;
    EXPECT_EQ(back.player, "Иоанн");
    ASSERT_EQ(back.done.size(), 2u);
    EXPECT_EQ(back.done[1].chapter, 150);
    EXPECT_EQ(back.done[0].game, 0x0102030405060708ULL);
    EXPECT_EQ(Reading_File_Read("SAVE/none", &back, &why), Reading_Read_Result::Missing);
}

TEST(Reading_File, DamagedFilesAreToldApartWithTheirReason) {
    Scratch_Cwd cwd;
    Reading_Record r;
    r.player = "Петр";
    r.done = {Entry(5, 1, 1, 50), Entry(5, 2, 66, 22)};
    const std::string good = File_Bytes(r);
    std::string why;
    ASSERT_EQ(Read_Bytes(good, &why), Reading_Read_Result::Ok);

    auto damaged = [&](std::string bytes, const char* reason) {
        std::string w;
        EXPECT_EQ(Read_Bytes(bytes, &w), Reading_Read_Result::Damaged) << reason;
        EXPECT_NE(w.find(reason), std::string::npos) << w;
    };
    damaged(good.substr(0, 39), "длина");
    damaged(good.substr(0, good.size() - 1), "число записей");
    damaged(good + std::string(24, '\0'), "число записей");
    std::string b = good;
    b[0] ^= 1;
    damaged(b, "метка");
    b = good;
    std::memset(&b[4], 'A', 32);
    damaged(b, "имя");
    b = good;
    b[40 + 24 + 14] = 23;  // Revelation has 22 chapters
    damaged(b, "запись 2");
    b = good;
    b[40 + 12] = 67;
    damaged(b, "запись 1");
    b = good;
    std::memset(&b[40], 0, 8);  // no game
    damaged(b, "запись 1");
    b = good;
    b[40 + 24 + 8] = 1;  // the same game and session twice
    damaged(b, "повтор записи 2");
    std::string huge = good.substr(0, 40);
    Put_Le32(reinterpret_cast<uint8_t*>(&huge[36]), 0xFFFFFFFFu);
    damaged(huge, "число записей");

    std::filesystem::create_directories("SAVE/folder");
    Reading_Record none;
    EXPECT_EQ(Reading_File_Read("SAVE/folder", &none, &why), Reading_Read_Result::Damaged);
}

TEST(Reading_File, AFailedWriteLeavesTheOldFileAsItWas) {
    Scratch_Cwd cwd;
    Reading_Record r;
    r.player = "Марк";
    r.done = {Entry(1, 1, 41, 1)};
    const std::string before = File_Bytes(r);
    r.done.push_back(Entry(1, 2, 41, 2));
    Durable_Ops full = System_Durable_Ops;
    full.flush = [](Sys_File*) { return Sys_Failure::No_Space; };
    Sys_Failure error = Sys_Failure::Ok;
    EXPECT_FALSE(Reading_File_Write("SAVE/probe", r, &error, full));
    EXPECT_EQ(error, Sys_Failure::No_Space);
    EXPECT_EQ(cwd.Read("SAVE/probe"), before);
    EXPECT_FALSE(std::filesystem::exists("SAVE/probe.new"));
}

TEST(Reading_File, EachPlayerHasAFileOfTheirOwnNamedTheSameEverywhere) {
    EXPECT_EQ(Reading_Path("Ив"), "SAVE/reading_C8E2");
    EXPECT_EQ(Reading_Path("a/b"), "SAVE/reading_612F62");
    EXPECT_NE(Reading_Path("Ив"), Reading_Path("ив"));
}

// --- opening a player's record --------------------------------------------------------

TEST(Reading_Open, ADamagedRecordIsLoggedPutAsideAndAFreshOneBegins) {
    Scratch_Cwd cwd;
    ASSERT_EQ(Report_Open(), 1);
    EXPECT_TRUE(Reading_Open("Лука").done.empty());  // none yet: nothing said
    EXPECT_EQ(cwd.Log().find("прочитанного"), std::string::npos);

    const std::string path = Reading_Path("Лука");
    cwd.Write(path, "not a record");
    Reading_Record r = Reading_Open("Лука");
    EXPECT_EQ(r.player, "Лука");
    EXPECT_TRUE(r.done.empty());
    EXPECT_EQ(cwd.Read(path + ".damaged"), "not a record");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NE(cwd.Log().find("Файл прочитанного " + path +
                             " поврежден (длина файла 12): "
                             "отложен как " +
                             path + ".damaged, начат новый"),
              std::string::npos)
        << cwd.Log();

    // A second damaged file does not take the place of the first one kept.
    cwd.Write(path, "again");
    Reading_Open("Лука");
    EXPECT_EQ(cwd.Read(path + ".damaged"), "not a record");
    EXPECT_EQ(cwd.Read(path + ".damaged2"), "again");

    // Another player's record under this name's file is not this player's.
    Reading_Record other;
    other.player = "Иоанн";
    other.done = {Entry(1, 1, 1, 1)};
    ASSERT_TRUE(Reading_File_Write(path, other));
    EXPECT_TRUE(Reading_Open("Лука").done.empty());
    EXPECT_NE(cwd.Log().find("чужое имя игрока"), std::string::npos);
}

// --- counting a game's completions ------------------------------------------------------

TEST(Reading_Count, ACompletedSessionCountsOnceHoweverOftenItsGameIsSeen) {
    Reading_Record r;
    Session_List diary = {Completed(1, 31, 1), Completed(2, 65, 1, 0), Completed(3, 65, 1)};
    EXPECT_EQ(Reading_Add_Game(&r, 77, diary, Day_1), 2);  // the failed session does not count
    EXPECT_EQ(Reading_Add_Game(&r, 77, diary, Day_2), 0);  // continued: nothing twice
    diary.push_back(Completed(4, 66, 1));
    std::reverse(diary.begin(), diary.end());  // a sorted diary is the same game
    EXPECT_EQ(Reading_Add_Game(&r, 77, diary, Day_2), 1);
    ASSERT_EQ(r.done.size(), 3u);
    EXPECT_EQ(r.done[2].book, 66);
    EXPECT_EQ(r.done[2].when, Day_2);
    // Another game reading the same chapter counts again.
    EXPECT_EQ(Reading_Add_Game(&r, 78, {Completed(1, 31, 1)}, Day_2), 1);
    // Sessions no game can have are passed over.
    EXPECT_EQ(Reading_Add_Game(&r, 79, {Completed(1, 31, 2), Completed(0, 1, 1)}, Day_2), 0);
}

TEST(Reading_Count, AGameSavedWithoutAnIdTakesTheSameOneFromEveryCopy) {
    Game_Progress g{};
    std::strcpy(g.Player_Name, "Фома");
    const Session_List diary = {Completed(2, 1, 2), Completed(1, 1, 1), Completed(3, 1, 3)};
    Session_List sorted = diary;
    std::swap(sorted[0], sorted[2]);
    const uint64_t id = Reading_Saved_Game_Id(g, diary);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(Reading_Saved_Game_Id(g, sorted), id);
    Session_List later = diary;
    later.push_back(Completed(4, 1, 4));  // the game played on keeps its id
    EXPECT_EQ(Reading_Saved_Game_Id(g, later), id);
    Game_Progress other = g;
    std::strcpy(other.Player_Name, "Фаддей");
    EXPECT_NE(Reading_Saved_Game_Id(other, diary), id);
    // With nothing completed there is nothing to count twice: a new id.
    EXPECT_NE(Reading_Saved_Game_Id(g, {}), 0u);
    EXPECT_NE(New_Game_Id("Фома"), New_Game_Id("Фома"));
    // A new game never takes an id the player's record knows.
    Reading_Record r;
    r.done = {Entry(id, 1, 1, 1)};
    const uint64_t free = Reading_Free_Game_Id(r, id);
    EXPECT_NE(free, id);
    EXPECT_NE(free, 0u);
    r.done.push_back(Entry(free, 1, 1, 1));
    EXPECT_NE(Reading_Free_Game_Id(r, id), free);
    EXPECT_EQ(Reading_Free_Game_Id(r, 5), 5u);
}

TEST(Reading_Count, TheSummaryAddsChaptersVersesWholeBooksAndDays) {
    Reading_Record r;
    r.done = {Entry(1, 1, 31, 1, Day_1), Entry(2, 1, 31, 1, Day_2), Entry(2, 2, 19, 118, Day_2),
              Entry(2, 3, 19, 119, Day_2 + 60)};
    const Reading_Summary s = Reading_Summarize(r, 2);
    EXPECT_EQ(s.chapters, 3);
    EXPECT_EQ(s.verses, Bible_Verses(31, 1) + Bible_Verses(19, 118) + Bible_Verses(19, 119));
    EXPECT_EQ(s.books, 1);  // Obadiah whole; the Psalms not
    EXPECT_EQ(s.book_read[19], 2);
    EXPECT_EQ(s.book_last[19], 119);
    EXPECT_EQ(s.book_last[1], 0);
    EXPECT_EQ(s.days, 2);
    const Reading_Mark& obadiah = s.marks[static_cast<size_t>(Bible_Chapter_Index(31, 1))];
    EXPECT_EQ(obadiah.count, 2);
    EXPECT_EQ(obadiah.first, Day_1);
    EXPECT_TRUE(obadiah.this_game);
    EXPECT_FALSE(
        Reading_Summarize(r, 1).marks[static_cast<size_t>(Bible_Chapter_Index(19, 118))].this_game);
    EXPECT_EQ(Reading_Summarize(Reading_Record{}, 0).chapters, 0);
}

// --- the picture ----------------------------------------------------------------------------

class Bible_Map_Test : public Ui_Test {};

TEST_F(Bible_Map_Test, EveryChapterHasACellInsideThePanelAndAPointFindsIt) {
    Bible_Map map(Reading_Record{}, Bible_Map_Game{});
    ASSERT_EQ(map.ready, 1);
    int l, t, r, b;
    map.panel->Inner_Rect(&l, &t, &r, &b);
    int cells = 0;
    for (int book = 1; book <= HS_Book_Count; ++book)
        for (int c = 1; c <= Bible_Chapters(book); ++c, ++cells) {
            const Rect cell = map.Cell(book, c);
            ASSERT_GE(cell.left, l);
            ASSERT_LT(cell.right, r - 40);   // room for the book's count after it
            ASSERT_GT(cell.top, t + 23);     // below the title's rule
            ASSERT_LT(cell.bottom, b - 33);  // above the totals' rule
            int fb = 0, fc = 0;
            ASSERT_TRUE(map.Chapter_At(cell.left, cell.top, &fb, &fc));
            ASSERT_EQ(fb * 1000 + fc, book * 1000 + c);
        }
    EXPECT_EQ(cells, Bible_Chapter_Total);
    int fb = 0, fc = 0;
    const Rect ps = map.Cell(19, 150);
    EXPECT_FALSE(map.Chapter_At(ps.right + 2, ps.top, &fb, &fc));  // past the last chapter
    EXPECT_FALSE(map.Chapter_At(ps.left, ps.bottom, &fb, &fc));    // the line between rows
    EXPECT_FALSE(map.Chapter_At(l, ps.top, &fb, &fc));             // the names
    EXPECT_FALSE(map.Chapter_At(ps.left, b, &fb, &fc));            // below the last book
}

TEST_F(Bible_Map_Test, CellsTotalsAndTheTipTellWhatWasRead) {
    Reading_Record r;
    r.player = "Иаков";
    r.done = {Entry(1, 1, 31, 1, Day_1), Entry(2, 1, 51, 1, Day_2), Entry(2, 2, 31, 1, Day_2)};
    Bible_Map_Game where;
    where.game = 2;
    where.book = 1;
    where.chapter = 3;
    Bible_Map map(r, where);
    ASSERT_EQ(map.ready, 1);
    Move(map.Cell(31, 1).left, map.Cell(31, 1).top);
    map.hover_book = 31;
    map.hover_chapter = 1;
    map.Draw(Back_Buffer);
    const Shot shot = Shot_Of_Surface(Back_Buffer);
    auto colour = [&](int book, int chapter) {
        const Rect c = map.Cell(book, chapter);
        return shot.At(c.left, c.top + 2);
    };
    EXPECT_EQ(colour(31, 1), Bible_Map::Read_Here);  // read here too
    EXPECT_EQ(colour(51, 1), Bible_Map::Read_Here);  // Jude
    EXPECT_EQ(colour(19, 150), Bible_Map::Unread);
    EXPECT_TRUE(colour(1, 3) == Bible_Map::Now || colour(1, 3) == Bible_Map::Now_Blink);
    EXPECT_TRUE(Shot_Find_Text(shot, "Прочитанное игроком Иаков", Font_8x16, 5));
    EXPECT_EQ(map.Totals_Text(), "Глав: 2/1189  Стихов: 46/31178  Книг: 2/66  Дней: 2");
    EXPECT_TRUE(Shot_Find_Text(shot, map.Totals_Text().c_str(), Font_8x16, 3));
    EXPECT_TRUE(Shot_Find_Text(shot, "Авдий, глава 1", Font_8x16, 3));
    EXPECT_TRUE(Shot_Find_Text(shot, "Прочитана 02.03.2026, раз: 2", Font_8x16, 3));
    EXPECT_EQ(map.Tip_Line(1, 3, 1), "Читается сейчас");
    EXPECT_EQ(map.Tip_Line(1, 4, 1), "Еще не прочитана");

    // Seen from another game, the same chapters are read, not read here.
    where.game = 9;
    Bible_Map other(r, where);
    other.Draw(Back_Buffer);
    const Rect c = other.Cell(31, 1);
    EXPECT_EQ(Shot_Of_Surface(Back_Buffer).At(c.left, c.top), Bible_Map::Read);
}

// Runs the script given on the virtual clock from now on.
void Script(const std::string& text) {
    std::vector<Script_Command> c;
    std::string why;
    ASSERT_TRUE(Script_Parse(text, &c, &why)) << why;
    Script_Start(c);
}

TEST_F(Bible_Map_Test, AClickOnAReadChapterOpensItAndEscapeGoesBack) {
    Test_Link(std::string(VELTRAN_SOURCE_DIR) + "/data/HScripts", "HScripts");
    Reading_Record r;
    r.done = {Entry(1, 1, 31, 1)};
    Bible_Map map(r, Bible_Map_Game{});
    const Rect read = map.Cell(31, 1), unread = map.Cell(31 + 1, 1);
    // An unread chapter first: nothing opens; then the read one, its viewer closed
    // with Escape, and the picture with another.
    Script("move " + std::to_string(unread.left) + " " + std::to_string(unread.top) +
           "\ndown LBUTTON\nwait 100\nup LBUTTON\nwait 200\nmove " + std::to_string(read.left) +
           " " + std::to_string(read.top) +
           "\ndown LBUTTON\nwait 100\nup LBUTTON\nwait 1000\nkey ESCAPE\nwait 1000\n"
           "key ESCAPE\nwait 1000\n");
    EXPECT_EQ(map.Run(), 1);
    EXPECT_EQ(Log_Count(cwd.Log(), "\n Выбрана книга для чтения: HScripts/Avdey.txt"), 1u);
}

TEST_F(Bible_Map_Test, TheDiaryOffersTheBibleByItsButtonAndByTab) {
    Session_List list = {Completed(1, 31, 1)};
    Session_Diary diary(&list);
    int shown = 0;
    diary.Offer_Bible([&shown] { ++shown; });
    const cls_Button_Standart& b = *diary.bible;
    EXPECT_GT(b.left, diary.sort_buttons[3]->right);
    EXPECT_LT(b.right, diary.ok->left);
    Script("key TAB\nwait 200\nclick " + std::to_string(b.left + 5) + " " +
           std::to_string(b.top + 5) + "\nwait 600\nkey ESCAPE\nwait 1000\n");
    diary.Run();
    EXPECT_EQ(shown, 2);
}

TEST_F(Bible_Map_Test, TheSmallFontDrawsEitherCaseAlikeInItsColour) {
    Font f;
    ASSERT_EQ(Font_Small_Create(&f, 96), 1);
    EXPECT_EQ(Font_Small_Create(&f, 0), 0);
    ASSERT_EQ(Font_Small_Create(&f, 96), 1);
    Surface_Fill(Back_Buffer, nullptr, 0);
    Text_Draw(10, 10, "ПРИТЧ", &f, Back_Buffer);
    Text_Draw(10, 20, "Притч", &f, Back_Buffer);
    const Shot shot = Shot_Of_Surface(Back_Buffer);
    int lit = 0;
    for (int y = 0; y < Small_Cell; ++y)
        for (int x = 0; x < 5 * Small_Cell; ++x) {
            ASSERT_EQ(shot.At(10 + x, 10 + y), shot.At(10 + x, 20 + y));
            lit += shot.At(10 + x, 10 + y) == 96;
        }
    EXPECT_GT(lit, 40);
    Font_Release(&f);
}

}  // namespace

// --- the real program ------------------------------------------------------------------------

namespace {

const char* const Default_Player = "ученик Иисуса ...";

class Bible_Run_Test : public Ui_Test {
  protected:
    void SetUp() override {
        Ui_Test::SetUp();
        dir.Remove("HScripts");
        dir.Link_Bundled_Data(false);
        for (const char* book : {"Avdey", "Iuda"})
            dir.Write(
                std::string("HScripts/") + book + ".txt",
                Read_File(std::string(VELTRAN_SOURCE_DIR) + "/data/HScripts/" + book + ".txt"));
    }
    static std::string Read_File(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    // A game of the built-in player, which looks at the whole Bible (with a
    // screenshot) from every book list: the screenshots it took, in order.
    std::vector<Shot> Play_A_Game(int seed) {
        Program_Run run =
            Run_Program(dir, "wait 86400000\n",
                        {"VELTRAN_AUTOPLAY=bible", "VELTRAN_SEED=" + std::to_string(seed)});
        EXPECT_EQ(run.status, 0) << run.err;
        log = run.report;
        std::vector<Shot> shots;
        for (int n = 1; dir.Exists(Shot_Name(n)); ++n) {
            shots.push_back(Shot_Read(dir.Read(Shot_Name(n))));
            dir.Remove(Shot_Name(n));
        }
        return shots;
    }
    static std::string Shot_Name(int n) {
        char name[64];
        std::snprintf(name, sizeof name, "images/screen_shot/screen_shot_%03d.bmp", n);
        return name;
    }
    Reading_Record Record_Of(const char* player) {
        Reading_Record r;
        std::string why;
        EXPECT_EQ(Reading_File_Read(dir.path() + "/" + Reading_Path(player), &r, &why),
                  Reading_Read_Result::Ok)
            << why;
        return r;
    }
    Scratch_Dir dir;
    std::string log;
};

// Whether the picture in the shot shows the chapters in these colours, and the totals.
::testing::AssertionResult Shows(const Shot& shot, const Bible_Map& map,
                                 std::initializer_list<std::pair<int, uint8_t>> books,
                                 const char* totals) {
    if (shot.width != 640) return ::testing::AssertionFailure() << "no shot";
    for (const auto& [book, colour] : books) {
        const Rect c = map.Cell(book, 1);
        if (shot.At(c.left, c.top + 2) != colour)
            return ::testing::AssertionFailure()
                   << "book " << book << " has colour " << int{shot.At(c.left, c.top + 2)};
    }
    if (!Shot_Find_Text(shot, totals, Font_8x16, 3))
        return ::testing::AssertionFailure() << "no totals " << totals;
    return ::testing::AssertionSuccess();
}

TEST_F(Bible_Run_Test, TwoGamesOfOnePlayerShowTheirChaptersInTheCellsAndTotals) {
    const Bible_Map map(Reading_Record{}, Bible_Map_Game{});
    const uint8_t unread = Bible_Map::Unread, read = Bible_Map::Read, here = Bible_Map::Read_Here;
    // The first game: the list before Obadiah, then the one before Jude.
    std::vector<Shot> shots = Play_A_Game(1);
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_TRUE(Shows(shots[0], map, {{31, unread}, {51, unread}},
                      "Глав: 0/1189  Стихов: 0/31178  Книг: 0/66  Дней: 0"));
    EXPECT_TRUE(Shows(shots[1], map, {{31, here}, {51, unread}},
                      "Глав: 1/1189  Стихов: 21/31178  Книг: 1/66  Дней: 1"));
    // The second game reads them again: what the first read, then its own.
    shots = Play_A_Game(2);
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_TRUE(Shows(shots[0], map, {{31, read}, {51, read}},
                      "Глав: 2/1189  Стихов: 46/31178  Книг: 2/66  Дней: 1"));
    EXPECT_TRUE(Shows(shots[1], map, {{31, here}, {51, read}},
                      "Глав: 2/1189  Стихов: 46/31178  Книг: 2/66  Дней: 1"));
    const Reading_Record r = Record_Of(Default_Player);
    ASSERT_EQ(r.done.size(), 4u);
    EXPECT_EQ(r.done[0].game, r.done[1].game);
    EXPECT_NE(r.done[1].game, r.done[2].game);
}

TEST_F(Bible_Run_Test, ADamagedRecordIsPutAsideAndTheNextChapterRecorded) {
    const std::string path = Reading_Path(Default_Player);
    dir.Write(path, std::string("VRRD") + std::string(30, '\x01'));
    Play_A_Game(3);
    EXPECT_EQ(dir.Read(path + ".damaged"), std::string("VRRD") + std::string(30, '\x01'));
    EXPECT_NE(log.find("Файл прочитанного " + path + " поврежден"), std::string::npos);
    EXPECT_EQ(Record_Of(Default_Player).done.size(), 2u);
}

TEST_F(Bible_Run_Test, ARecordThatCannotBeWrittenIsToldAndTriedAgainLater) {
    // Something in the way of the new file: every write of the record fails.
    const std::string path = Reading_Path(Default_Player);
    std::filesystem::create_directories(dir.path() + "/" + path + ".new/x");
    Play_A_Game(5);
    // Once for each chapter; the reason is the system's (a folder in the way is no
    // permission on Windows).
    EXPECT_EQ(Log_Count(log, "\n ПРОЧИТАННОЕ НЕ ЗАПИСАНО: "), 2u);
    EXPECT_EQ(Log_Count(log, " (игрок " + std::string(Default_Player) + ")"), 2u);
    EXPECT_FALSE(dir.Exists(path));
    std::filesystem::remove_all(dir.path() + "/" + path + ".new");
    Play_A_Game(6);
    EXPECT_EQ(Record_Of(Default_Player).done.size(), 2u);
}

TEST_F(Bible_Run_Test, AnOldSaveCountsItsCompletedChaptersOnceHoweverOftenContinued) {
    // A game saved before games had ids: Obadiah read twice in it, a third session on.
    Slot_Data d;
    d.header.magic = Slot_Magic;
    d.header.slot = 2;
    d.header.in_use = 1;
    std::strcpy(d.header.name, "Фома");
    d.header.book = 31;
    std::strcpy(d.progress.Player_Name, "Фома");
    d.progress.Book_Index = 31;
    std::strcpy(d.progress.Book_Title, "Авдий");
    d.progress.Chapter = d.progress.Verse = d.progress.Letters = 1;
    d.progress.Session_Number = 3;
    for (Stone_Cell& c : d.cells) c.frame_step = 1;
    d.records = {Completed(1, 31, 1), Completed(2, 31, 1)};
    std::filesystem::create_directories(dir.path() + "/SAVE");
    ASSERT_TRUE(Slot_File_Write(dir.path() + "/SAVE/slot2", d));
    // ПРОДОЛЖИТЬ, the second slot, a moment of play, and the program closed.
    const std::string go_on = "wait 300\nclick 320 264\nwait 800\nclick 320 100\nwait 1500\nquit\n";
    for (int run = 0; run < 2; ++run) {
        const Program_Run r = Run_Program(dir, go_on, {"VELTRAN_SEED=4"});
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_NE(r.report.find("Чтение книги: HScripts/Avdey.txt"), std::string::npos);
    }
    const Reading_Record r = Record_Of("Фома");
    ASSERT_EQ(r.done.size(), 2u);
    EXPECT_EQ(r.done[0].game, Reading_Saved_Game_Id(d.progress, d.records));
    EXPECT_EQ(r.done[1].session, 2);
}

}  // namespace
