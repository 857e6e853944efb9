// The title screen driven through a script on the bundled content: the help and
// salvation pictures, the buttons where they stood, and leaving.
#include <gtest/gtest.h>

#include "program_runner.h"
#include "shot_text.h"
#include "ui_fixture.h"

namespace {

const char* const Shutdown_Tail =
    "\n Завершена работа в главном меню \n"
    "\n\n Завершение сеанса Orvuma << V E L T R A N >>. \n  Выгрузка ресурсов памяти."
    "\n Деинециализация звука\n Успешная деинециализация звука"
    "\n хорошо освобожден интерфейс DirectDraw \n"
    "\n  Программа Veltran выгружена успешно. \n";

TEST(Title_Screen, HelpAndSalvationShowTheirPicturesAndReturn) {
    Scratch_Dir dir;
    dir.Link_Bundled_Data();
    Program_Run run =
        Run_Program(dir,
                    "wait 300\nshot title.bmp\nclick 320 320\nwait 300\nshot help.bmp\n"
                    "key RETURN\nwait 300\nclick 320 430\nwait 300\nshot salvation.bmp\n"
                    "click 5 5\nwait 300\nshot back.bmp\nclick 320 375\nwait 300\nwait 60000\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Shot title = Shot_Read(dir.Read("title.bmp")), help = Shot_Read(dir.Read("help.bmp")),
               salvation = Shot_Read(dir.Read("salvation.bmp")),
               back = Shot_Read(dir.Read("back.bmp"));
    ASSERT_EQ(help.width, 640);
    EXPECT_GT(Shot_Diff(title, help, 0, 0, 640, 480), 100000);
    EXPECT_GT(Shot_Diff(help, salvation, 0, 60, 640, 440), 10000);
    // Back on the title screen: the buttons stand where they stood. ВЫХОД ends the
    // program with its log line, whatever time is left in the script.
    EXPECT_EQ(Shot_Diff(title, back, 160, 190, 480, 460), 0);
    const std::string tail = Shutdown_Tail;
    ASSERT_GE(run.report.size(), tail.size());
    EXPECT_EQ(run.report.substr(run.report.size() - tail.size()), tail);
    EXPECT_EQ(run.report.find("Error Play MP3"), std::string::npos);
    EXPECT_NE(run.report.find("\n всего спрайтов = 134 \n"), std::string::npos);
}

}  // namespace
