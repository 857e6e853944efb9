// The message pump of the screens and the OK keys.
#include "ui/screen_loop.h"

#include "graphics/screenshot.h"
#include "platform/platform.h"

namespace {
Screen_Observer Observer = nullptr;
Close_Action On_Close = nullptr;
bool Giving_Way = false;
}  // namespace

void Screen_Set_Observer(Screen_Observer observer) {
    Observer = observer;
}

void Screen_Announce(const Screen_Report& report) {
    if (Observer != nullptr) Observer(report);
}

Pump Screen_Pump() {
    Plat_Msg msg;
    if (!Plat_Peek_Message(&msg)) return Pump::Go_On;
    if (msg.message == WM_QUIT) return Pump::Leave;
    Plat_Dispatch_Message(&msg);
    // F12 saves the screen as it stands, whichever screen it is.
    if (msg.message == WM_KEYDOWN && msg.wparam == VK_F12 && (msg.lparam & (1 << 30)) == 0)
        Screenshot_Take();
    if (Close_Requested) {
        Close_Requested = 0;
        // The action runs with the close put back to ending the program, so that a
        // second close while it asks is not lost.
        const Close_Action action = On_Close;
        Screen_Set_Close_Action(nullptr);
        if (action != nullptr) action();
        if (Screens_Leaving()) return Pump::Leave;
    }
    return Pump::Go_On;
}

void Screen_Set_Close_Action(Close_Action action) {
    On_Close = action;
    Close_Asks = action != nullptr ? 1 : 0;
    Close_Requested = 0;
}

void Screens_Give_Way(bool give_way) {
    Giving_Way = give_way;
}

bool Screens_Giving_Way() {
    return Giving_Way;
}

bool Screens_Leaving() {
    return Exit_Requested != 0 || Giving_Way;
}

void Ok_Keys_Press(cls_Button_Standart* button) {
    if (Any_Key_Clicked({VK_SPACE, VK_RETURN, VK_ESCAPE})) button->Press();
}
