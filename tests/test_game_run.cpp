// Whole games played by the real program through scripts, on books of the tests'
// own making: from НОВАЯ ИГРА to "КОНЕЦ ИГРЫ", closing the window, the volume keys,
// and every frame composed in part, checked by the log and by what the shots show.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "program_runner.h"
#include "shot_text.h"
#include "ui_fixture.h"

namespace {

// A verse text that makes its line exactly n letters long after "1 ".
std::string Letters(int n) {
    std::string t;
    while (static_cast<int>(t.size()) < n - 2) t += t.size() % 6 == 5 ? ' ' : 'а';
    return t;
}

class Game_Run_Test : public Ui_Test {
  protected:
    // A scratch folder with the bundled pictures, sounds and music and these books.
    void Books(std::initializer_list<std::pair<const char*, std::string>> books) {
        dir.Remove("HScripts");
        dir.Link_Bundled_Data(false);
        for (const auto& [stem, text] : books) dir.Write(std::string("HScripts/") + stem, text);
    }
    Program_Run Play(const std::string& script) {
        return Run_Program(dir, script, {"VELTRAN_SEED=5"});
    }
    Shot Shot_Of(const std::string& name) { return Shot_Read(dir.Read(name)); }
    // The shots name0.bmp ... that show the text.
    std::vector<int> Showing(const std::string& name, int count, const char* text, const Font& font,
                             int colour) {
        std::vector<int> found;
        for (int i = 0; i < count; ++i)
            if (Shot_Find_Text(Shot_Of(name + std::to_string(i) + ".bmp"), text, font, colour))
                found.push_back(i);
        return found;
    }
    Scratch_Dir dir;
};

// New game, the first book by Escape, then Space pressed every 1.5 s: in the game
// it drops the block fast, in a box it presses OK. A shot before each press, so
// every box is photographed once.
std::string Drop_And_Confirm(int rounds) {
    std::string s =
        "wait 300\nclick 320 210\nmove 5 470\nwait 600\nshot list.bmp\nkey ESCAPE\nwait 300\n";
    for (int i = 0; i < rounds; ++i)
        s += "key SPACE\nwait 1500\nshot s" + std::to_string(i) + ".bmp\n";
    return s;
}

TEST_F(Game_Run_Test, AWholeGameRunsFromNewGameToItsEndAndBackToTheMenu) {
    Books({{"Ruf.txt", Book_File("Книга Руфь", {{""}})}});  // one chapter, its verse is "1"
    const int rounds = 10;
    Program_Run run = Play(Drop_And_Confirm(rounds) + "click 320 375\nwait 500\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Log_In_Order(
        run.report, {"\n\n Start New Game", "\n Select_HSBook, num_not_readed = 1",
                     "\n Чтение книги: HScripts/Ruf.txt", "\n Start new sesion",
                     "\n Session Finish", "\n Переход к следующей книге",
                     "\n Select_HSBook, num_not_readed = 0", "\n HScriptBook Readed",
                     "\n Game Over", "\n Close Game", "\n Завершена работа в главном меню \n"}));
    EXPECT_EQ(Log_Count(run.report, "\n Close Game"), 1u);
    EXPECT_EQ(Log_Count(run.report, "\n Start new sesion"), 1u);

    EXPECT_TRUE(Shot_Find_Text(Shot_Of("list.bmp"), "Выберите книгу для чтения", Font_8x16, 5));
    // The screens come one after another, each closed by Enter.
    const auto reader = Showing("s", rounds, "Открыт новый стих", Font_8x16, 2);
    const auto results = Showing("s", rounds, "Сессия завершена.", Font_8x16, 2);
    const auto viewer = Showing("s", rounds, "Глава  001", Font_16x16, 55);
    const auto over = Showing("s", rounds, "КОНЕЦ ИГРЫ", Font_8x16, 2);
    ASSERT_EQ(reader.size(), 1u);
    ASSERT_EQ(results.size(), 1u);
    ASSERT_EQ(viewer.size(), 1u);
    ASSERT_EQ(over.size(), 1u);
    EXPECT_LT(reader[0], results[0]);
    EXPECT_LT(results[0], viewer[0]);
    EXPECT_LT(viewer[0], over[0]);
    const Shot shot = Shot_Of("s" + std::to_string(results[0]) + ".bmp");
    EXPECT_TRUE(Shot_Find_Text(shot, "Сессия успешно выполнена.", Font_8x16, 3));
    EXPECT_TRUE(Shot_Find_Text(shot, "Открыто стихов: 1/1", Font_8x16, 3));
    // After the game the main menu is back, with the name field.
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("s" + std::to_string(rounds - 1) + ".bmp"),
                               "ученик Иисуса ...", Font_16x16, 3));
}

// Closing the window acts at once wherever the player is. In a game the offer to
// save comes over whatever is open — over ПАУЗА (НЕТ ends the program), over
// СТАТИСТИКА (ДА: the slots over the game, then the end) — and at КОНЕЦ ИГРЫ or
// outside a game the close ends the program. The shot after the close is never
// taken: the program has ended.
TEST_F(Game_Run_Test, ClosingTheWindowActsAtOnceWhereverThePlayerIs) {
    Books({{"Ruf.txt", Book_File("Книга Руфь", {{Letters(300)}})}});
    const std::string start =
        "wait 300\nclick 320 210\nmove 5 470\nwait 600\nkey ESCAPE\nwait 1500\n"
        "click 595 430\nmove 5 470\nwait 800\nshot pause.bmp\n";
    Program_Run run =
        Play(start + "close\nwait 300\nshot offer.bmp\nkey ESCAPE\nwait 800\nshot gone.bmp\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("pause.bmp"), "ПАУЗА", Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("offer.bmp"), "СОХРАНИТЬ СОСТОЯНИЕ ИГРЫ?", Font_8x16, 2));
    EXPECT_FALSE(dir.Exists("gone.bmp"));
    EXPECT_FALSE(dir.Exists("SAVE/slot1"));
    EXPECT_TRUE(Log_In_Order(run.report, {"\n Start new sesion", "\n Close Game",
                                          "\n  Программа Veltran выгружена успешно. \n"}));

    // After a box the diary's sort label keeps the colour the shared font had then
    // (the box's), while its buttons keep their own.
    run = Play(start +
               "key RETURN\nwait 800\nclick 520 455\nmove 5 470\nwait 800\nshot diary.bmp\n"
               "close\nwait 300\nshot offer.bmp\nkey RETURN\nwait 800\nshot slots.bmp\n"
               "click 320 68\nwait 800\nshot gone.bmp\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Shot diary = Shot_Of("diary.bmp");
    EXPECT_TRUE(Shot_Find_Text(diary, "СОРТИРОВКА ПО:", Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(diary, "НОМЕР", Font_8x16, 231));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("offer.bmp"), "СОХРАНИТЬ СОСТОЯНИЕ ИГРЫ?", Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("offer.bmp"), "Дневник сессий", Font_8x16, 3));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("slots.bmp"), "ВЫБОР СЛОТА ДЛЯ ЗАПИСИ", Font_8x16, 2));
    EXPECT_TRUE(dir.Exists("SAVE/slot1"));
    EXPECT_FALSE(dir.Exists("gone.bmp"));

    // The book list between books: ДА saves the finished book, and the continued
    // game goes on at the list. At КОНЕЦ ИГРЫ nothing is left to save.
    dir.Write("HScripts/Ruf.txt", Book_File("Книга Руфь", {{""}}));
    dir.Write("HScripts/Esfir.txt", Book_File("Книга Есфирь", {{""}}));
    dir.Remove("SAVE");
    dir.Remove("gone.bmp");
    run = Play(Drop_And_Confirm(5) +
               "close\nwait 300\nshot offer.bmp\nkey RETURN\nwait 800\n"
               "click 320 68\nwait 800\nshot gone.bmp\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("s4.bmp"), "Выберите книгу для чтения", Font_8x16, 5));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("offer.bmp"), "СОХРАНИТЬ СОСТОЯНИЕ ИГРЫ?", Font_8x16, 2));
    EXPECT_TRUE(dir.Exists("SAVE/slot1"));
    EXPECT_FALSE(dir.Exists("gone.bmp"));
    std::string script =
        "wait 300\nclick 320 264\nmove 5 470\nwait 600\nclick 320 68\n"
        "move 5 470\nwait 800\nshot list.bmp\nkey ESCAPE\nwait 300\n";
    for (int i = 0; i < 5; ++i)
        script += "key SPACE\nwait 1500\nshot s" + std::to_string(i) + ".bmp\n";
    run = Play(script + "close\nwait 300\nshot gone.bmp\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("list.bmp"), "Выберите книгу для чтения", Font_8x16, 5));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("s2.bmp"), "Открыто стихов: 1/1", Font_8x16, 3));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("s4.bmp"), "КОНЕЦ ИГРЫ", Font_8x16, 2));
    EXPECT_TRUE(Log_In_Order(run.report, {"\n Start Load_Game", "\n Переход к следующей книге",
                                          "\n Чтение книги: HScripts/Esfir.txt", "\n Game Over"}));
    EXPECT_EQ(Log_Count(run.report, "\n Завершена работа в главном меню \n"), 0u);
    EXPECT_FALSE(dir.Exists("gone.bmp"));

    dir.Remove("gone.bmp");
    run = Play("wait 300\nclose\nwait 300\nshot gone.bmp\n");  // on the title
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(dir.Exists("gone.bmp"));
}

// F5..F8 change the volumes on any screen, say so in the corner for a moment and
// remember them; the command line's choices hold for one run.
TEST_F(Game_Run_Test, TheVolumeKeysShowTheirStepAndAreRemembered) {
    Books({{"Ruf.txt", Book_File("Книга Руфь", {{Letters(300)}})}});
    dir.Remove("settings.conf");
    Program_Run run = Play(
        "wait 300\nkey F5\nwait 100\nkey F5\nwait 100\nkey F8\nwait 200\nshot vol.bmp\n"
        "key F7\nwait 2000\nshot later.bmp\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("vol.bmp"), "Звуки: 100%", Font_8x16, 2));
    EXPECT_FALSE(Shot_Find_Text(Shot_Of("later.bmp"), "Звуки: 90%", Font_8x16, 2));  // gone
    const std::string settings = dir.Read("settings.conf");
    EXPECT_NE(settings.find("music_volume = 80"), std::string::npos) << settings;
    EXPECT_NE(settings.find("effects_volume = 90"), std::string::npos) << settings;
    EXPECT_EQ(Run_Program(dir, "wait 500\n", {}, {"--windowed", "--scale=whole"}).status, 0);
    EXPECT_EQ(dir.Read("settings.conf"), settings);  // one run's choices are not kept
}

// Every frame composed in part is the frame composed in full, on every screen: the
// built-in player reading Obadiah (blocks falling and landing, popups, rows
// shimmering, the running line, the reading box, the results, the viewer, the end),
// then a round of the title, the side buttons and the boxes over the game.
TEST_F(Game_Run_Test, EveryFrameComposedInPartIsTheFullFrame) {
    Books({});
    dir.Copy_Bundled("HScripts/Avdey.txt");
    Program_Run run = Run_Program(
        dir, "wait 86400000\n", {"VELTRAN_SEED=1", "VELTRAN_AUTOPLAY=1", "VELTRAN_COMPOSE=check"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("compose check"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("chapters read 1, verses 21, sessions completed 1, failed 0"),
              std::string::npos)
        << run.err;
    // The round also checks what the side buttons do: ПАУЗА stands the game still
    // under its box until OK, ФОН puts a new picture behind the board, МУЗЫКА
    // writes a screenshot, СВЯЩЕННАЯ КНИГА says no chapter is finished yet, МЕНЮ
    // asks (НЕТ stays), then ДА and the offer to save (НЕТ) lead to the main menu.
    const std::string round =
        "wait 2500\nclick 320 320\nwait 500\nkey ESCAPE\nwait 500\n"  // ПОМОЩЬ
        "click 320 210\nmove 5 470\nwait 600\nkey ESCAPE\nwait 1500\nkey SPACE\nwait 1500\n"
        "shot playing.bmp\nclick 495 405\nmove 5 470\nwait 500\nshot fon.bmp\n"
        "click 595 430\nmove 5 470\nwait 800\nshot pause1.bmp\nwait 2000\nshot pause2.bmp\n"
        "key RETURN\nwait 800\nkey F6\nwait 100\nclick 592 405\nwait 100\nshot photo.bmp\n"
        "wait 400\nclick 520 455\nwait 800\nkey ESCAPE\nwait 800\n"  // СТАТИСТИКА
        "click 519 430\nwait 800\nkey ESCAPE\nwait 800\n"            // СОХРАНИТЬ
        "click 548 373\nmove 5 470\nwait 800\nshot notice.bmp\nkey ESCAPE\nwait 800\n"
        "key F5\nwait 300\nclick 599 455\nmove 5 470\nwait 800\nshot menu.bmp\nkey ESCAPE\n"
        "wait 800\nshot stayed.bmp\nkey LEFT\nwait 500\nclick 599 455\nmove 5 470\nwait 800\n"
        "key RETURN\nwait 800\nshot offer.bmp\nkey ESCAPE\nwait 1500\nshot left.bmp\n";
    run = Run_Program(dir, round, {"VELTRAN_SEED=2", "VELTRAN_COMPOSE=check"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("compose check"), std::string::npos) << run.err;
    EXPECT_TRUE(Log_In_Order(run.report, {"\n Start New Game", "\n Start new sesion",
                                          "\n Запись изображения в файл: "
                                          "images/screen_shot/screen_shot_001.bmp",
                                          "\n Close Game"}));
    EXPECT_EQ(Log_Count(run.report, "\n Session Finish"), 0u);
    const Shot pause1 = Shot_Of("pause1.bmp"), pause2 = Shot_Of("pause2.bmp");
    EXPECT_TRUE(Shot_Find_Text(pause1, "ПАУЗА", Font_8x16, 2));
    EXPECT_EQ(Shot_Diff(pause1, pause2, 0, 0, 640, 480), 0);  // the board, counters and line
    EXPECT_GT(Shot_Diff(Shot_Of("playing.bmp"), Shot_Of("fon.bmp"), 30, 100, 400, 440), 50000);
    // The screenshot is of the game's picture: the volume notice on the screen is not
    // in it.
    const Shot photo = Shot_Read(dir.Read("images/screen_shot/screen_shot_001.bmp"));
    EXPECT_EQ(photo.width, 640);
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("photo.bmp"), "Музыка: 100%", Font_8x16, 2));
    EXPECT_FALSE(Shot_Find_Text(photo, "Музыка: 100%", Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("notice.bmp"), "ВЫ ЕЩЕ НЕ ПРОЧИТАЛИ НИ ОДНОЙ ГЛАВЫ ИЗ КНИГИ",
                               Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("menu.bmp"), "ВЫЙТИ В МЕНЮ?", Font_8x16, 2));
    EXPECT_FALSE(Shot_Find_Text(Shot_Of("stayed.bmp"), "ВЫЙТИ В МЕНЮ?", Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("offer.bmp"), "СОХРАНИТЬ СОСТОЯНИЕ ИГРЫ?", Font_8x16, 2));
    EXPECT_TRUE(Shot_Find_Text(Shot_Of("left.bmp"), "ученик Иисуса ...", Font_16x16, 3));
}

}  // namespace
