// Opening and closing the window through the installed system, with the scripted
// mode's set-up (a script on the virtual clock, headless unless VELTRAN_SHOW=1).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/system.h"
#include "platform/places.h"
#include "platform/shell_input.h"
#include "platform/platform_internal.h"
#include "platform/settings.h"

namespace {
std::string Error;
int Window_Choice = -1;
int Scale_Choice = -1;
}  // namespace

void Plat_Set_Window_Choice(int fullscreen) {
    Window_Choice = fullscreen;
}

void Plat_Set_Scale_Choice(int sharp) {
    Scale_Choice = sharp;
}

bool Plat_Start_Sharp() {
    return Scale_Choice >= 0 ? Scale_Choice == 1 : Settings.sharp;
}

bool Plat_Start_Fullscreen() {
    if (Window_Choice >= 0) return Window_Choice == 1;
    const char* windowed = std::getenv("VELTRAN_WINDOWED");
    if (windowed != nullptr && std::strcmp(windowed, "1") == 0) return false;
    return Settings.fullscreen;
}

Plat_Open_Result Plat_Open(const char* title, Plat_Window_Proc proc) {
    Plat_Set_Window_Proc_Internal(proc);
    Input_State_Reset();
    Error.clear();
    bool headless = false;
    const char* script_path = std::getenv("VELTRAN_SCRIPT");
    if (script_path != nullptr && *script_path != '\0') {
        std::vector<uint8_t> text;
        if (!File_Read_All(Plat_From_Start_Folder(script_path).c_str(), &text, 64 << 20)) {
            Error = std::string("cannot read the script ") + script_path;
            return PLAT_OPEN_BAD_SCRIPT;
        }
        std::vector<Script_Command> commands;
        std::string why;
        if (!Script_Parse(std::string(text.begin(), text.end()), &commands, &why)) {
            Error = std::string("script ") + script_path + ", " + why;
            return PLAT_OPEN_BAD_SCRIPT;
        }
        // Shots land where the script's author stands, not in an installed game's
        // content.
        for (Script_Command& c : commands)
            if (c.op == SC_SHOT) c.path = Plat_From_Start_Folder(c.path);
        Plat_Clock_Set_Virtual(true);
        Script_Start(std::move(commands));
        const char* show = std::getenv("VELTRAN_SHOW");
        headless = show == nullptr || std::strcmp(show, "1") != 0;
    }
    const Plat_System* system = Plat_Current_System();
    if (system == nullptr || system->open_window == nullptr) {
        Error = "no window system";
        return PLAT_OPEN_NO_WINDOW;
    }
    return system->open_window(title, headless, &Error);
}

void Plat_Close() {
    const Plat_System* system = Plat_Current_System();
    if (system != nullptr && system->close_window != nullptr) system->close_window();
    Plat_Set_Backend(nullptr);
    Script_Stop();
}

const char* Plat_Present_Way() {
    const Plat_System* system = Plat_Current_System();
    return system != nullptr && system->present_way != nullptr ? system->present_way() : "";
}

const char* Plat_Error() {
    return Error.c_str();
}

void Plat_Tell_Failure(const char* why) {
    std::fprintf(stderr, "veltran: %s\n", why);
    const Plat_System* system = Plat_Current_System();
    if (!Sys_Error_Stream_Seen() && system != nullptr && system->alert != nullptr)
        system->alert(why);
}
