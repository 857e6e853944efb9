// The kit every modal screen's loop is made of: the message pump that says whether
// to go on, the keys that press a screen's OK button, and the loop of a modal box
// over a kept background. The three ways of ending a frame are in
// graphics/display.h (Frame_End_Kept, Frame_End_Redrawn, Frame_End_Direct).
#pragma once

#include "app/input.h"
#include "graphics/display.h"
#include "ui/widgets.h"

enum class Pump { Go_On, Leave };

struct Game_State;

// Which screen is running, told once a pass by the screens someone may want to
// watch (the built-in player does): the main menu, the game, the slot menu, a
// question. Every other screen says nothing.
enum class Screen_Kind { Main_Menu, Game, Slot_Menu_Save, Slot_Menu_Load, Question };
using Screen_Observer = void (*)(Screen_Kind kind, Game_State* game);
void Screen_Set_Observer(Screen_Observer observer);
void Screen_Announce(Screen_Kind kind, Game_State* game = nullptr);

// Takes at most one waiting window message and dispatches it. Leave when it was the
// quit message: the screen ends (and so does every screen under it).
Pump Screen_Pump();

// Space, Enter or Escape clicked: presses the button (a screen's OK or cancel).
void Ok_Keys_Press(cls_Button_Standart* button);

// The loop of a modal box drawn over what the caller left in the back buffer. Each
// pass: a choice made in the pass before is taken first (settled), then the box
// leaves at once when the program is being left, takes one message (leaving on
// quit), reacts to its keys and buttons, and draws itself, ending the frame over the
// kept background. settled(int* result) and react(int* result) return true when the
// box is done and has set its result; a leaving box returns on_leave.
template <typename Settled, typename React, typename Draw>
int Box_Loop(Settled settled, React react, Draw draw, int on_leave) {
    for (;;) {
        int result = 0;
        if (settled(&result)) return result;
        if (Exit_Requested) return on_leave;
        if (Screen_Pump() == Pump::Leave) return on_leave;
        if (react(&result)) return result;
        draw(Back_Buffer);
        Frame_End_Kept();
    }
}
