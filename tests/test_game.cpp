// The game's pieces in-process, on a laid-out game screen with a book of the
// tests' own: letters into verses, the verse reader, the running line, session
// results and their accounting, popups, durations, a book that cannot be loaded.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "audio/music.h"
#include "game/board.h"
#include "game/books.h"
#include "game/play.h"
#include "game/saving.h"
#include "game/screens/board_draw.h"
#include "game/screens/book_choice.h"
#include "game/screens/game_loop.h"
#include "game/screens/game_screen.h"
#include "game/screens/play_screens.h"
#include "game/screens/reading.h"
#include "game/screens/session_results.h"
#include "records/screens/session_diary.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "scripture/screens/verse_reader.h"
#include "ui/text_lines.h"
#include "program_runner.h"
#include "shot_text.h"
#include "ui_fixture.h"

namespace {

// A verse line of exactly n letters, its number included.
std::string Line_Of(int verse, int n) {
    std::string line = std::to_string(verse) + " ";
    while (static_cast<int>(line.size()) < n) line += line.size() % 7 == 6 ? ' ' : 'б';
    return line;
}

class Game_Test : public Ui_Test {
  protected:
    void SetUp() override {
        Ui_Test::SetUp();
        Game_Layout(&game);
        Play_Screens_Attach();
    }
    void TearDown() override {
        Game_Close(&game);
        Ui_Test::TearDown();
    }
    // Writes the book (chapters of verse lines) as Руфь and loads it into the game.
    void Load(const std::vector<std::vector<std::string>>& chapters) {
        std::string text = "Книга Руфь\r\nРуфь\r\n";
        for (size_t c = 0; c < chapters.size(); ++c) {
            text += "Глава " + std::to_string(c + 1) + "\r\n";
            for (const std::string& v : chapters[c]) text += v + "\r\n";
        }
        cwd.Write("HScripts/Ruf.txt", text);
        game.Progress.Book_Index = 8;
        ASSERT_EQ(Load_Game_Book(&game), 1);
        Game_Progress& g = game.Progress;
        g.Chapter = g.Verse = g.Letters = 1;
        g.Chapters_Back = 5;
    }
    Game_State game;
};

// --- the running line ----------------------------------------------------------------

TEST_F(Game_Test, TheRunningLineRepeatsFiveChaptersBeforeTheCurrentOne) {
    std::vector<std::vector<std::string>> chapters;
    for (int c = 1; c <= 10; ++c) chapters.push_back({"1 a" + std::to_string(c), "2 b"});
    Load(chapters);
    Game_Progress& g = game.Progress;
    Verse_List_Refresh(&game);
    EXPECT_STREQ(game.Screen->Verse_Line->Text(), "Руфь  ");  // nothing opened yet
    g.Chapter = 2;
    Verse_List_Refresh(&game);
    EXPECT_STREQ(game.Screen->Verse_Line->Text(), "Руфь  <Глава 1>  1:1 a1  1:2 b  <Глава 2>  ");
    g.Chapter = 9;
    g.Verse = 2;
    Verse_List_Refresh(&game);
    std::string want = "Руфь  ";
    for (int c = 4; c <= 8; ++c)
        want += "<Глава " + std::to_string(c) + ">  " + std::to_string(c) + ":1 a" +
                std::to_string(c) + "  " + std::to_string(c) + ":2 b  ";
    want += "<Глава 9>  9:1 a9  ";
    EXPECT_EQ(game.Screen->Verse_Line->Text(), want);
}

// --- the verse reader ----------------------------------------------------------------

TEST_F(Game_Test, TheReaderWrapsAtThirtyLettersAndKeepsItsBoxOnTheScreen) {
    const std::string verse = "12 Словослово " + std::string(35, 'ж') + " конец";
    Verse_Reader r(3, 12, verse.c_str(), "Руфь");
    ASSERT_EQ(r.ready, 1);
    const std::vector<std::string> want = {"Руфь",
                                           "Глава 3, стих 12, букв 55",
                                           " ",
                                           "12 Словослово ",      // the break keeps its blank
                                           std::string(30, 'ж'),  // a longer word is cut hard
                                           std::string(5, 'ж') + " конец"};
    EXPECT_EQ(r.lines, want);
    EXPECT_EQ(r.min_time, 50u * 55);
    EXPECT_EQ(r.Page_Count(), 1);
    EXPECT_EQ(r.panel->right - r.panel->left, 16 * 30 + 60);
    EXPECT_EQ(r.panel->bottom - r.panel->top, 16 * 6 + 90);
}

TEST_F(Game_Test, AVerseLongerThanTheBoxPagesThroughEveryLetterWithinItsReadingTime) {
    // 2 Паралипоменон 36:24 is 1,898 letters: far more than one box holds.
    std::string longest = "24 ";
    while (longest.size() < 1898) longest += longest.size() % 9 == 8 ? ' ' : 'ж';
    Verse_Reader big(2, 24, longest.c_str(), "2 Паралипоменон");
    EXPECT_LE(big.panel->bottom - big.panel->top, 480);
    EXPECT_GE(big.panel->top, 0);
    EXPECT_EQ(big.min_time, 50u * 1898);
    const int pages = big.Page_Count();
    ASSERT_GT(pages, 1);
    // Every letter is on some page, in order.
    std::string joined;
    for (size_t i = static_cast<size_t>(big.head_lines); i < big.lines.size(); ++i)
        joined += big.lines[i];
    EXPECT_EQ(joined, longest);
    EXPECT_LE(static_cast<int>(big.lines.size()) - big.head_lines, pages * big.Page_Lines());
    // The pages turn by themselves, each after the reading time of the one before,
    // and the last is shown before the reading time is over.
    EXPECT_EQ(big.Page_Shown(), 0);
    int seen = 0;
    for (uint32_t t = 0; t < big.min_time; t += 100) {
        seen = std::max(seen, big.Page_Shown());
        Plat_Clock_Advance(100);
    }
    EXPECT_EQ(seen, pages - 1);
    // The page is drawn: its first line stands under the head, not the verse's first.
    Surface_Fill(Back_Buffer, nullptr, 0);
    big.Draw(Back_Buffer);
    const size_t first_of_last =
        static_cast<size_t>(big.head_lines + (pages - 1) * big.Page_Lines());
    EXPECT_TRUE(Shot_Find_Text(Shot_Of_Surface(Back_Buffer), big.lines[first_of_last].c_str(),
                               big.font, 6));
}

// Until its reading time is over the reader shows a countdown where OK will be and
// takes no key or click.
TEST_F(Game_Test, TheReaderCountsDownAndIgnoresKeysAndClicksUntilItsReadingTimeIsOver) {
    const std::string verse = Line_Of(1, 37);
    Verse_Reader r(1, 1, verse.c_str(), "Руфь");
    const uint32_t start = r.start_time;
    auto ok_pixels = [&] {
        Surface_Fill(Back_Buffer, nullptr, 0);
        r.Draw(Back_Buffer);
        int n = 0;
        for (int y = r.ok->top; y < r.ok->bottom; ++y)
            for (int x = r.ok->left; x < r.ok->right; ++x)
                n += Back_Buffer->pixels[y * Back_Buffer->pitch + x] ==
                     r.ok->image_up.surface
                         ->pixels[(y - r.ok->top) * r.ok->image_up.surface->pitch + x - r.ok->left];
        return n;
    };
    const int during = ok_pixels();
    const int ok_x = (r.ok->left + r.ok->right) / 2, ok_y = (r.ok->top + r.ok->bottom) / 2;
    std::vector<Script_Command> commands;
    std::string why;
    ASSERT_TRUE(Script_Parse("wait 100\nkey RETURN\nwait 900\nclick " + std::to_string(ok_x) + " " +
                                 std::to_string(ok_y) +
                                 "\nwait 500\nkey SPACE\nwait 400\nkey ESCAPE\nwait 5000\n",
                             &commands, &why))
        << why;
    Script_Start(commands);
    r.Run();
    // Escape at 2050 ms is the first key after the 1850 ms; OK acts 300 ms later.
    const uint32_t took = Plat_Tick() - start;
    EXPECT_GE(took, 2350u);
    EXPECT_LE(took, 2400u);
    EXPECT_LE(r.Time_Left(), 0);
    EXPECT_EQ(ok_pixels(), (r.ok->right - r.ok->left) * (r.ok->bottom - r.ok->top));
    EXPECT_LT(during, ok_pixels() / 2);
}

// --- session results ------------------------------------------------------------------

TEST_F(Game_Test, TheResultsBoxSaysEveryFigureAndThePenaltyCharged) {
    Load({{Line_Of(1, 60), Line_Of(2, 40)}, {Line_Of(1, 5)}, {Line_Of(1, 5)}});
    Exit_Requested = 1;
    Game_Progress& g = game.Progress;
    g.Session_Number = 3;
    g.Ses_Letters = 30;
    g.Ses_Verses = 1;
    g.Ses_Points = 120;
    g.Ses_Blocks = 17;
    g.Ses_Rows = 4;
    g.Ses_Start = Plat_Time() - 125;
    g.Store_Points = 500;
    g.Session_End = Session_Failed;
    Session_Results(&game);
    ASSERT_EQ(game.Sessions.size(), 1u);
    const Session_Record& r = game.Sessions[0];
    EXPECT_EQ(+g.Store_Points, 500 - r.penalty);
    const std::vector<std::string> failed = {"Результаты сессии 3: (30%)",
                                             "Книга: Руфь, Глава 1/3",
                                             "Открыто стихов: 1/2",
                                             "Набрано баллов: 120",
                                             "Выложено блоков: 17",
                                             "Собрано рядов: 4",
                                             "Затрачено времени: 2 мин 5 сек",
                                             "Сессия не выполнена.",
                                             "В хранилище ничего не добавлено.",
                                             "Штраф: " + std::to_string(r.penalty) + " баллов.",
                                             "Открытые за сессию стихи закрываются."};
    EXPECT_EQ(Session_Results_Lines(g, 3, r), failed);
    Session_Record good = r;
    good.success = 1;
    good.letters_opened = 100;
    const std::vector<std::string> tail = {"Сессия успешно выполнена.",
                                           "Результаты добавлены в хранилище."};
    const std::vector<std::string> lines = Session_Results_Lines(g, 3, good);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Результаты сессии 3: (100%)");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 7, lines.end()), tail);
}

TEST_F(Game_Test, APanelBehindACompletedChapterShowsItAsItEnded) {
    Load({{Line_Of(1, 10), Line_Of(2, 12)}});
    Game_Progress& g = game.Progress;
    g.Verse = 3;  // one past the last: the chapter was completed
    g.Letters = 3;
    Game_Frame(&game, 0);
    const Shot shot = Shot_Of_Surface(Back_Buffer);
    int x = 0, y = 0;
    EXPECT_TRUE(Shot_Find_Text(shot, " Стих: 2/2", Font_8x16, 96, &x, &y));
    EXPECT_TRUE(Shot_Find_Text(shot, " Букв:  12/12", Font_8x16, 96));
    EXPECT_FALSE(Shot_Find_Text(shot, " Стих: 3/2", Font_8x16, 96));
}

TEST(Session_Figures, DurationsAreWordedAtEveryBoundary) {
    const std::vector<std::pair<int32_t, std::string>> cases = {
        {59, "59 сек"},
        {60, "1 мин 0 сек"},
        {61, "1 мин 1 сек"},
        {3599, "59 мин 59 сек"},
        {3600, "1 час 0 мин"},
        {3661, "1 час 1 мин"},
        {86400, "1 дн 0 час"},
        {2678400, "1 мес 0 дн"},
        {31536000, "1 лет 0 мес"},
        {31536000 + 2678400 * 2 + 5, "1 лет 2 мес"},
    };
    for (const auto& [seconds, text] : cases) {
        char out[64];
        Duration_Text(seconds, out, sizeof out);
        EXPECT_EQ(out, text) << seconds;
    }
}

// --- popups and closing ------------------------------------------------------------------

TEST_F(Game_Test, TheBoardsPicturesPopupsAndShimmerMoveAsTheyShould) {
    Board_View& v = game.Screen->Board;
    Build_Area* a = game.Area.get();
    const int n = v.Backgrounds.count;
    ASSERT_GE(n, 2);
    // ФОН walks every picture once and wraps to the first.
    v.Background_Index = 0;
    std::set<int> seen;
    for (int i = 0; i < n; ++i) {
        Board_Next_Background(&v);
        seen.insert(v.Background_Index);
    }
    EXPECT_EQ(static_cast<int>(seen.size()), n);
    EXPECT_EQ(v.Background_Index, 0);
    // A new session's picture is never the one before.
    for (int i = 0; i < 40; ++i) {
        const int before = v.Background_Index;
        Board_New_Look(&v);
        EXPECT_NE(v.Background_Index, before);
    }
    // The points the board earns rise as numbers, ten at most at a time.
    for (int i = 0; i < 12; ++i) v.Points(10 * i, 300, i, 1);
    EXPECT_EQ(v.Popups.size(), static_cast<size_t>(Max_Popups));
    Board_New_Look(&v);
    EXPECT_TRUE(v.Popups.empty());
    // A popup rises a pixel every 100 ms and is gone after its life.
    v.Points(100, 200, 7, 1);
    const Score_Popup* p = v.Popups[0].get();
    const int life = p->life;
    EXPECT_GE(life, 10);
    EXPECT_LE(life, 29);
    for (int step = 0; step < life; ++step) {
        EXPECT_EQ(p->y, 200 - step);
        Plat_Clock_Advance(101);
        Popups_Step(&v, Plat_Tick());
        ASSERT_EQ(v.Popups.size(), 1u);
    }
    Plat_Clock_Advance(101);
    Popups_Step(&v, Plat_Tick());
    EXPECT_TRUE(v.Popups.empty());
    // A collected row shimmers through its frames; settled stones stay on frame 0.
    Area_Reset(a);
    for (int c = 1; c <= a->Width; ++c) Area_Cell(a, c, 11).kind = Area_Cell(a, c, 10).kind = 3;
    Area_Cell(a, 1, 10).kind = 0;
    Row_Collect(a, 11);
    std::set<int> frames;
    for (int i = 0; i < 8; ++i) {
        Plat_Clock_Advance(120);
        Game_Frame(&game, 0);
        frames.insert(Area_Cell(a, 5, 11).frame);
        EXPECT_EQ(Area_Cell(a, 5, 10).frame, 0);
    }
    EXPECT_GE(frames.size(), 4u);
}

// Drawing draws: the picture leaves the game as it was, and the frames behind a
// box (a failed save's notice, say) leave a collected row on the board even when
// its second is up; the next tick of play takes it away.
TEST_F(Game_Test, DrawingTheGameChangesNothingAndOnlyTheTickTakesRowsAway) {
    Load({{Line_Of(1, 30)}});
    Build_Area* a = game.Area.get();
    for (int c = 1; c <= a->Width; ++c) Area_Cell(a, c, 11).kind = 4;
    Row_Collect(a, 11);
    Block_Spawn(&a->Current, 6);
    game.Screen->Board.Points(50, 60, 9, 2);
    std::vector<Stone_Cell> cells(a->Cells, a->Cells + Cell_Rows * Cell_Cols);
    const Block block = a->Current;
    const int popup_y = game.Screen->Board.Popups[0]->y;
    Game_Draw_Picture(game);
    Game_Draw_Picture(game);
    EXPECT_EQ(std::memcmp(cells.data(), a->Cells, sizeof a->Cells), 0);
    EXPECT_EQ(std::memcmp(&block, &a->Current, sizeof block), 0);
    EXPECT_EQ(game.Screen->Board.Popups[0]->y, popup_y);
    Plat_Clock_Advance(1500);
    Game_Draw_Behind_Box(&game);
    EXPECT_EQ(a->Collect_Count, 1);
    EXPECT_EQ(Area_Cell(a, 3, 11).kind, 4);
    Rows_Leave(a, Plat_Tick());
    EXPECT_EQ(a->Collect_Count, 0);
    EXPECT_EQ(Area_Cell(a, 3, 11).kind, 0);
}

TEST_F(Game_Test, PopupDigitsGrowWithTheirKindAndCycleEightShadesOfTwoColours) {
    const auto one = Popup_Create(10, 10, 7, 1);
    const auto row = Popup_Create(10, 10, 123, 2);
    const auto rows = Popup_Create(10, 10, 45, 3);
    EXPECT_EQ(one->frames[0].width, 8);
    EXPECT_EQ(one->frames[0].height, 8);
    EXPECT_EQ(row->frames[0].width, 48);
    EXPECT_EQ(row->frames[0].height, 16);
    EXPECT_EQ(rows->frames[7].width, 48);
    EXPECT_EQ(rows->frames[7].height, 24);
    EXPECT_GE(one->life, 10);
    EXPECT_LE(one->life, 29);
    auto colours = [](const Sprite& s) {
        std::set<int> c;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) {
                const int p = s.surface->pixels[y * s.surface->pitch + x];
                if (p != 0 && p != 7) c.insert(p);
            }
        return c;
    };
    const std::set<int> first = colours(row->frames[0]);
    ASSERT_EQ(first.size(), 2u);
    for (int f = 1; f < 8; ++f) {
        std::set<int> shifted;
        for (int c : first) shifted.insert(c + f);
        EXPECT_EQ(colours(row->frames[f]), shifted) << "frame " << f;
    }
}

TEST_F(Game_Test, ABookThatCannotBeLoadedIsNotOfferedAgain) {
    cwd.Write("HScripts/Ruf.txt", "Руфь\r\nРуфь\r\nГлава 1\r\n2 не тот стих\r\n");
    HS_Available[7] = 1;
    game.Progress.Book_Index = 8;
    EXPECT_EQ(Load_Game_Book(&game), 0);
    EXPECT_EQ(game.Open_Book, nullptr);
    EXPECT_EQ(HS_Available[7], 0);
    HS_Available[7] = 1;
}

}  // namespace
