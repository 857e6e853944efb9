// The kit every modal screen's loop is made of: the message pump that says whether
// to go on, the keys that press a screen's OK button, and the loop of a modal box
// over a kept background. A frame ends with Frame_End (graphics/display.h).
#pragma once

#include "platform/shell_input.h"
#include "graphics/display.h"
#include "ui/widgets.h"

enum class Pump { Go_On, Leave };

// Which screen is running, told once a pass by the screens someone may want to
// watch (the built-in player does): its name, the centres of the controls a player
// would click there (in an order each screen documents), and what it shows. The
// kit itself knows no screen.
struct Screen_Target {
    int x, y;
};
struct Screen_Report {
    const char* name;
    const Screen_Target* targets;
    int target_count;
    void* subject;
};
using Screen_Observer = void (*)(const Screen_Report& report);
void Screen_Set_Observer(Screen_Observer observer);
void Screen_Announce(const Screen_Report& report);
// The centre of a widget, as a target.
template <typename Widget>
Screen_Target Centre_Of(const Widget& w) {
    return Screen_Target{(w.left + w.right) / 2, (w.top + w.bottom) / 2};
}

// Takes at most one waiting window message and dispatches it. Leave when it was the
// quit message, or when a close of the window it brought leaves the screens: the
// screen ends (and so does every screen under it).
Pump Screen_Pump();

// What closing the window does while a game is in play (it asks whether to save):
// the pump of whichever screen is open when the close comes runs it at once, over
// that screen. Without one (nullptr) the close ends the program.
using Close_Action = void (*)();
void Screen_Set_Close_Action(Close_Action action);
// The screens give way: every open screen ends at its next test as if the program
// were being left, so that the game comes back to where it stands settled (a close
// answered with a save does this before the slots open).
void Screens_Give_Way(bool give_way);
bool Screens_Giving_Way();
// Whether every open screen is to end now: the program is being left, or the
// screens give way.
bool Screens_Leaving();

// Space, Enter or Escape clicked: presses the button (a screen's OK or cancel).
void Ok_Keys_Press(cls_Button_Standart* button);

// The loop of a modal box drawn over what the caller left in the back buffer. Each
// pass: a choice made in the pass before is taken first (settled), then the box
// leaves at once when the program is being left, takes one message (leaving on
// quit), reacts to its keys and buttons, and draws itself, ending the frame over the
// kept background. settled(Result*) and react(Result*) return true when the box is
// done and has set its result; a leaving box returns on_leave.
template <typename Result, typename Settled, typename React, typename Draw>
Result Box_Loop(Settled settled, React react, Draw draw, Result on_leave) {
    for (;;) {
        Result result = on_leave;
        if (settled(&result)) return result;
        if (Screens_Leaving()) return on_leave;
        if (Screen_Pump() == Pump::Leave) return on_leave;
        if (react(&result)) return result;
        draw(Back_Buffer);
        Frame_End();
    }
}
