// The rules of play on their own, without a screen: letters into verses, landings,
// a save in any tick around a landing, the end of a session and the next chapter.
#include <gtest/gtest.h>

#include "shared_state.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell_input.h"
#include "game/board.h"
#include "game/play.h"
#include "game/saving.h"
#include "records/screens/session_diary.h"
#include "scratch_cwd.h"
#include "scripture/hs_book.h"

namespace {

// A verse line of exactly n letters, its number included.
std::string Line_Of(int verse, int n) {
    std::string line = std::to_string(verse) + " ";
    while (static_cast<int>(line.size()) < n) line += line.size() % 7 == 6 ? ' ' : 'б';
    return line;
}

// Verses watched as the screens watch them.
std::vector<int> Shown;
const Play_Hooks Watch = {nullptr, nullptr,
                          [](Game_State* s) { Shown.push_back(+s->Progress.Verse); }, nullptr};

class Play_Test : public Shared_State_Test {
  protected:
    void SetUp() override {
        Reset_Shared_State();
        std::filesystem::create_directories("SAVE");
        Di_Keyboard = true;
        Shown.clear();
        Play_Attach(&Watch);
    }
    void TearDown() override {
        Play_Attach(nullptr);
        Shared_State_Test::TearDown();
    }
    // A game on a book of these chapters (verse lines), at its first verse.
    void Start(Game_State* s, const std::vector<std::vector<std::string>>& chapters) {
        std::string text = "Книга Руфь\r\nРуфь\r\n";
        for (size_t c = 0; c < chapters.size(); ++c) {
            text += "Глава " + std::to_string(c + 1) + "\r\n";
            for (const std::string& v : chapters[c]) text += v + "\r\n";
        }
        cwd.Write("HScripts/Ruf.txt", text);
        Game_Prepare(s);
        s->Open_Book = std::make_unique<HS_Book>();
        ASSERT_EQ(HS_Book_Load(s->Open_Book.get(), "HScripts/Ruf.txt"), 1);
        Game_Progress& g = s->Progress;
        g.Book_Index = 8;
        g.Chapter = g.Verse = g.Letters = 1;
        g.Chapters_Back = 5;
    }
    Scratch_Cwd cwd;
    Game_State game, other;
};

TEST_F(Play_Test, LettersOpenEveryVerseTheyReachAndEveryFourPointsMakeALetter) {
    Start(&game, {{Line_Of(1, 20), Line_Of(2, 15), Line_Of(3, 40)}});
    Game_Progress& g = game.Progress;
    g.Letters = 12;
    EXPECT_EQ(Add_Letters(&game, 25), 1);  // 37 - 20 = 17, 17 - 15 = 2
    EXPECT_EQ(Shown, (std::vector<int>{1, 2}));
    EXPECT_EQ(+g.Verse, 3);
    EXPECT_EQ(+g.Letters, 2);
    EXPECT_EQ(+g.Ses_Verses, 2);
    EXPECT_EQ(+g.Ses_Letters, 25);
    EXPECT_EQ(+g.Session_End, 0);
    // A landing of 9 points with a carry of 3 makes 3 letters; exactly the last
    // verse's length opens it, leaves nothing and completes the chapter.
    g.Letters = 37;
    int carry = 3;
    game.Area->Block_Points = 9;
    game.Area->Block_Rows = 1;
    Landing_Settle(&game, &carry);
    EXPECT_EQ(carry, 0);
    EXPECT_EQ(+g.Letters, 0);
    EXPECT_EQ(+g.Ses_Points, 9);
    EXPECT_EQ(+g.Ses_Rows, 1);
    EXPECT_EQ(+g.Ses_Blocks, 1);
    EXPECT_EQ(+g.Session_End, Session_Completed);
    // The same block completing the chapter but resting in the top row: failed.
    g.Session_End = 0;
    g.Verse = 3;
    g.Letters = 39;
    Area_Cell(game.Area.get(), 5, 0).kind = 3;
    game.Area->Block_Points = 4;
    Landing_Settle(&game, &carry);
    EXPECT_EQ(+g.Session_End, Session_Failed);
}

// A save made in any tick holds the game settled: a block that landed in that tick
// brings its points, block, rows, letters, any verse they opened and a top-row
// failure into the slot, exactly as the panel shows them from that tick on.
TEST_F(Play_Test, ASaveInAnyTickAroundALandingHoldsTheLandingWhole) {
    Start(&game, {{"1 Во дни те"}});  // one verse of 11 letters
    Start(&other, {{"1 Во дни те"}});
    enum Scenario { Plain, Row, Verse, Top };
    for (Scenario scenario : {Plain, Row, Verse, Top}) {
        for (bool fast : {false, true}) {
            SCOPED_TRACE(testing::Message() << "scenario " << scenario << (fast ? " fast" : ""));
            Game_Progress& g = game.Progress;
            g.Ses_Points = g.Ses_Blocks = g.Ses_Rows = g.Ses_Letters = g.Ses_Verses = 0;
            g.Verse = 1;
            g.Session_End = 0;
            const int letters = scenario == Verse ? 10 : 0;  // one short of the verse
            g.Letters = letters;
            Build_Area* a = game.Area.get();
            Area_Reset(a);
            // A flat block of four stones over columns 5..8.
            Block_Spawn(&a->Current, 5);
            a->Current.count = 4;
            for (int i = 0; i < 4; ++i) a->Current.Stones[i].dc = i, a->Current.Stones[i].dr = 0;
            a->Current.Y = scenario == Top ? 0 : 9;
            a->Current.Last_Fall = Plat_Tick();
            a->Block_Points = a->Block_Rows = 0;
            a->Drop_Bonus = fast ? 32 : 0;
            for (int c = 1; c <= 12; ++c) {
                if (scenario == Row && (c < 5 || c > 8)) Area_Cell(a, c, 11).kind = 2;
                if (scenario == Top && c >= 5 && c <= 8)
                    for (int r = 1; r <= 11; ++r) Area_Cell(a, c, r).kind = 3;
            }
            int carry = 0, landed_at = -1;
            for (int tick = 0; landed_at < 0 || tick < landed_at + 3; ++tick) {
                ASSERT_LT(tick, 400);
                if (landed_at < 0 && Block_Tick(&game, &carry)) landed_at = tick;
                Plat_Clock_Advance(30);
                // The side buttons act here: save, and continue from the slot.
                ASSERT_EQ(Slot_Save(&game, 1), 1);
                ASSERT_EQ(Slot_Load(&other, 1), 1);
                const Game_Progress& saved = other.Progress;
                const bool landed = landed_at >= 0;
                const bool opens = landed && letters + a->Block_Points / 4 >= 11;
                EXPECT_EQ(std::memcmp(&saved, &g, sizeof g), 0) << "tick " << tick;
                EXPECT_EQ(std::memcmp(other.Area->Cells, a->Cells, sizeof a->Cells), 0);
                EXPECT_EQ(+saved.Ses_Blocks, landed ? 1 : 0) << "tick " << tick;
                EXPECT_EQ(+saved.Ses_Points, landed ? a->Block_Points : 0) << "tick " << tick;
                EXPECT_EQ(+saved.Ses_Rows, landed && scenario == Row ? 1 : 0) << "tick " << tick;
                EXPECT_EQ(+saved.Verse, opens ? 2 : 1) << "tick " << tick;
                EXPECT_EQ(+saved.Session_End, !landed           ? 0
                                              : scenario == Top ? Session_Failed
                                              : opens           ? Session_Completed
                                                                : 0)
                    << "tick " << tick;
            }
            EXPECT_GT(a->Block_Points, 0);
        }
    }
}

// A completed session adds its figures to the storage and the next chapter comes; a
// failed one costs the penalty it reports and the chapter stays. After the last
// chapter the book is done and the last chapter stays current.
TEST_F(Play_Test, ASessionEndsInTheStorageTheDiaryAndTheNextChapter) {
    Start(&game, {{Line_Of(1, 60), Line_Of(2, 40)}, {Line_Of(1, 5)}});
    Game_Progress& g = game.Progress;
    g.Session_Number = 4;
    g.Ses_Points = 120;
    g.Ses_Blocks = 7;
    g.Ses_Rows = 2;
    g.Ses_Letters = 30;
    g.Ses_Verses = 1;
    g.Ses_Start = Plat_Time() - 61;
    g.Store_Points = 10;
    g.Session_End = Session_Failed;
    Plat_Srand(1);  // the first draw is 41: a factor of 41 % 10 + 1 = 2
    Session_Record r = Session_Settle(&game);
    EXPECT_EQ(r.penalty, 2 * 70 * 4 / 5);
    EXPECT_EQ(+g.Store_Points, 10 - r.penalty);
    EXPECT_EQ(+g.Store_Sessions, 0);
    EXPECT_EQ(r.success, 0);
    EXPECT_EQ(r.letters_total, 100);
    EXPECT_EQ(r.duration, 61);
    EXPECT_EQ(r.verses_total, 2);
    Session_Close(&game, r);
    EXPECT_EQ(+g.Session_End, 0);
    g.Session_End = Session_Completed;
    r = Session_Settle(&game);
    EXPECT_EQ(r.penalty, 0);
    EXPECT_EQ(+g.Store_Points, 10 - 112 + 120);
    EXPECT_EQ(+g.Store_Blocks, 7);
    EXPECT_EQ(+g.Store_Rows, 2);
    EXPECT_EQ(+g.Store_Letters, 30);
    EXPECT_EQ(+g.Store_Verses, 1);
    EXPECT_EQ(+g.Store_Sessions, 1);
    Session_Close(&game, r);
    ASSERT_EQ(game.Sessions.size(), 2u);
    EXPECT_EQ(game.Sessions[1].session_number, 4);
    EXPECT_EQ(game.Sessions[1].success, 1);
    EXPECT_EQ(Session_Percent(30, 100), 30);
    EXPECT_EQ(Session_Percent(0, 0), 100);
    EXPECT_EQ(Chapter_Advance(&game), 1);
    EXPECT_EQ(+g.Chapter, 2);
    EXPECT_EQ(Chapter_Advance(&game), 0);
    EXPECT_EQ(+g.Book_Done, 1);
    EXPECT_EQ(+g.Chapter, 2);
}

}  // namespace
