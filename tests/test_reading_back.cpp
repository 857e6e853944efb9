// Reading back and the diary: СВЯЩЕННАЯ КНИГА before and after chapters and books
// are finished, and СТАТИСТИКА with its rows, colours, sorting (kept in the saved
// game) and scrolling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bytes.h"
#include "graphics/display.h"
#include "program_runner.h"
#include "records/screens/session_diary.h"
#include "shot_text.h"
#include "ui_fixture.h"

namespace {

// A verse of 300 letters, its number included: blocks only dropped never open it.
std::string Long_Verse() {
    std::string t;
    while (t.size() < 298) t += t.size() % 6 == 3 ? ' ' : 'а';
    return t;
}

// New game, the first book, then Space every 1.5 s for `rounds` rounds: blocks
// dropped fast in the game, boxes and viewers closed.
std::string Play_Rounds(int rounds) {
    std::string s = "wait 300\nclick 320 210\nmove 5 470\nwait 600\nkey ESCAPE\nwait 300\n";
    for (int i = 0; i < rounds; ++i) s += "key SPACE\nwait 1500\n";
    return s;
}

class Reading_Back_Test : public Ui_Test {
  protected:
    void SetUp() override {
        Ui_Test::SetUp();
        dir.Remove("HScripts");
        dir.Link_Bundled_Data(false);
    }
    Program_Run Play(const std::string& script) {
        return Run_Program(dir, script, {"VELTRAN_SEED=5"});
    }
    bool Shows(const std::string& shot, const char* text, const Font& font, int c) {
        return Shot_Find_Text(Shot_Read(dir.Read(shot)), text, font, c);
    }
    Scratch_Dir dir;
};

TEST_F(Reading_Back_Test, InTheFirstBookTheViewerShowsTheFinishedChaptersOnly) {
    dir.Write("HScripts/Ruf.txt", Book_File("Книга Руфь", {{""}, {""}, {Long_Verse()}}));
    // The right arrow of the viewer, clicked for less than its repeat delay.
    const std::string right = "click 245 429\nwait 400\n";
    Program_Run run = Play(Play_Rounds(10) + "click 549 373\nmove 5 470\nwait 800\nshot v1.bmp\n" +
                           right + "shot v2.bmp\n" + right + "shot v3.bmp\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_NE(run.report.find("\n Session Finish", run.report.find("\n Session Finish") + 1),
              std::string::npos);  // two chapters were finished
    EXPECT_TRUE(Shows("v1.bmp", "Глава  001", Font_16x16, 55));
    EXPECT_TRUE(Shows("v2.bmp", "Глава  002", Font_16x16, 55));
    EXPECT_TRUE(
        Shows("v3.bmp", "Глава  002", Font_16x16, 55));  // the current chapter is not read yet
}

TEST_F(Reading_Back_Test, AfterABookTheListOffersTheFinishedBooksAndTheCurrentOne) {
    dir.Write("HScripts/Ruf.txt", Book_File("Книга Руфь", {{""}}));
    dir.Write("HScripts/Iona.txt", Book_File("Книга пророка Ионы", {{Long_Verse()}}));
    // Руфь is book 8: the first column, row 7 of the list.
    Program_Run run = Play(Play_Rounds(6) + "key ESCAPE\nwait 1000\n" +
                           "click 549 373\nmove 600 5\nwait 800\nshot list.bmp\n"
                           "click 30 198\nmove 5 470\nwait 800\nshot viewer.bmp\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_NE(run.report.find("\n Чтение книги: HScripts/Iona.txt"), std::string::npos);
    EXPECT_TRUE(Shows("list.bmp", "Руфь", Font_8x16, 56));   // finished: offered
    EXPECT_TRUE(Shows("list.bmp", "Иона", Font_8x16, 56));   // current: offered
    EXPECT_TRUE(Shows("list.bmp", "Бытие", Font_8x16, 69));  // neither: not
    EXPECT_TRUE(Shows("list.bmp", "Отмена", Font_8x16, 2));
    EXPECT_NE(run.report.find("\n Выбрана книга для чтения: HScripts/Ruf.txt"), std::string::npos);
    EXPECT_TRUE(Shows("viewer.bmp", "Книга Руфь", Font_8x16, 32));
    EXPECT_TRUE(Shows("viewer.bmp", "Глава  001", Font_16x16, 55));
}

TEST_F(Reading_Back_Test, TheDiaryListsSessionsInTheirColoursAndItsSortingIsSaved) {
    dir.Write("HScripts/Ruf.txt", Book_File("Книга Руфь", {{""}, {""}, {""}, {Long_Verse()}}));
    // Three chapters read and the fourth failed once (the rounds end as the next
    // session begins, its blocks falling slowly from then on); then СТАТИСТИКА, БАЛЛ,
    // OK, СОХРАНИТЬ into slot 1; СТАТИСТИКА, НОМЕР, OK, into slot 2.
    const std::string save_in = "click 519 430\nwait 800\nclick 320 ";
    Program_Run run =
        Play(Play_Rounds(21) + "click 523 455\nmove 5 470\nwait 800\nshot diary.bmp\n" +
             "click 217 451\nwait 600\nkey RETURN\nwait 600\n" + save_in + "68\nwait 800\n" +
             "click 523 455\nwait 800\nclick 155 451\nwait 600\n" + "key RETURN\nwait 600\n" +
             save_in + "98\nwait 800\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shows("diary.bmp", "Дневник сессий", Font_8x16, 3));
    EXPECT_TRUE(Shows("diary.bmp", " Good ", Font_8x16, 3));  // completed sessions in one colour
    EXPECT_TRUE(Shows("diary.bmp", " Fail ", Font_8x16, 2));  // failed ones in the other
    const std::string by_points = dir.Read("SAVE/slot1"), by_number = dir.Read("SAVE/slot2");
    ASSERT_GE(by_points.size(), 14790u + 4 * 52);
    ASSERT_EQ(by_points.size(), by_number.size());
    const int n = static_cast<int>(Get_Le32(&by_points[14786]));
    EXPECT_GE(n, 4);
    for (int i = 1; i < n; ++i) {
        const char* a = &by_points[14790 + 52 * (i - 1)];
        const char* b = &by_points[14790 + 52 * i];
        EXPECT_LE(static_cast<int32_t>(Get_Le32(a + 28)), static_cast<int32_t>(Get_Le32(b + 28)));
        EXPECT_EQ(static_cast<int32_t>(Get_Le32(&by_number[14790 + 52 * i + 24])), i + 1);
    }
}

// --- in-process: rows, sorting, pages -----------------------------------------------------

Session_Record Record(int number, int points, int success, int duration = 65) {
    Session_Record r{};
    r.book = 66;
    r.chapter = 3;
    r.verses_opened = 2;
    r.verses_total = 20;
    r.session_number = number;
    r.points = points;
    r.blocks = 7;
    r.rows = 1;
    r.success = success;
    r.penalty = success ? 0 : 44;
    r.duration = duration;
    return r;
}

TEST(Diary_Rows, ARowHoldsTheFiguresInTheirColumns) {
    EXPECT_STREQ(Session_Header_Text,
                 "Номр Книга Глава Стихов* Баллов Блоков Рядов Выплн Штраф Длительность");
    char row[80];
    Session_Row_Text(Record(12, 345, 0), row, sizeof row);
    EXPECT_STREQ(row, "  12  Откр     3   2/ 20    345      7     1  Fail    44 1 мин 5 сек");
}

TEST(Diary_Rows, SortingIsStableAndByNumberRestoresTheSessions) {
    Session_List list;
    const int points[6] = {50, 20, 50, 10, 20, 50};
    for (int i = 0; i < 6; ++i) list.push_back(Record(i + 1, points[i], i % 2));
    auto order = [&list] {
        std::vector<int> numbers;
        for (const Session_Record& r : list) numbers.push_back(r.session_number);
        return numbers;
    };
    Session_List_Sort(&list, Sort_Points);
    EXPECT_EQ(order(), (std::vector<int>{4, 2, 5, 1, 3, 6}));  // equal points keep their order
    Session_List_Sort(&list, Sort_Points);
    EXPECT_EQ(order(), (std::vector<int>{4, 2, 5, 1, 3, 6}));  // twice: the same
    Session_List_Sort(&list, Sort_Number);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

class Diary_Test : public Ui_Test {
  protected:
    Shot Back_Buffer_Shot() {
        Shot s;
        s.width = 640;
        s.height = 480;
        s.pixels.resize(640 * 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                s.pixels[y * 640 + x] = Back_Buffer->pixels[y * Back_Buffer->pitch + x];
        return s;
    }
};

TEST_F(Diary_Test, PagesScrollButNeverShowRowsPastTheRecords) {
    Session_List list;
    for (int i = 1; i <= 25; ++i) list.push_back(Record(i, i * 10, 1));
    Session_Diary diary(&list);
    ASSERT_EQ(diary.ready, 1);
    EXPECT_EQ(diary.rows_per_page, 19);
    EXPECT_EQ(diary.scroll->maximum, 25);
    auto shows_row = [&](int n) {
        char row[80];
        Session_Row_Text(list[n - 1], row, sizeof row);
        return Shot_Find_Text(Back_Buffer_Shot(), row, Font_8x16, 3);
    };
    diary.Draw(Back_Buffer);
    EXPECT_TRUE(shows_row(1));
    EXPECT_TRUE(shows_row(18));  // a page shows one row less than its rules
    EXPECT_FALSE(shows_row(19));
    diary.first_row = 20;
    diary.Draw(Back_Buffer);
    EXPECT_FALSE(shows_row(20));
    EXPECT_TRUE(shows_row(21));
    EXPECT_TRUE(shows_row(25));
    diary.first_row = 25;  // the scroll bar at its end: an empty page
    diary.Draw(Back_Buffer);
    for (int n = 1; n <= 25; ++n) EXPECT_FALSE(shows_row(n)) << n;
}

TEST_F(Diary_Test, AShortListAlwaysStartsAtItsFirstRow) {
    Session_List list;
    for (int i = 1; i <= 3; ++i) list.push_back(Record(i, 5, i != 2));
    Session_Diary diary(&list);
    std::vector<Script_Command> c;
    std::string why;
    // The scroll bar dragged to its bottom, then Escape.
    ASSERT_TRUE(
        Script_Parse("move 612 410\ndown LBUTTON\nwait 200\nup LBUTTON\nkey ESCAPE\n"
                     "wait 2000\n",
                     &c, &why));
    Script_Start(c);
    diary.Run();
    EXPECT_GT(diary.scroll->position, 0);
    EXPECT_EQ(diary.first_row, 0);
}

}  // namespace
