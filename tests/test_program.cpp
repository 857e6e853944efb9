// The real program run headless through scripts: its start-up and shutdown log,
// exit statuses, playing without a sound device, and ending on a signal.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstring>

#include "program_runner.h"

namespace {

// A working folder with one book and no pictures, palette or archives.
const char* const Startup_Lines =
    "\n Инициализация программы: Veltran"
    "\n Переносная игра: все файлы в рабочей папке"
    "\n Поиск книг Священного Писания:\n   HS: Руфь\n Ок"
    "\n Инициализация интерфейса DirectDraw 7.0 \n"
    "\n ошибка при загрузке файла радуги rainbow.rbw \n"
    "\n хорошая инициализация DirectDraw \n"
    "\n Direct Input Initialization ... Success"
    "\n Инициализация звукового интерфейса Direct Sound ...OK"
    "\n Инициализация воспроизводителя MP3-файлов ...OK"
    "\n Чтение музыкальных произведений и звуков... "
    "\n Загрузка файла со звуками: SOUNDS/sound_14.wav ..."
    "\n Загрузка файла со звуками: SOUNDS/sound_10.wav ..."
    "\n Загрузка файла со звуками: SOUNDS/sound_1.wav ..."
    "\n Загрузка файла со звуками: SOUNDS/sound_12.wav ..."
    "\n Загрузка файла со звуками: SOUNDS/sound_11.wav ..."
    "\n Загрузка файла со звуками: SOUNDS/sound_16.wav ..."
    "\n Загрузка файла со звуками: SOUNDS/sound_17.wav ..."
    "\n Загрузка файла со звуками: SOUNDS/sound_7.wav ...OK"
    "\n Запись спрайтов для компрессии"
    "\n Чтение bmp-файла images/vert_Scroll_Str.bmp \n"
    "\n  не найден файл images/vert_Scroll_Str.bmp \n"
    "\n  Чтение спрайтов ..."
    "\n всего спрайтов = 0 \n"
    "\n Чтение спрайтов ... OK"
    "\n Инициализация Orvuma  << V E L T R A N >>  хорошо исполнена. \n";
const char* const Shutdown_Lines =
    "\n\n Завершение сеанса Orvuma << V E L T R A N >>. \n  Выгрузка ресурсов памяти."
    "\n Деинециализация звука\n Успешная деинециализация звука"
    "\n хорошо освобожден интерфейс DirectDraw \n"
    "\n  Программа Veltran выгружена успешно. \n";

TEST(Program, AScriptedRunLogsStartUpAndShutdownInOrder) {
    Scratch_Dir dir;
    Program_Run run = Run_Program(dir, "wait 1000\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Report_Body(run.report), std::string(Startup_Lines) +
                                           "\n Error Play MP3 File: MUSIC/CstleTown.mp3" +
                                           Shutdown_Lines);
    EXPECT_EQ(run.report.rfind("\nФайл отчета (Report.txt) открыт в ", 0), 0u);
}

TEST(Program, WithoutBooksStartUpFailsWithExitStatusOne) {
    Scratch_Dir dir;
    dir.Remove("HScripts");
    Program_Run run = Run_Program(dir, "wait 1000\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Report.txt"), std::string::npos) << run.err;
    // The message names the folder that was searched.
    EXPECT_NE(run.err.find(dir.path() + "/HScripts"), std::string::npos) << run.err;
    EXPECT_EQ(Report_Body(run.report),
              "\n Инициализация программы: Veltran"
              "\n Переносная игра: все файлы в рабочей папке"
              "\n Поиск книг Священного Писания:\n Ок"
              "\n Error: Не найдена ни одна книга из Священного Писания"
              "\n\n Завершение сеанса Orvuma << V E L T R A N >>. \n  Выгрузка ресурсов памяти."
              "\n Деинециализация звука\n Успешная деинециализация звука"
              "\n хорошо освобожден интерфейс DirectDraw \n"
              "\n  Программа Veltran выгружена успешно. \n");
}

TEST(Program, ABadScriptStopsBeforeTheWindowOpens) {
    Scratch_Dir dir;
    Program_Run run = Run_Program(dir, "wait 10\npress A\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line 2"), std::string::npos) << run.err;
    EXPECT_FALSE(dir.Exists("Report.txt"));
}

// Without a sound device the game plays on, silently: one line in the log (after
// the start-up's "OK", and no word of MP3), one on stderr, exit status 0.
TEST(Program, WithoutASoundDeviceTheGamePlaysSilently) {
    Scratch_Dir dir;
    Program_Run run = Run_Program(dir, "wait 1000\n", {"SDL_AUDIODRIVER=no_such_device"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Log_Count(run.report, "\n Звуковое устройство не открылось ("), 1u);
    EXPECT_NE(run.report.find("Direct Sound ...OK\n Звуковое устройство не открылось ("),
              std::string::npos);
    EXPECT_NE(run.report.find(": игра идёт без звука\n"), std::string::npos);
    EXPECT_EQ(run.report.find("MP3, музыки не будет"), std::string::npos);
    EXPECT_EQ(run.err.find("cannot play MP3"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("veltran: no sound device ("), std::string::npos);
    EXPECT_NE(run.report.find("\n  Программа Veltran выгружена успешно. \n"), std::string::npos);
}

#ifndef _WIN32  // signals are a POSIX thing
// SIGTERM (a logout) and SIGINT (Ctrl+C) end the program at once and cleanly.
TEST(Program, ASignalEndsTheProgramCleanly) {
    for (int sig : {SIGTERM, SIGINT}) {
        Scratch_Dir dir;
        dir.Write("script.txt", "wait 86400000\n");
        const pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir.path().c_str()) != 0) _exit(127);
            setenv("VELTRAN_SCRIPT", "script.txt", 1);
            execl(VELTRAN_EXE, VELTRAN_EXE, static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0;
             i < 200 && dir.Read("Report.txt").find("хорошо исполнена") == std::string::npos; ++i)
            usleep(20000);
        kill(pid, sig);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status)) << sig;
        EXPECT_EQ(WEXITSTATUS(status), 0) << sig;
        EXPECT_NE(dir.Read("Report.txt").find("\n  Программа Veltran выгружена успешно. \n"),
                  std::string::npos)
            << sig;
    }
}
#endif

}  // namespace
