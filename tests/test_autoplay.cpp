// The built-in player: whole books it plays through the real program, headless, the
// same way twice for a seed, with no failed session.
#include <gtest/gtest.h>

#include <string>

#include "program_runner.h"

namespace {

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

// With the pad alone (the system's virtual pad: the cursor by the stick, the blocks
// by the d-pad and the buttons); the game's composition check reads it with keys.
TEST_F(Autoplay_Run_Test, TheBundledObadiahIsReadWithThePadAloneWithoutAFailedSession) {
    dir.Remove("HScripts/Ruf.txt");
    dir.Copy_Bundled("HScripts/Avdey.txt");
    const Program_Run run = Play("pad", "1");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Log_Count(run.report, "\n Start new sesion"), 1u);
    EXPECT_NE(run.err.find("chapters read 1, verses 21, sessions completed 1, failed 0"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(Log_Count(run.report, "\n Подключен игровой пульт"), 1u);
}

}  // namespace
