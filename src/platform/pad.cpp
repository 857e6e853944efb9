// The pad and the touch screen turned into the key and mouse state every screen
// reads: which key each button holds in play and outside it, the cursor the sticks
// and the d-pad move, and the gestures of one finger.
#include "platform/pad.h"

#include <cmath>
#include <cstring>

#include "platform/platform_internal.h"

namespace {

const char* const Button_Names[PAD_BUTTON_COUNT] = {"a",
                                                    "b",
                                                    "x",
                                                    "y",
                                                    "back",
                                                    "guide",
                                                    "start",
                                                    "leftstick",
                                                    "rightstick",
                                                    "leftshoulder",
                                                    "rightshoulder",
                                                    "dpup",
                                                    "dpdown",
                                                    "dpleft",
                                                    "dpright"};
const char* const Axis_Names[PAD_AXIS_COUNT] = {"leftx",  "lefty",       "rightx",
                                                "righty", "lefttrigger", "righttrigger"};

struct Key {
    int vk = 0, dik = 0;  // vk 0: no key
};
constexpr Key Lbutton{VK_LBUTTON, 0}, Escape{VK_ESCAPE, DIK_ESCAPE}, Enter{VK_RETURN, DIK_RETURN},
    Space{VK_SPACE, DIK_SPACE}, Up{VK_UP, DIK_UP}, Down{VK_DOWN, DIK_DOWN}, Left{VK_LEFT, DIK_LEFT},
    Right{VK_RIGHT, DIK_RIGHT}, Pause{VK_PAUSE, DIK_PAUSE}, Menu{VK_APPS, DIK_APPS},
    Tab{VK_TAB, DIK_TAB}, None{};

// Outside play: A clicks, B and Back are Escape, Start is Enter, X is Space, Y is
// Tab (the whole Bible from the book list and the diary), the shoulders page up
// and down; the d-pad steps the cursor.
constexpr Key Pointer_Keys[PAD_BUTTON_COUNT] = {Lbutton, Escape, Space,   Tab,     Escape,
                                                None,    Enter,  Lbutton, Lbutton, Up,
                                                Down,    None,   None,    None,    None};
// In play: the d-pad moves (left, right), turns (up) and drops (down); A and the
// right shoulder turn clockwise, B and the left shoulder the other way, X mirrors,
// Y drops; Start is ПАУЗА, Back is МЕНЮ, the right stick's press clicks.
constexpr Key Play_Keys[PAD_BUTTON_COUNT] = {Down,    Up, Enter, Space, Menu,  None, Pause, None,
                                             Lbutton, Up, Down,  Up,    Space, Left, Right};

constexpr int Step_Px = 8;  // one d-pad step of the cursor
constexpr uint32_t Step_Delay = 300, Step_Every = 80;
constexpr double Dead_Zone = 0.15;
constexpr double Steer_On = 0.5, Steer_Off = 0.35;  // the left stick as the d-pad in play
constexpr int Drag_Px = 10;                         // a finger that moved further drags
constexpr uint32_t Long_Press = 400;

struct Pad_State {
    Key held[PAD_BUTTON_COUNT];
    bool stepping[PAD_BUTTON_COUNT] = {};  // a d-pad button stepping the cursor
    uint32_t pressed_at[PAD_BUTTON_COUNT] = {};
    uint32_t last_step[PAD_BUTTON_COUNT] = {};
    int axis[PAD_AXIS_COUNT] = {};
    Key stick_key;  // the left stick holding Left or Right in play
    bool play = false, play_marked = false;
    double cx = -1, cy = -1;  // the cursor with its fraction of a pixel
    double stick_held_ms = 0;
    uint32_t last_frame = 0;
    // One finger.
    bool touching = false, dragging = false, finger_pressed = false;
    int touch_x = 0, touch_y = 0;
    uint32_t touch_at = 0;
} S;

void Hold(Key* slot, Key k) {
    *slot = k;
    if (k.vk != 0) Plat_In_Event(k.vk, k.dik, true, false);
}

void Let_Go(Key* slot) {
    if (slot->vk != 0) Plat_In_Event(slot->vk, slot->dik, false, false);
    *slot = None;
}

void Cursor_To(double x, double y) {
    S.cx = x < 0 ? 0 : (x > Plat_Frame_W - 1 ? Plat_Frame_W - 1 : x);
    S.cy = y < 0 ? 0 : (y > Plat_Frame_H - 1 ? Plat_Frame_H - 1 : y);
    int mx = 0, my = 0;
    Plat_In_Mouse_Position(&mx, &my);
    const int nx = static_cast<int>(S.cx), ny = static_cast<int>(S.cy);
    if (nx != mx || ny != my) Plat_In_Mouse_Move(nx, ny);
}

// The cursor where the mouse left it, unless the pad has it within the pixel.
void Take_Cursor() {
    int mx = 0, my = 0;
    Plat_In_Mouse_Position(&mx, &my);
    if (static_cast<int>(S.cx) != mx || static_cast<int>(S.cy) != my) {
        S.cx = mx + 0.5;
        S.cy = my + 0.5;
    }
}

void Step(int button) {
    Take_Cursor();
    const int dx = button == PAD_DPLEFT ? -Step_Px : button == PAD_DPRIGHT ? Step_Px : 0;
    const int dy = button == PAD_DPUP ? -Step_Px : button == PAD_DPDOWN ? Step_Px : 0;
    Cursor_To(S.cx + dx, S.cy + dy);
}

bool Is_Dpad(int button) {
    return button >= PAD_DPUP && button <= PAD_DPRIGHT;
}

double Deflection(int value) {
    const double v = std::fabs(value / 32767.0);
    return v <= Dead_Zone ? 0 : std::fmin((v - Dead_Zone) / (1 - Dead_Zone), 1.0);
}

void Move_By_Sticks(uint32_t dt) {
    double vx = 0, vy = 0, strongest = 0;
    auto add = [&](int ax, int ay) {
        const double d = Deflection(static_cast<int>(std::hypot(S.axis[ax], S.axis[ay])));
        if (d <= 0) return;
        const double len = std::hypot(S.axis[ax], S.axis[ay]);
        vx += S.axis[ax] / len * d;
        vy += S.axis[ay] / len * d;
        strongest = std::fmax(strongest, d);
    };
    add(PAD_RIGHTX, PAD_RIGHTY);
    if (!S.play) add(PAD_LEFTX, PAD_LEFTY);
    if (strongest <= 0) {
        S.stick_held_ms = 0;
        return;
    }
    if (S.stick_held_ms == 0) Take_Cursor();
    S.stick_held_ms += dt;
    const double speed = Pad_Cursor_Speed(strongest, S.stick_held_ms) * dt / 1000.0;
    const double norm = std::hypot(vx, vy);
    Cursor_To(S.cx + vx / norm * speed, S.cy + vy / norm * speed);
}

void Steer_By_Stick() {
    const double x = S.axis[PAD_LEFTX] / 32767.0;
    Key want = S.stick_key;
    if (x <= -Steer_On)
        want = Left;
    else if (x >= Steer_On)
        want = Right;
    else if (std::fabs(x) < Steer_Off)
        want = None;
    if (want.vk == S.stick_key.vk) return;
    Let_Go(&S.stick_key);
    Hold(&S.stick_key, want);
}

}  // namespace

int Pad_Button_Named(const std::string& name) {
    for (int i = 0; i < PAD_BUTTON_COUNT; ++i)
        if (name == Button_Names[i]) return i;
    return -1;
}

int Pad_Axis_Named(const std::string& name) {
    for (int i = 0; i < PAD_AXIS_COUNT; ++i)
        if (name == Axis_Names[i]) return i;
    return -1;
}

double Pad_Cursor_Speed(double deflection, double held_ms) {
    const double ramp = 1 + std::fmin(held_ms, 800.0) / 800.0;
    return (40 + 560 * deflection * deflection) * ramp;
}

void Plat_Pad_Blocks_Falling() {
    S.play_marked = true;
}

void Plat_Pad_Button(int button, bool down) {
    if (button < 0 || button >= PAD_BUTTON_COUNT) return;
    Key* slot = &S.held[button];
    if (!down) {
        Let_Go(slot);
        S.stepping[button] = false;
        return;
    }
    if (slot->vk != 0 || S.stepping[button]) return;  // already down
    S.pressed_at[button] = S.last_step[button] = Plat_Tick();
    const Key k = (S.play ? Play_Keys : Pointer_Keys)[button];
    if (k.vk == 0 && !S.play && Is_Dpad(button)) {
        Step(button);
        S.stepping[button] = true;  // repeated while held
        return;
    }
    Hold(slot, k);
}

void Plat_Pad_Axis(int axis, int value) {
    if (axis < 0 || axis >= PAD_AXIS_COUNT) return;
    S.axis[axis] = value < -32767 ? -32767 : value;
    if (S.play) Steer_By_Stick();
}

void Plat_Pad_Unplugged() {
    for (Key& k : S.held) Let_Go(&k);
    for (bool& b : S.stepping) b = false;
    Let_Go(&S.stick_key);
    std::memset(S.axis, 0, sizeof S.axis);
    if (S.play) {
        // Blocks must not fall on with nobody at the pad: ПАУЗА, until the player goes on.
        Plat_In_Event(VK_PAUSE, DIK_PAUSE, true, false);
        Plat_In_Event(VK_PAUSE, DIK_PAUSE, false, false);
    }
}

void Plat_Touch_Down(int x, int y) {
    S.touching = true;
    S.dragging = S.finger_pressed = false;
    S.touch_x = x;
    S.touch_y = y;
    S.touch_at = Plat_Tick();
    Cursor_To(x + 0.5, y + 0.5);
}

void Plat_Touch_Move(int x, int y) {
    if (!S.touching) return;
    if (!S.dragging && (std::abs(x - S.touch_x) > Drag_Px || std::abs(y - S.touch_y) > Drag_Px))
        S.dragging = true;
    if (S.dragging || S.finger_pressed) Cursor_To(x + 0.5, y + 0.5);
}

void Plat_Touch_Up(int x, int y) {
    if (!S.touching) return;
    S.touching = false;
    if (S.finger_pressed) {
        Plat_In_Event(VK_LBUTTON, 0, false, false);
    } else if (!S.dragging) {
        // A tap: a click where the finger was, down through one whole frame.
        Cursor_To(x + 0.5, y + 0.5);
        Plat_In_Event(VK_LBUTTON, 0, true, false);
        Plat_In_Event(VK_LBUTTON, 0, false, false);
    }
    S.finger_pressed = S.dragging = false;
}

void Plat_Pad_Frame() {
    const uint32_t now = Plat_Tick();
    uint32_t dt = now - S.last_frame;
    if (S.last_frame == 0 || dt > 100) dt = dt > 100 ? 100 : 16;
    S.last_frame = now;
    S.play = S.play_marked;
    S.play_marked = false;
    if (S.play)
        Steer_By_Stick();
    else
        Let_Go(&S.stick_key);
    Move_By_Sticks(dt);
    for (int b = PAD_DPUP; b <= PAD_DPRIGHT; ++b) {
        if (!S.stepping[b]) continue;
        if (now - S.pressed_at[b] >= Step_Delay && now - S.last_step[b] >= Step_Every) {
            S.last_step[b] = now;
            Step(b);
        }
    }
    if (S.touching && !S.dragging && !S.finger_pressed && now - S.touch_at >= Long_Press) {
        S.finger_pressed = true;  // held still: the button is held until the finger lifts
        Plat_In_Event(VK_LBUTTON, 0, true, false);
    }
}

void Plat_Pad_Reset() {
    S = Pad_State{};
}

void Plat_Virtual_Pad_Button(int button, bool down) {
    if (!Plat_Backend_Virtual_Pad(0, button, down ? 1 : 0)) Plat_Pad_Button(button, down);
}

void Plat_Virtual_Pad_Axis(int axis, int value) {
    if (!Plat_Backend_Virtual_Pad(1, axis, value)) Plat_Pad_Axis(axis, value);
}

void Plat_Virtual_Pad_Plug(bool plugged) {
    if (!Plat_Backend_Virtual_Pad(2, 0, plugged ? 1 : 0) && !plugged) Plat_Pad_Unplugged();
}

void Plat_Virtual_Touch(Touch_Phase phase, int x, int y) {
    if (Plat_Backend_Virtual_Touch(phase, x, y)) return;
    if (phase == TOUCH_DOWN) Plat_Touch_Down(x, y);
    if (phase == TOUCH_MOVE) Plat_Touch_Move(x, y);
    if (phase == TOUCH_UP) Plat_Touch_Up(x, y);
}
