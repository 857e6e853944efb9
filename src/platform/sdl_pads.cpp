// Game pads and fingers over SDL's game controllers and touch events, and the
// virtual pad and finger the script and the built-in player play with.
#include "platform/sdl_parts.h"

#include "core/report_log.h"
#include "platform/pad.h"

namespace {

constexpr int Max_Pads = 8;
SDL_GameController* Pads[Max_Pads];
bool Pads_Up = false;  // the game-controller subsystem came up
// The script's and the built-in player's pad, a controller SDL itself emulates, and
// the touch device its fingers come from. In scripted mode only they are heard.
SDL_Joystick* Virtual_Joy = nullptr;
SDL_JoystickID Virtual_Id = -1;
constexpr SDL_TouchID Virtual_Touch_Id = 0x56454C54;
bool Finger_Down = false;
SDL_FingerID Finger_Id = 0;

int Pad_Slot(SDL_JoystickID id) {
    for (int i = 0; i < Max_Pads; ++i)
        if (Pads[i] != nullptr &&
            SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(Pads[i])) == id)
            return i;
    return -1;
}

void Open_Pad(int device) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
    if ((Script_Active() && id != Virtual_Id) || Pad_Slot(id) >= 0) return;
    for (SDL_GameController*& slot : Pads)
        if (slot == nullptr) {
            slot = SDL_GameControllerOpen(device);
            if (slot != nullptr)
                Report_Log("\n Подключен игровой пульт: %s", SDL_GameControllerName(slot));
            return;
        }
}

// A pad pulled out; the last one leaving lets go of everything it held.
void Close_Pad(SDL_JoystickID id) {
    const int slot = Pad_Slot(id);
    if (slot < 0) return;
    SDL_GameControllerClose(Pads[slot]);
    Pads[slot] = nullptr;
    Report_Log("\n Игровой пульт отключен");
    for (SDL_GameController* p : Pads)
        if (p != nullptr) return;
    Plat_Pad_Unplugged();
}

bool Attach_Virtual_Pad() {
    if (Virtual_Joy != nullptr) return true;
    // The built-in player's pad plays whether or not the window has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_VirtualJoystickDesc d;
    SDL_zero(d);
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    d.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    d.name = "Veltran virtual pad";
    const int device = SDL_JoystickAttachVirtualEx(&d);
    if (device < 0 || (Virtual_Joy = SDL_JoystickOpen(device)) == nullptr) {
        Sdl_Fail("no virtual pad");
        Report_Log("\n Виртуальный игровой пульт недоступен: %s", Sdl_Error().c_str());
        return false;
    }
    Virtual_Id = SDL_JoystickInstanceID(Virtual_Joy);
    Open_Pad(device);  // at once: a press made right away is heard
    return true;
}

void Detach_Virtual_Pad() {
    if (Virtual_Joy == nullptr) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == Virtual_Id) SDL_JoystickDetachVirtual(i);
    SDL_JoystickClose(Virtual_Joy);
    Virtual_Joy = nullptr;
}

}  // namespace

bool Pads_Open() {
    // Pads are welcome, not needed; they are read when the events are (Pads_Poll).
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    Pads_Up = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    return Pads_Up;
}

void Pads_Poll() {
    // Four times a second while none is plugged in (to notice one), every 8 ms while
    // one is.
    if (!Pads_Up) return;
    static uint32_t last = 0;
    const uint32_t now = SDL_GetTicks();
    bool any = false;
    for (SDL_GameController* p : Pads) any = any || p != nullptr;
    if (now - last >= (any ? 8u : 250u)) {
        last = now;
        SDL_JoystickUpdate();
    }
}

void Close_Pads() {
    for (SDL_GameController*& p : Pads) {
        if (p != nullptr) SDL_GameControllerClose(p);
        p = nullptr;
    }
    if (Virtual_Joy != nullptr) SDL_JoystickClose(Virtual_Joy);
    Virtual_Joy = nullptr;
    Virtual_Id = -1;
    Finger_Down = false;
    Pads_Up = false;
}

void Virtual_Pad(int what, int index, int value) {
    if (what == 2 && value == 0) {
        Detach_Virtual_Pad();
    } else {
        if (!Attach_Virtual_Pad()) return;
        if (what == 0)
            SDL_JoystickSetVirtualButton(Virtual_Joy, index, static_cast<Uint8>(value));
        else if (what == 1)
            SDL_JoystickSetVirtualAxis(Virtual_Joy, index, static_cast<Sint16>(value));
    }
    SDL_JoystickUpdate();
}

// A finger of the script, as a touch screen's event at that point of the picture.
void Virtual_Touch(int phase, int x, int y) {
    int w = 0, h = 0;
    if (Sdl.win == nullptr) return;
    SDL_GetWindowSize(Sdl.win, &w, &h);
    if (w <= 0 || h <= 0) return;
    const Plat_Layout l = Plat_Layout_For(w, h, Sdl.scale);
    SDL_Event e;
    SDL_zero(e);
    e.type = phase == TOUCH_DOWN   ? SDL_FINGERDOWN
             : phase == TOUCH_MOVE ? SDL_FINGERMOTION
                                   : SDL_FINGERUP;
    e.tfinger.timestamp = SDL_GetTicks();
    e.tfinger.touchId = Virtual_Touch_Id;
    e.tfinger.fingerId = 1;
    e.tfinger.x = static_cast<float>((l.x + (x + 0.5) * l.w / Pic_W) / w);
    e.tfinger.y = static_cast<float>((l.y + (y + 0.5) * l.h / Pic_H) / h);
    e.tfinger.pressure = 1;
    e.tfinger.windowID = SDL_GetWindowID(Sdl.win);
    SDL_PushEvent(&e);
}

bool Handle_Pad_Or_Finger(const SDL_Event& e) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Open_Pad(e.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close_Pad(e.cdevice.which);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (Pad_Slot(e.cbutton.which) >= 0)
                Plat_Pad_Button(e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
            return true;
        case SDL_CONTROLLERAXISMOTION:
            if (Pad_Slot(e.caxis.which) >= 0) Plat_Pad_Axis(e.caxis.axis, e.caxis.value);
            return true;
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: {
            if (Script_Active() != (e.tfinger.touchId == Virtual_Touch_Id)) return true;
            const bool first = e.type == SDL_FINGERDOWN && !Finger_Down;
            if (!first && (!Finger_Down || e.tfinger.fingerId != Finger_Id)) return true;
            int w = 0, h = 0, x = 0, y = 0;
            SDL_GetWindowSize(Sdl.win, &w, &h);
            To_Picture(static_cast<int>(e.tfinger.x * w), static_cast<int>(e.tfinger.y * h), &x,
                       &y);
            if (first) {
                Finger_Down = true;
                Finger_Id = e.tfinger.fingerId;
                Plat_Touch_Down(x, y);
            } else if (e.type == SDL_FINGERMOTION) {
                Plat_Touch_Move(x, y);
            } else if (e.type == SDL_FINGERUP) {
                Finger_Down = false;
                Plat_Touch_Up(x, y);
            }
            return true;
        }
        default:
            return false;
    }
}
