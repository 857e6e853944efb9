// The built-in player: where it puts a block on prepared boards, and whole books it
// plays through the real program, headless, the same way twice for a seed.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "game/autoplay/autoplay.h"
#include "game/board.h"
#include "game/play.h"
#include "game/saving.h"
#include "program_runner.h"
#include "shared_state.h"

namespace {

class Autoplay_Choice_Test : public Shared_State_Test {
  protected:
    void SetUp() override {
        Reset_Shared_State();
        area = Area_Create(32, 16);
    }
    void TearDown() override {
        Area_Destroy(area);
        Shared_State_Test::TearDown();
    }
    // A block of the given offsets, its origin in column 6 above the board as dealt.
    Block Make(std::initializer_list<std::pair<int, int>> offsets) {
        Block b;
        for (auto [dc, dr] : offsets) b.Stones[b.count++] = Block_Stone{dc, dr, 1, 0, 1, 0, 110};
        b.X = 6;
        b.Y = 1;
        b.Fall_Delay = 50;
        return b;
    }
    // Fills a row but for the columns listed.
    void Fill(int row, std::initializer_list<int> gaps = {}) {
        for (int c = 1; c <= Board_Width; ++c) {
            bool gap = false;
            for (int g : gaps) gap = gap || g == c;
            Area_Cell(area, c, row).kind = gap ? 0 : 1;
        }
    }
    // Where the block comes to rest when the plan is carried out.
    std::vector<std::pair<int, int>> Landed(Block b, const Placement& p) {
        if (p.mirror) Block_Mirror(area, &b);
        for (int t = 0; t < p.turns; ++t) Block_Rotate(area, -1, &b);
        b.X = p.x;
        EXPECT_TRUE(Block_Fits(area, &b));
        while (!Block_Landed(area, &b)) b.Y += 1;
        std::vector<std::pair<int, int>> cells;
        for (int i = 0; i < b.count; ++i)
            cells.push_back({b.X + b.Stones[i].dc, b.Y + b.Stones[i].dr});
        return cells;
    }
    // Empty cells with a stone somewhere above them, after the block has landed.
    int Holes_With(const std::vector<std::pair<int, int>>& block) {
        auto filled = [&](int c, int r) {
            for (auto [bc, br] : block)
                if (bc == c && br == r) return true;
            return Area_Cell(area, c, r).kind > 0;
        };
        int holes = 0;
        for (int c = 1; c <= Board_Width; ++c) {
            bool covered = false;
            for (int r = 0; r < Board_Height; ++r) {
                if (filled(c, r))
                    covered = true;
                else if (covered)
                    ++holes;
            }
        }
        return holes;
    }
    Build_Area* area = nullptr;
};

TEST_F(Autoplay_Choice_Test, ItFillsTheGapThatCompletesRows) {
    // Four rows full but for column 9: the long block stood upright goes into it.
    for (int r = 8; r < 12; ++r) Fill(r, {9});
    const Block line = Make({{-1, 0}, {0, 0}, {1, 0}, {2, 0}});
    const Placement p = Autoplay_Choose(area, line);
    ASSERT_TRUE(p.found);
    for (auto [c, r] : Landed(line, p)) {
        EXPECT_EQ(c, 9);
        EXPECT_GE(r, 8);
    }

    // The bottom row open in columns 3 and 4: the square closes it.
    for (int r = 8; r < 12; ++r) Fill(r, {});
    for (int r = 0; r < 12; ++r)
        for (int c = 1; c <= Board_Width; ++c) Area_Cell(area, c, r).kind = 0;
    Fill(11, {3, 4});
    const Block square = Make({{0, 0}, {1, 0}, {0, 1}, {1, 1}});
    const Placement q = Autoplay_Choose(area, square);
    ASSERT_TRUE(q.found);
    std::vector<std::pair<int, int>> cells = Landed(square, q);
    int in_gap = 0;
    for (auto [c, r] : cells) in_gap += r == 11 && (c == 3 || c == 4);
    EXPECT_EQ(in_gap, 2);
}

TEST_F(Autoplay_Choice_Test, ItDoesNotBuryAHoleWhenItNeedNot) {
    // A step: the left half one row high. An L, a T and an S each have a place that
    // leaves no hole, though most places do (the S only on the step's edge).
    Fill(11, {7, 8, 9, 10, 11, 12});
    const std::vector<Block> blocks = {
        Make({{-1, 0}, {0, 0}, {1, 0}, {1, 1}}),  // L
        Make({{-1, 0}, {0, 0}, {1, 0}, {0, 1}}),  // T
        Make({{0, 0}, {1, 0}, {-1, 1}, {0, 1}}),  // S
    };
    ASSERT_EQ(Holes_With({}), 0);
    for (const Block& b : blocks) {
        const Placement p = Autoplay_Choose(area, b);
        ASSERT_TRUE(p.found);
        EXPECT_EQ(Holes_With(Landed(b, p)), 0) << "block of " << b.count << " stones";
    }
    // A stack reaching near the top is kept low: the block goes where the board is
    // empty rather than on the stack.
    for (int r = 3; r < 12; ++r) Area_Cell(area, 1, r).kind = Area_Cell(area, 2, r).kind = 1;
    const Placement p = Autoplay_Choose(area, blocks[0]);
    for (auto [c, r] : Landed(blocks[0], p)) EXPECT_GT(c, 2);
}

TEST_F(Autoplay_Choice_Test, NoPlaceIsFoundOnlyWhenTheBlockCannotMove) {
    // The block cannot fit anywhere where it is: nothing is planned.
    for (int r = 0; r < 12; ++r) Fill(r, {});
    EXPECT_FALSE(Autoplay_Choose(area, Make({{0, 0}, {1, 0}, {0, 1}, {1, 1}})).found);
}

// --- whole books, through the real program -----------------------------------------------

std::string Read_File(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A virtual day of waiting: the player ends the run itself when the game is over.
const char* const Long_Wait = "wait 86400000\n";

class Autoplay_Run_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.Remove("HScripts");
        dir.Link_Bundled_Data(false);
        // Two short chapters: 20 to 40 letters a verse, many blocks to each chapter.
        dir.Write("HScripts/Ruf.txt",
                  Book_File("Книга Руфь",
                            {{"И было во дни судей", "И пошел человек из Вифлеема"},
                             {"У Ноемини был родственник", "И сказала Руфь", "И пошла она"}}));
    }
    Program_Run Play(const char* mode, const char* seed) {
        return Run_Program(
            dir, Long_Wait,
            {std::string("VELTRAN_AUTOPLAY=") + mode, std::string("VELTRAN_SEED=") + seed});
    }
    Scratch_Dir dir;
};

TEST_F(Autoplay_Run_Test, ThePlayerReadsABookToTheEndAndTheSameSeedPlaysTheSameGame) {
    const Program_Run run = Play("1", "3");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Log_In_Order(
        run.report, {"\n\n Start New Game", "\n Select_HSBook, num_not_readed = 1",
                     "\n Чтение книги: HScripts/Ruf.txt", "\n Start new sesion",
                     "\n Session Finish", "\n Start new sesion", "\n Session Finish",
                     "\n Переход к следующей книге", "\n HScriptBook Readed", "\n Game Over",
                     "\n Close Game", "\n Завершена работа в главном меню \n"}));
    // Both chapters at the first try, never leaving through МЕНЮ.
    EXPECT_EQ(Log_Count(run.report, "\n Start new sesion"), 2u);
    EXPECT_NE(run.err.find("chapters read 2, verses 5, sessions completed 2, failed 0"),
              std::string::npos)
        << run.err;

    dir.Remove("Report.txt");
    const Program_Run again = Play("1", "3");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(Report_Body(again.report), Report_Body(run.report));
    EXPECT_FALSE(dir.Exists("SAVE/slot1"));  // a plain run saves nothing
}

TEST_F(Autoplay_Run_Test, TheSoakSavesAfterEveryChapterAndContinuesFromTheSlot) {
    const Program_Run run = Play("soak", "3");
    ASSERT_EQ(run.status, 0) << run.err;
    // After the first chapter: saved, left through МЕНЮ, continued from slot 1.
    EXPECT_TRUE(
        Log_In_Order(run.report, {"\n Session Finish", "\n Close Game", "\n Start Load_Game",
                                  "\n Start new sesion", "\n Session Finish", "\n Game Over"}));
    EXPECT_TRUE(dir.Exists("SAVE/slot1"));
    EXPECT_NE(run.err.find("chapters read 2, verses 5"), std::string::npos) << run.err;
}

// With the keyboard, and with the pad alone (the system's virtual pad: the cursor
// by the stick, the blocks by the d-pad and the buttons).
TEST_F(Autoplay_Run_Test, TheBundledObadiahIsReadWithoutAFailedSession) {
    dir.Remove("HScripts/Ruf.txt");
    dir.Write("HScripts/Avdey.txt",
              Read_File(std::string(VELTRAN_SOURCE_DIR) + "/data/HScripts/Avdey.txt"));
    for (const char* mode : {"1", "pad"}) {
        const Program_Run run = Play(mode, "1");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Log_Count(run.report, "\n Start new sesion"), 1u) << mode;
        EXPECT_NE(run.err.find("chapters read 1, verses 21, sessions completed 1, failed 0"),
                  std::string::npos)
            << mode << ": " << run.err;
        EXPECT_EQ(Log_Count(run.report, "\n Подключен игровой пульт"), mode[0] == 'p' ? 1u : 0u);
    }
}

}  // namespace
