// The message pump of the screens and the OK keys.
#include "ui/screen_loop.h"

#include "platform/platform.h"

namespace {
Screen_Observer Observer = nullptr;
}

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
    return Pump::Go_On;
}

void Ok_Keys_Press(cls_Button_Standart* button) {
    if (Any_Key_Clicked({VK_SPACE, VK_RETURN, VK_ESCAPE})) button->Press();
}
