// The message pump and the key states as the program reads them: the system's
// events and the script's due commands are brought in first.
#include "platform/platform.h"
#include "platform/platform_internal.h"

bool Plat_Peek_Message(Plat_Msg* msg) {
    Plat_Pump_System();
    return Plat_In_Take_Message(msg);
}

int16_t Plat_Async_Key_State(int vk) {
    // The window system is asked once a frame, by the message peek, so that every
    // widget of a frame sees the same input; the script still acts on the clock.
    Script_Run_Due();
    return Plat_In_Async_Key_State(vk);
}

void Plat_Keyboard_State(uint8_t state[256]) {
    Script_Run_Due();
    Plat_In_Keyboard_State(state);
}
