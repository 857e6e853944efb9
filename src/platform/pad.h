// A game pad and a touch screen as the keyboard and mouse the game already knows.
// Outside play the pad moves the game's cursor (sticks with acceleration, the
// d-pad in steps), A clicks, B is Escape and Start is Enter; while blocks fall it
// steers them with the keys a player presses. A tap is a click where the finger
// touched, a drag moves the cursor, and a finger held still holds the button.
#pragma once

#include <string>

// Buttons and axes in the order and under the names SDL gives them.
enum Pad_Button {
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_BACK,
    PAD_GUIDE,
    PAD_START,
    PAD_LEFTSTICK,
    PAD_RIGHTSTICK,
    PAD_LEFTSHOULDER,
    PAD_RIGHTSHOULDER,
    PAD_DPUP,
    PAD_DPDOWN,
    PAD_DPLEFT,
    PAD_DPRIGHT,
    PAD_BUTTON_COUNT
};
enum Pad_Axis {
    PAD_LEFTX,
    PAD_LEFTY,
    PAD_RIGHTX,
    PAD_RIGHTY,
    PAD_TRIGGERLEFT,
    PAD_TRIGGERRIGHT,
    PAD_AXIS_COUNT
};
// -1 for a name SDL does not give.
int Pad_Button_Named(const std::string& name);
int Pad_Axis_Named(const std::string& name);

// The game says so on every pass in which blocks fall: in the frames it shows, the
// pad plays instead of moving the cursor.
void Plat_Pad_Blocks_Falling();

// What the system reports.
void Plat_Pad_Button(int button, bool down);
void Plat_Pad_Axis(int axis, int value);  // -32768 .. 32767
// The last pad went away: every button it held is let go; in play, the game pauses.
void Plat_Pad_Unplugged();
// A finger on the screen, in picture pixels.
void Plat_Touch_Down(int x, int y);
void Plat_Touch_Move(int x, int y);
void Plat_Touch_Up(int x, int y);

// Once a frame, as it is shown: the sticks move the cursor, held d-pad steps and a
// finger held still act.
void Plat_Pad_Frame();
// Everything let go and forgotten (between tests).
void Plat_Pad_Reset();
// The cursor's speed in picture pixels a second for a stick deflection (0..1)
// held for held_ms: slow near the centre, faster the longer it is held.
double Pad_Cursor_Speed(double deflection, double held_ms);

// The script's and the built-in player's pad and finger: the system's own virtual
// controller and touch events when there is a system, straight into the above
// when there is none.
void Plat_Virtual_Pad_Button(int button, bool down);
void Plat_Virtual_Pad_Axis(int axis, int value);
void Plat_Virtual_Pad_Plug(bool plugged);
enum Touch_Phase { TOUCH_DOWN, TOUCH_MOVE, TOUCH_UP };
void Plat_Virtual_Touch(Touch_Phase phase, int x, int y);
