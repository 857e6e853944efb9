// The reset every fixture starts and ends with.
#include "shared_state.h"

#include "app/title.h"
#include "ui/screen_loop.h"

void Shared_State_Test::Reset_Shared_State(uint32_t now) {
    Script_Stop();
    Input_State_Reset();
    Screen_Set_Close_Action(nullptr);
    Screens_Give_Way(false);
    // Messages reach the window procedure as they do in the program.
    Plat_Set_Window_Proc_Internal(Window_Proc);
    Clock_At(now);
}
