// The reset every fixture starts and ends with.
#include "shared_state.h"

#include "app/title.h"

void Shared_State_Test::Reset_Shared_State(uint32_t now) {
    Script_Stop();
    Input_State_Reset();
    // Messages reach the window procedure as they do in the program.
    Plat_Set_Window_Proc_Internal(Window_Proc);
    Logo_Reset();
    Plat_Clock_Set_Virtual(true);
    Plat_Clock_Set(now);
}
