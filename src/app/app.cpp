// Entry point, start-up and shutdown: brings the subsystems up in their fixed
// order, runs the screens, and takes everything down again, logging each step.
#include "app/app.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/input.h"
#include "core/report_log.h"
#include "app/title.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
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
        Plat_Srand(static_cast<uint32_t>(std::time(nullptr)));
}

}  // namespace

int App_Startup() {
    Failure.clear();
    Pacing_Ticks = Plat_Tick();
    Seed_Random();
    Report_Open();
    Report_Log("\n Инициализация программы: Veltran");

    if (Books_Find() == 0) {
        Report_Log("\n Error: Не найдена ни одна книга из Священного Писания");
        Failure = "no book of Holy Scripture was found in the HScripts folder";
        return 0;
    }

    Display_Init();

    // DirectInput: the platform layer's keyboard and mouse are always there.
    Report_Log("\n Direct Input Initialization ");
    Di_Interface = true;
    Report_Log("... Success");
    Di_Keyboard = Di_Interface;
    Di_Mouse = Di_Interface;

    if (!Sound_Init()) {
        Failure = std::string("no sound device (") + Plat_Audio_Error() +
                  "); SDL_AUDIODRIVER=dummy runs the game silently";
        return 0;
    }
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

int App_Main() {
    switch (Plat_Open("Veltran Window", Window_Proc)) {
        case PLAT_OPEN_OK:
            break;
        case PLAT_OPEN_NO_WINDOW:
            std::fprintf(stderr, "veltran: %s\n", Plat_Error());
            return Exit_No_Window;
        case PLAT_OPEN_BAD_SCRIPT:
            std::fprintf(stderr, "veltran: %s\n", Plat_Error());
            return Exit_Startup_Failed;
    }
    Plat_Show_Cursor(false);
    int started = App_Startup();
    if (started) {
        // The title object lives until the program ends.
        Title_Screen* title = Title_Create();
        Main_Menu_Run(title);
        Title_Destroy(title);
    }
    App_Shutdown();
    Plat_Show_Cursor(true);
    Plat_Close();
    if (!started) {
        std::fprintf(stderr, "veltran: start-up failed: %s; see %s\n",
                     Failure.empty() ? "unknown reason" : Failure.c_str(), Report_File_Name);
        return Exit_Startup_Failed;
    }
    return Exit_Normal;
}
