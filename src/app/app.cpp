// Entry point, start-up and shutdown: brings the subsystems up in their fixed
// order, runs the screens, and takes everything down again, logging each step.
#include "app/app.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/shell_input.h"
#include "core/report_log.h"
#include "core/system.h"
#include "core/text_1251.h"
#include "app/title.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "game/autoplay/autoplay.h"
#include "graphics/compose.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/places.h"
#include "platform/settings.h"
#include "platform/platform.h"
#include "scripture/book_table.h"

namespace {

std::string Failure;
bool Di_Interface = false;
bool Di_Mouse = false;

// Seeds rand once: with VELTRAN_SEED when it is set, else with the time.
void Seed_Random() {
    const char* seed = std::getenv("VELTRAN_SEED");
    if (seed != nullptr && *seed != '\0')
        Plat_Srand(static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)));
    else
        Plat_Srand(static_cast<uint32_t>(Sys_Now()));
}

}  // namespace

int App_Startup() {
    Failure.clear();
    Pacing_Ticks = Plat_Tick();
    Seed_Random();
    if (!Report_Open())
        std::fprintf(stderr, "veltran: cannot write the run log %s (%s); going on without it\n",
                     Report_Path(), std::strerror(errno));
    Report_Log("\n Инициализация программы: Veltran");
    if (Plat_Places_Mode() == PLAT_INSTALLED)
        Report_Log(
            "\n Установленная игра: книги и картинки в %s, отчет в %s, архивы в %s, "
            "сохранения в %s, снимки экрана в %s",
            Plat_Place_Folder(PLACE_CONTENT).c_str(), Plat_Place_Folder(PLACE_LOG).c_str(),
            Plat_Place_Folder(PLACE_CACHE).c_str(), Plat_Place_Folder(PLACE_SAVES).c_str(),
            Plat_Place_Folder(PLACE_SHOTS).c_str());
    else
        Report_Log("\n Переносная игра: все файлы в рабочей папке");

    if (Books_Find() == 0) {
        Report_Log("\n Error: Не найдена ни одна книга из Священного Писания");
        Failure = std::string("no book of Holy Scripture was found in the folder ") +
                  Sys_Current_Folder() + "/" + HS_Folder;
        return 0;
    }

    Display_Init();
    if (*Plat_Present_Way() != '\0') Report_Log("\n Вывод кадров: %s", Plat_Present_Way());
    // Only what changed is composed each frame (VELTRAN_COMPOSE=full draws every
    // frame whole; =check composes both ways and says where they differ).
    const char* compose = std::getenv("VELTRAN_COMPOSE");
    Compose_Set_Mode(compose == nullptr || std::strcmp(compose, "full") != 0
                         ? (compose != nullptr && std::strcmp(compose, "check") == 0
                                ? Compose_Mode::Check
                                : Compose_Mode::Partial)
                         : Compose_Mode::Full);

    // DirectInput: the platform layer's keyboard and mouse are always there.
    Report_Log("\n Direct Input Initialization ");
    Di_Interface = true;
    Report_Log("... Success");
    Di_Keyboard = Di_Interface;
    Di_Mouse = Di_Interface;

    Sound_Init();  // without a device, silently
    Music = Music_Init(new Music_Player());
    Report_Log("\n Чтение музыкальных произведений и звуков... ");
    Sounds_Load_All();
    Report_Log("OK");

    Sprites_Build_Archive();
    if (!Sprites_Load_All()) {
        Failure = "the sprites could not be loaded";
        return 0;
    }

    Report_Log("\n Инициализация Orvuma  << V E L T R A N >>  хорошо исполнена. \n");
    return 1;
}

int App_Shutdown() {
    Report_Log("\n\n Завершение сеанса Orvuma << V E L T R A N >>. \n  Выгрузка ресурсов памяти.");
    Sprites_Release_All();
    Sound_Stop_All();
    Sound_Free_All();
    Sound_Release();
    if (Music != nullptr) Music_Release();
    Di_Mouse = false;
    Di_Keyboard = false;
    Di_Interface = false;
    Display_Release();
    Report_Log("\n  Программа Veltran выгружена успешно. \n");
    return 1;
}

namespace {

const char* const Version = VELTRAN_VERSION;

// What --help prints (Windows-1251 here, UTF-8 on the terminal).
const char* const Help_Text =
    "Veltran %s — игра с падающими блоками, награда в которой — чтение Священного "
    "Писания.\n"
    "Veltran %s — a falling-block puzzle game whose reward is reading Holy Scripture.\n"
    "\n"
    "Usage: veltran [--fullscreen | --windowed] [--scale=sharp | --scale=whole]\n"
    "       veltran --help | --version\n"
    "\n"
    "  --fullscreen     start full screen this time\n"
    "  --windowed       start in a window this time\n"
    "  --scale=sharp    fill the screen's height, whole factors first, the rest smooth\n"
    "  --scale=whole    scale by the largest whole factor only, with black bars\n"
    "\n"
    "The game is played with the keyboard and the mouse. Alt+Enter or F11 switch\n"
    "between full screen and a window, F9 between the two ways of scaling; F5 and F6\n"
    "make the music quieter and louder, F7 and F8 the sound effects. These choices are\n"
    "remembered in settings.conf.\n"
    "\n"
    "Environment:\n"
    "  VELTRAN_WINDOWED=1  start in a window\n"
    "  VELTRAN_SEED=N      seed the random numbers with N\n"
    "  VELTRAN_SCRIPT=F    play the input script F on a virtual clock (tests)\n"
    "\n"
    "Files: the books, pictures and music are read from the game's folder (or from\n"
    "the installation's share/veltran); an installed game writes its run log to\n"
    "$XDG_STATE_HOME/veltran, saves and screenshots to $XDG_DATA_HOME/veltran and\n"
    "its picture archives to $XDG_CACHE_HOME/veltran and its settings to\n"
    "$XDG_CONFIG_HOME/veltran/settings.conf (a portable game keeps settings.conf beside\n"
    "itself).\n";

// Answers --help and --version, refuses anything else; -1 when the game is to run.
int Command_Line(int argc, char** argv) {
    if (argc <= 1) return -1;
    const std::string arg = argv[1];
    auto refuse = [](const std::string& a) {
        std::fprintf(stderr, "veltran: unknown argument '%s'; try 'veltran --help'\n", a.c_str());
        return Exit_Usage;
    };
    if (arg != "--help" && arg != "-h" && arg != "--version") {
        // The one-run choices, in any order.
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--fullscreen" || a == "--windowed")
                Plat_Set_Window_Choice(a == "--fullscreen" ? 1 : 0);
            else if (a == "--scale=sharp" || a == "--scale=whole")
                Plat_Set_Scale_Choice(a == "--scale=sharp" ? 1 : 0);
            else
                return refuse(a);
        }
        return -1;
    }
    if (argc == 2 && (arg == "--help" || arg == "-h")) {
        char text[2048];
        std::snprintf(text, sizeof text, Help_Text, Version, Version);
        std::fputs(Cp1251_To_Utf8(text).c_str(), stdout);
        return Exit_Normal;
    }
    if (argc == 2 && arg == "--version") {
        std::printf("veltran %s\n", Version);
        return Exit_Normal;
    }
    return refuse(argc == 2 ? argv[1] : argv[2]);
}

}  // namespace

int App_Main(int argc, char** argv) {
    const int answered = Command_Line(argc, argv);
    if (answered >= 0) return answered;
    std::string where;
    if (!Plat_Places_Init(&where)) {
        Plat_Tell_Failure(where.c_str());
        return Exit_Startup_Failed;
    }
    Report_Set_Path(Plat_Path(PLACE_LOG, Report_File_Name).c_str());
    Settings_Load(Plat_Path(PLACE_CONFIG, "settings.conf"));
    Settings_Notice = Osd_Show;
    switch (Plat_Open("Veltran Window", Window_Proc)) {
        case PLAT_OPEN_OK:
            break;
        case PLAT_OPEN_NO_WINDOW:
            Plat_Tell_Failure(Plat_Error());
            return Exit_No_Window;
        case PLAT_OPEN_BAD_SCRIPT:
            std::fprintf(stderr, "veltran: %s\n", Plat_Error());
            return Exit_Startup_Failed;
    }
    Plat_Show_Cursor(false);
    int started = App_Startup();
    // The built-in player takes the keyboard (VELTRAN_AUTOPLAY=1, or =soak to save
    // and continue after every chapter, =pad to play with a game pad alone, =bible
    // to look at the whole Bible, with a screenshot, from every book list).
    const char* autoplay = std::getenv("VELTRAN_AUTOPLAY");
    const bool playing =
        started && autoplay != nullptr && *autoplay != '\0' && std::strcmp(autoplay, "0") != 0;
    if (playing) {
        Autoplay_Options options;
        options.soak = std::strcmp(autoplay, "soak") == 0;
        options.pad = std::strcmp(autoplay, "pad") == 0;
        options.look_at_bible = options.soak || std::strcmp(autoplay, "bible") == 0;
        if (const char* seconds = std::getenv("VELTRAN_AUTOPLAY_SECONDS"))
            options.wall_seconds = std::atof(seconds);
        Autoplay_Start(options);
    }
    if (started) {
        // The title object lives until the program ends.
        const std::unique_ptr<Title_Screen> title = Title_Create();
        Main_Menu_Run(title.get());
    }
    if (playing) {
        Autoplay_Stop();
        std::fprintf(stderr, "%s\n", Autoplay_Summary().c_str());
    }
    App_Shutdown();
    Plat_Show_Cursor(true);
    Plat_Close();
    if (Compose_Check_Failures() > 0) {
        std::fprintf(stderr, "veltran: compose check: %d frames differed\n",
                     Compose_Check_Failures());
        return Exit_Startup_Failed;
    }
    if (!started) {
        const std::string why =
            "start-up failed: " + (Failure.empty() ? std::string("unknown reason") : Failure) +
            "; see " + Report_Path();
        Plat_Tell_Failure(why.c_str());
        return Exit_Startup_Failed;
    }
    return Exit_Normal;
}
