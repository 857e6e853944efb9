// The window backend over SDL2: opening the window and its scaling, translating
// SDL events into the emulated Win32 input, and showing 8-bit frames. With the
// sound backend (sdl_audio.cpp), the only code of the program that sees SDL.
#include <SDL.h>
#if VELTRAN_HAVE_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/files.h"
#include "core/report_log.h"
#include "platform/pad.h"
#include "platform/platform_internal.h"
#include "platform/sdl_system.h"
#include "platform/settings.h"
#include "platform/view.h"

namespace {

constexpr int Pic_W = Plat_Frame_W, Pic_H = Plat_Frame_H;

SDL_Window* Win = nullptr;
SDL_Renderer* Renderer = nullptr;
SDL_Texture* Texture = nullptr;
// Sharp scaling on the renderer path: the picture enlarged by the whole factor
// into this target, which is then drawn to the window with smoothing.
SDL_Texture* Enlarged = nullptr;
int Enlarged_K = 0;
Plat_Scale Scale = Plat_Scale::Sharp;
Plat_Sharp_Scaler Sharp;
bool Sharp_Surface = false;  // the surface path draws through Sharp

// How frames reach the window: through SDL's renderer (a texture the GPU scales),
// or, where there is no GPU to do it, converted and scaled by the program straight
// into the window's own surface, only the parts that changed since the last frame.
enum class Way { Unopened, Through_Renderer, Through_Surface };
Way Present_Way = Way::Unopened;
std::string Way_Text;

// Where the picture sits in the window on the surface path: its scale and its
// top-left corner (black bars around it).
int View_K = 1, View_X = 0, View_Y = 0;
int Surface_W = 0, Surface_H = 0;
uint32_t Surface_Lut[256];
std::vector<uint32_t> Scaled_Row;
bool Sdl_Up = false;
bool Headless = false;  // scripted without VELTRAN_SHOW: frames are kept, not drawn
bool Fullscreen = true;
bool Covering = false;  // full screen as a borderless window over the display
bool Lost = false;
bool Need_Redraw = true;
std::string Error;

std::vector<uint8_t> Shown_Pixels(Pic_W* Pic_H, 0);
uint8_t Shown_Palette[1024];

// Keys of a real keyboard by physical position (US layout), so that the game's own
// ENG/РУС switch works whatever the desktop's layout is.
struct Scan_Map {
    SDL_Scancode scan;
    int vk;
    int dik;
};

const Key_Def* Key_For_Scancode(SDL_Scancode s, Key_Def* extra) {
    static const struct {
        SDL_Scancode scan;
        const char* name;
    } named[] = {
        {SDL_SCANCODE_LEFT, "LEFT"},
        {SDL_SCANCODE_RIGHT, "RIGHT"},
        {SDL_SCANCODE_UP, "UP"},
        {SDL_SCANCODE_DOWN, "DOWN"},
        {SDL_SCANCODE_RETURN, "RETURN"},
        {SDL_SCANCODE_SPACE, "SPACE"},
        {SDL_SCANCODE_ESCAPE, "ESCAPE"},
        {SDL_SCANCODE_TAB, "TAB"},
        {SDL_SCANCODE_BACKSPACE, "BACK"},
        {SDL_SCANCODE_DELETE, "DELETE"},
        {SDL_SCANCODE_LSHIFT, "SHIFT"},
        {SDL_SCANCODE_PAUSE, "PAUSE"},
        {SDL_SCANCODE_APPLICATION, "APPS"},
        {SDL_SCANCODE_F5, "F5"},
        {SDL_SCANCODE_F6, "F6"},
        {SDL_SCANCODE_F7, "F7"},
        {SDL_SCANCODE_F8, "F8"},
        {SDL_SCANCODE_SEMICOLON, "OEM_1"},
        {SDL_SCANCODE_SLASH, "OEM_2"},
        {SDL_SCANCODE_GRAVE, "OEM_3"},
        {SDL_SCANCODE_LEFTBRACKET, "OEM_4"},
        {SDL_SCANCODE_BACKSLASH, "OEM_5"},
        {SDL_SCANCODE_RIGHTBRACKET, "OEM_6"},
        {SDL_SCANCODE_APOSTROPHE, "OEM_7"},
        {SDL_SCANCODE_EQUALS, "OEM_PLUS"},
        {SDL_SCANCODE_MINUS, "OEM_MINUS"},
        {SDL_SCANCODE_COMMA, "OEM_COMMA"},
        {SDL_SCANCODE_PERIOD, "OEM_PERIOD"},
    };
    static const Scan_Map others[] = {
        {SDL_SCANCODE_RSHIFT, VK_SHIFT, DIK_RSHIFT},
        {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x9C},
        {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37},
        {SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E},
        {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A},
        {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, 0x53},
        {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0xB5},
        {SDL_SCANCODE_KP_0, 0x60, 0x52},
        {SDL_SCANCODE_KP_1, 0x61, 0x4F},
        {SDL_SCANCODE_KP_2, 0x62, 0x50},
        {SDL_SCANCODE_KP_3, 0x63, 0x51},
        {SDL_SCANCODE_KP_4, 0x64, 0x4B},
        {SDL_SCANCODE_KP_5, 0x65, 0x4C},
        {SDL_SCANCODE_KP_6, 0x66, 0x4D},
        {SDL_SCANCODE_KP_7, 0x67, 0x47},
        {SDL_SCANCODE_KP_8, 0x68, 0x48},
        {SDL_SCANCODE_KP_9, 0x69, 0x49},
    };
    char name[2] = {0, 0};
    if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) {
        name[0] = static_cast<char>('A' + (s - SDL_SCANCODE_A));
        return Plat_Find_Key(name);
    }
    if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) {
        name[0] = static_cast<char>('1' + (s - SDL_SCANCODE_1));
        return Plat_Find_Key(name);
    }
    if (s == SDL_SCANCODE_0) return Plat_Find_Key("0");
    for (const auto& n : named)
        if (n.scan == s) return Plat_Find_Key(n.name);
    for (const auto& o : others)
        if (o.scan == s) {
            *extra = Key_Def{"", o.vk, o.dik};
            return extra;
        }
    return nullptr;
}

// The window: the largest whole factor whose window, with the frame the window
// manager puts around it, fits the work area (the desktop less its panels).
void Window_Size_For_Windowed(int* w, int* h) {
    SDL_Rect usable;
    int display = Win ? SDL_GetWindowDisplayIndex(Win) : 0;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (Win == nullptr || SDL_GetWindowBordersSize(Win, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;  // no window manager (yet): no frame
    int k = 1;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) == 0)
        k = Plat_Window_Factor(usable.w, usable.h, left + right, top + bottom);
    *w = k * Pic_W;
    *h = k * Pic_H;
}

#if VELTRAN_HAVE_X11
bool X11_Window(Display** display, ::Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (Win == nullptr || !SDL_GetWindowWMInfo(Win, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    *display = info.info.x11.display;
    *window = info.info.x11.window;
    return true;
}
#endif

// Whether anyone will honour a request for full screen: on X, an EWMH window manager
// announces itself on the root window. Elsewhere the system always does.
bool Full_Screen_Honoured() {
#if VELTRAN_HAVE_X11
    Display* d = nullptr;
    ::Window w = 0;
    if (!X11_Window(&d, &w)) return true;
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int got = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW,
                                       &type, &format, &items, &after, &data);
    const bool running = got == Success && items == 1 && data != nullptr;
    if (data != nullptr) XFree(data);
    return running;
#else
    return true;
#endif
}

void Go_Full_Screen() {
    Covering = false;
    if (Full_Screen_Honoured()) {
        SDL_SetWindowFullscreen(Win, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    // No window manager (a kiosk, a bare X server): nobody would make the window as
    // large as the display, so it covers the display itself, without a border.
    SDL_Rect b;
    const int display = SDL_GetWindowDisplayIndex(Win);
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &b) != 0) return;
    SDL_SetWindowFullscreen(Win, 0);
    SDL_SetWindowBordered(Win, SDL_FALSE);
    SDL_SetWindowPosition(Win, b.x, b.y);
    SDL_SetWindowSize(Win, b.w, b.h);
#if VELTRAN_HAVE_X11
    // SDL may take the window for placed already; the server is told directly.
    Display* d = nullptr;
    ::Window xw = 0;
    if (X11_Window(&d, &xw)) {
        XMoveResizeWindow(d, xw, b.x, b.y, static_cast<unsigned>(b.w), static_cast<unsigned>(b.h));
        XSync(d, False);
    }
#endif
    Covering = true;
}

void Go_Windowed() {
    if (Covering) SDL_SetWindowBordered(Win, SDL_TRUE);
    Covering = false;
    SDL_SetWindowFullscreen(Win, 0);
    int w, h;
    Window_Size_For_Windowed(&w, &h);
    SDL_SetWindowSize(Win, w, h);
    SDL_SetWindowPosition(Win, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

// F9: sharp scaling that fills the screen, or whole factors with bars; remembered.
void Toggle_Scale() {
    Scale = Scale == Plat_Scale::Sharp ? Plat_Scale::Whole : Plat_Scale::Sharp;
    Settings.sharp = Scale == Plat_Scale::Sharp;
    Settings_Save();
    if (Settings_Notice != nullptr)
        Settings_Notice(Settings.sharp ? "Масштаб: весь экран" : "Масштаб: целый");
    Need_Redraw = true;
}

void Toggle_Fullscreen() {
    if (Win == nullptr) return;
    Fullscreen = !Fullscreen;
    Settings.fullscreen = Fullscreen;  // remembered for the next start
    Settings_Save();
    if (Fullscreen)
        Go_Full_Screen();
    else
        Go_Windowed();
    Need_Redraw = true;
}

int Clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// Window pixels to picture pixels; the bars around the picture give its nearest
// edge.
void To_Picture(int wx, int wy, int w, int h, int* x, int* y) {
    Plat_Layout_To_Picture(Plat_Layout_For(w, h, Scale), wx, wy, x, y);
    *x = Clamp(*x, 0, Pic_W - 1);
    *y = Clamp(*y, 0, Pic_H - 1);
}

// --- pads and fingers -------------------------------------------------------------------

void Pump();

constexpr int Max_Pads = 8;
SDL_GameController* Pads[Max_Pads];
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

void Close_Pads() {
    for (SDL_GameController*& p : Pads) {
        if (p != nullptr) SDL_GameControllerClose(p);
        p = nullptr;
    }
    if (Virtual_Joy != nullptr) SDL_JoystickClose(Virtual_Joy);
    Virtual_Joy = nullptr;
    Virtual_Id = -1;
    Finger_Down = false;
}

void Attach_Virtual_Pad() {
    if (Virtual_Joy != nullptr) return;
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
        std::fprintf(stderr, "veltran: no virtual pad: %s\n", SDL_GetError());
        return;
    }
    Virtual_Id = SDL_JoystickInstanceID(Virtual_Joy);
    Open_Pad(device);  // at once: a press made right away is heard
}

void Detach_Virtual_Pad() {
    if (Virtual_Joy == nullptr) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == Virtual_Id) SDL_JoystickDetachVirtual(i);
    SDL_JoystickClose(Virtual_Joy);
    Virtual_Joy = nullptr;
}

void Virtual_Pad(int what, int index, int value) {
    if (what == 2 && value == 0) {
        Detach_Virtual_Pad();
    } else {
        Attach_Virtual_Pad();
        if (Virtual_Joy == nullptr) return;
        if (what == 0)
            SDL_JoystickSetVirtualButton(Virtual_Joy, index, static_cast<Uint8>(value));
        else if (what == 1)
            SDL_JoystickSetVirtualAxis(Virtual_Joy, index, static_cast<Sint16>(value));
    }
    SDL_JoystickUpdate();
    Pump();  // taken now, as the script's keys are: the next look sees them
}

// A finger of the script, as a touch screen's event at that point of the picture.
void Virtual_Touch(int phase, int x, int y) {
    int w = 0, h = 0;
    if (Win == nullptr) return;
    SDL_GetWindowSize(Win, &w, &h);
    if (w <= 0 || h <= 0) return;
    const Plat_Layout l = Plat_Layout_For(w, h, Scale);
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
    e.tfinger.windowID = SDL_GetWindowID(Win);
    SDL_PushEvent(&e);
    Pump();
}

// Pad and finger events; false for any other.
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
            SDL_GetWindowSize(Win, &w, &h);
            To_Picture(static_cast<int>(e.tfinger.x * w), static_cast<int>(e.tfinger.y * h), w, h,
                       &x, &y);
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

void Handle_Event(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            Plat_Post_Quit();
            return;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) Plat_Post_Close();
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                Need_Redraw = true;
            return;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            Need_Redraw = true;
            Lost = true;
            return;
        default:
            break;
    }
    if (Handle_Pad_Or_Finger(e)) return;
    // In scripted mode the input comes from the script alone.
    if (Script_Active()) return;
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            bool down = e.type == SDL_KEYDOWN;
            SDL_Scancode s = e.key.keysym.scancode;
            bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
            if (s == SDL_SCANCODE_F11 || (alt && s == SDL_SCANCODE_RETURN)) {
                if (down && !e.key.repeat) Toggle_Fullscreen();
                return;
            }
            if (s == SDL_SCANCODE_F9) {
                if (down && !e.key.repeat) Toggle_Scale();
                return;
            }
            Key_Def extra{};
            const Key_Def* k = Key_For_Scancode(s, &extra);
            if (k == nullptr) return;
            Plat_In_Event(k->vk, k->dik, down, e.key.repeat != 0);
            return;
        }
        case SDL_MOUSEMOTION: {
            int w = 0, h = 0, x = 0, y = 0;
            SDL_GetWindowSize(Win, &w, &h);
            To_Picture(e.motion.x, e.motion.y, w, h, &x, &y);
            Plat_In_Mouse_Move(x, y);
            return;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int vk = e.button.button == SDL_BUTTON_LEFT    ? VK_LBUTTON
                     : e.button.button == SDL_BUTTON_RIGHT ? VK_RBUTTON
                                                           : 0;
            if (vk == 0) return;
            Plat_In_Event(vk, 0, e.type == SDL_MOUSEBUTTONDOWN, false);
            return;
        }
        default:
            return;
    }
}

void Draw_Shown() {
    if (Renderer == nullptr || Texture == nullptr) return;
    void* dst = nullptr;
    int dst_pitch = 0;
    if (SDL_LockTexture(Texture, nullptr, &dst, &dst_pitch) != 0) return;
    Plat_Convert_Frame(Shown_Pixels.data(), Pic_W, Shown_Palette, static_cast<uint32_t*>(dst),
                       dst_pitch / 4);
    SDL_UnlockTexture(Texture);
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(Renderer, &w, &h);
    const Plat_Layout l = Plat_Layout_For(w, h, Scale);
    const SDL_Rect to{l.x, l.y, l.w, l.h};
    SDL_RenderClear(Renderer);
    if (l.w != Pic_W * l.k) {
        // Enlarged crisply by the whole factor, then smoothed the last step.
        if (Enlarged == nullptr || Enlarged_K != l.k) {
            if (Enlarged) SDL_DestroyTexture(Enlarged);
            Enlarged = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_TARGET, Pic_W * l.k, Pic_H * l.k);
            Enlarged_K = l.k;
            if (Enlarged) SDL_SetTextureScaleMode(Enlarged, SDL_ScaleModeLinear);
        }
        if (Enlarged != nullptr && SDL_SetRenderTarget(Renderer, Enlarged) == 0) {
            SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
            SDL_SetRenderTarget(Renderer, nullptr);
            SDL_RenderClear(Renderer);
            SDL_RenderCopy(Renderer, Enlarged, nullptr, &to);
            SDL_RenderPresent(Renderer);
            return;
        }
    }
    SDL_RenderCopy(Renderer, Texture, nullptr, &to);
    SDL_RenderPresent(Renderer);
}

bool Pads_Up = false;  // the game-controller subsystem came up

void Pump() {
    // Pads are read here, not by every event poll: four times a second while none
    // is plugged in (to notice one), every 8 ms while one is.
    if (Pads_Up) {
        static uint32_t last = 0;
        const uint32_t now = SDL_GetTicks();
        bool any = false;
        for (SDL_GameController* p : Pads) any = any || p != nullptr;
        if (now - last >= (any ? 8u : 250u)) {
            last = now;
            SDL_JoystickUpdate();
        }
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) Handle_Event(e);
}

// --- the surface path ------------------------------------------------------------------

void Place_View(int w, int h) {
    const Plat_Layout l = Plat_Layout_For(w, h, Scale);
    View_K = l.k;
    View_X = l.x;
    View_Y = l.y;
    Surface_W = w;
    Surface_H = h;
    // A layout of a whole factor is drawn by whole pixels; any other through Sharp.
    Sharp_Surface = l.w != Pic_W * l.k;
    if (Sharp_Surface) Sharp.Prepare(l);
}

// The window rectangle of the layout, drawn through the sharp scaler.
void Draw_Sharp(SDL_Surface* s, const Plat_Rect& window) {
    Sharp.Draw(Shown_Pixels.data(), Surface_Lut, window, static_cast<uint32_t*>(s->pixels),
               s->pitch / 4);
}

// Converts source columns [a, b) of row y through the palette, scaled, into the
// surface, clipped to it: the first window row is written, the others copied.
void Blit_Span(SDL_Surface* s, const uint8_t* src, int y, int a, int b) {
    const int k = View_K;
    int x0 = View_X + a * k, x1 = View_X + b * k;
    const int skip = x0 < 0 ? -x0 : 0;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, s->w);
    if (x1 <= x0) return;
    const int first_dy = std::max(View_Y + y * k, 0), end_dy = std::min(View_Y + (y + 1) * k, s->h);
    if (end_dy <= first_dy) return;
    auto window_row = [&](int dy) {
        return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) +
                                           static_cast<ptrdiff_t>(dy) * s->pitch) +
               x0;
    };
    // Written straight into the window unless the picture is cut at its left.
    uint32_t* first = skip == 0 ? window_row(first_dy) : Scaled_Row.data();
    uint32_t* row = first;
    if (k == 1) {
        for (int x = a; x < b; ++x) *row++ = Surface_Lut[src[x]];
    } else if (k == 2 && skip == 0 && end_dy - first_dy == 2) {
        // The common case, twice the size: both window rows written at once.
        // Each picture pixel is one 64-bit pair of window pixels in both rows.
        uint8_t* top = reinterpret_cast<uint8_t*>(row);
        uint8_t* under = reinterpret_cast<uint8_t*>(window_row(first_dy + 1));
        for (int x = a; x < b; ++x, top += 8, under += 8) {
            const uint64_t c = Surface_Lut[src[x]] * 0x100000001ULL;
            std::memcpy(top, &c, 8);
            std::memcpy(under, &c, 8);
        }
        return;
    } else {
        for (int x = a; x < b; ++x) {
            const uint32_t c = Surface_Lut[src[x]];
            for (int i = 0; i < k; ++i) *row++ = c;
        }
    }
    const uint32_t* from = first + skip;
    const size_t bytes = static_cast<size_t>(x1 - x0) * 4;
    for (int dy = first_dy; dy < end_dy; ++dy)
        if (window_row(dy) != from) std::memcpy(window_row(dy), from, bytes);
}

bool Show_Surface(const uint8_t* pixels, int pitch, const uint8_t* palette,
                  const Plat_Rect* changed, int count) {
    SDL_Surface* s = SDL_GetWindowSurface(Win);
    if (s == nullptr || s->pixels == nullptr || s->format->BytesPerPixel != 4) {
        Need_Redraw = true;  // tried again with the next frame
        return true;
    }
    const bool full = Need_Redraw || s->w != Surface_W || s->h != Surface_H ||
                      std::memcmp(Shown_Palette, palette, sizeof Shown_Palette) != 0;
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return true;
    if (full) {
        Place_View(s->w, s->h);
        Scaled_Row.assign(static_cast<size_t>(Pic_W) * View_K, 0);
        std::memcpy(Shown_Palette, palette, sizeof Shown_Palette);
        for (int i = 0; i < 256; ++i)
            Surface_Lut[i] =
                SDL_MapRGB(s->format, palette[4 * i], palette[4 * i + 1], palette[4 * i + 2]);
        SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
        for (int y = 0; y < Pic_H; ++y) {
            const uint8_t* src = pixels + static_cast<ptrdiff_t>(y) * pitch;
            std::memcpy(&Shown_Pixels[static_cast<size_t>(y) * Pic_W], src, Pic_W);
            if (!Sharp_Surface) Blit_Span(s, src, y, 0, Pic_W);
        }
        if (Sharp_Surface) Draw_Sharp(s, Sharp.Window_Rect(Plat_Rect{0, 0, Pic_W, Pic_H}));
        if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
        Need_Redraw = SDL_UpdateWindowSurface(Win) != 0;
        return true;
    }
    struct Target {
        SDL_Surface* surface;
        const uint8_t* pixels;
        int pitch;
    } target{s, pixels, pitch};
    static Plat_Rect found[Plat_Max_Change_Rects];
    const int n = Plat_Find_Changes(
        Shown_Pixels.data(), pixels, pitch, changed, count,
        Sharp_Surface ? [](void*, int, int, int) {}
                      : [](void* context, int y, int a, int b) {
                            const Target& t = *static_cast<const Target*>(context);
                            Blit_Span(t.surface, t.pixels + static_cast<ptrdiff_t>(y) * t.pitch,
                                      y, a, b);
                        },
        &target, found);
    static SDL_Rect rects[Plat_Max_Change_Rects];
    int sent = 0;
    const SDL_Rect whole{0, 0, s->w, s->h};
    for (int i = 0; i < n; ++i) {
        const Plat_Rect& c = found[i];
        if (Sharp_Surface) {
            // The changed tiles, blended with their neighbours, from the frame shown.
            const Plat_Rect w = Sharp.Window_Rect(c);
            Draw_Sharp(s, w);
            rects[sent++] = SDL_Rect{w.x, w.y, w.w, w.h};
            continue;
        }
        const SDL_Rect r{View_X + c.x * View_K, View_Y + c.y * View_K, c.w * View_K, c.h * View_K};
        SDL_Rect clipped;
        if (SDL_IntersectRect(&r, &whole, &clipped)) rects[sent++] = clipped;
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (sent > 0 && SDL_UpdateWindowSurfaceRects(Win, rects, sent) != 0) Need_Redraw = true;
    return sent > 0;
}

// Whether the rectangle of the frame is what is shown there.
bool Shown_Already(const uint8_t* pixels, int pitch, const Plat_Rect& r) {
    const int x0 = std::max(r.x, 0), x1 = std::min(r.x + r.w, Pic_W);
    for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, Pic_H); ++y)
        if (x1 > x0 && std::memcmp(&Shown_Pixels[static_cast<size_t>(y) * Pic_W + x0],
                                   pixels + static_cast<ptrdiff_t>(y) * pitch + x0,
                                   static_cast<size_t>(x1 - x0)) != 0)
            return false;
    return true;
}

// A frame that is the same as the one on screen is not drawn again.
bool Show(const uint8_t* pixels, int pitch, const uint8_t* palette, const Plat_Rect* changed,
          int count) {
    if (Headless) return true;
    if (Present_Way == Way::Through_Surface)
        return Show_Surface(pixels, pitch, palette, changed, count);
    bool same = !Need_Redraw && std::memcmp(Shown_Palette, palette, sizeof Shown_Palette) == 0;
    const Plat_Rect whole{0, 0, Pic_W, Pic_H};
    if (changed == nullptr) {
        changed = &whole;
        count = 1;
    }
    for (int i = 0; same && i < count; ++i) same = Shown_Already(pixels, pitch, changed[i]);
    if (same) return false;
    for (int y = 0; y < Pic_H; ++y)
        std::memcpy(&Shown_Pixels[static_cast<size_t>(y) * Pic_W],
                    pixels + static_cast<ptrdiff_t>(y) * pitch, Pic_W);
    std::memcpy(Shown_Palette, palette, sizeof Shown_Palette);
    Need_Redraw = false;
    Draw_Shown();
    return true;
}

void Reattach() {
    // Every frame's palette is compared with the one shown: a palette set anew
    // shows itself, and nothing else needs drawing again.
}
bool Is_Lost() {
    return Lost;
}
void Restored() {
    Lost = false;
    Need_Redraw = true;
}
void Beep() {
    // The desktop has no system beep to borrow; a flash of the window says the same.
    if (Win != nullptr && !Headless) SDL_FlashWindow(Win, SDL_FLASH_BRIEFLY);
}
void Cursor(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void Wait_Input(uint32_t ms) {
    // The event that ends the wait is taken and handled here, as the pump would.
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, static_cast<int>(ms))) Handle_Event(e);
}

const Plat_Backend Sdl_Backend = {Pump, Show,   Reattach,   Is_Lost,     Restored,
                                  Beep, Cursor, Wait_Input, Virtual_Pad, Virtual_Touch};

// --- choosing the way frames are shown -----------------------------------------------

// Names under which Mesa and others report OpenGL done on the CPU.
bool Software_Gl(const char* name) {
    if (name == nullptr) return true;
    for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast", "SWR"})
        if (std::strstr(name, soft) != nullptr) return true;
    return false;
}

// Whether a GPU could be behind OpenGL at all, asked without loading OpenGL (which
// costs tens of megabytes where it turns out to run on the CPU): a GPU device node,
// and on X a server that hands out direct rendering (Xvfb, Xvnc and forwarded
// displays do not).
bool Gpu_Possible() {
    const char* soft = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (soft != nullptr && *soft != '\0' && std::strcmp(soft, "0") != 0 &&
        Compare_No_Case(soft, "false") != 0)
        return false;
    if (!Sys_Gpu_Device()) return false;
#if VELTRAN_HAVE_X11
    Display* d = nullptr;
    ::Window w = 0;
    if (X11_Window(&d, &w)) {
        int op = 0, event = 0, error = 0;
        bool direct = false;
        for (const char* ext : {"DRI3", "DRI2", "NV-GLX"})
            direct = direct || XQueryExtension(d, ext, &op, &event, &error);
        if (!direct) return false;
    }
#endif
    return true;
}

bool Open_Renderer(bool accelerated) {
    Renderer = SDL_CreateRenderer(Win, -1, accelerated ? 0 : SDL_RENDERER_SOFTWARE);
    if (Renderer == nullptr) return false;
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                Pic_W, Pic_H);
    if (Texture == nullptr) {
        Error = std::string("no texture for the window: ") + SDL_GetError();
        SDL_DestroyRenderer(Renderer);
        Renderer = nullptr;
        return false;
    }
    Present_Way = Way::Through_Renderer;
    SDL_RendererInfo info;
    Way_Text = "SDL renderer";
    if (SDL_GetRendererInfo(Renderer, &info) == 0) Way_Text += std::string(" ") + info.name;
    return true;
}

void Close_Renderer() {
    if (Enlarged) SDL_DestroyTexture(Enlarged);
    Enlarged = nullptr;
    Enlarged_K = 0;
    if (Texture) SDL_DestroyTexture(Texture);
    if (Renderer) SDL_DestroyRenderer(Renderer);
    Texture = nullptr;
    Renderer = nullptr;
}

// Whether the renderer made is one a GPU runs; also names its OpenGL driver.
bool Renderer_Accelerated() {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(Renderer, &info) != 0) return false;
    if ((info.flags & SDL_RENDERER_ACCELERATED) == 0 || std::strcmp(info.name, "software") == 0)
        return false;
    if (std::strncmp(info.name, "opengl", 6) != 0) return true;
    using Get_String = const unsigned char* (*)(unsigned);
    const auto get = reinterpret_cast<Get_String>(SDL_GL_GetProcAddress("glGetString"));
    const char* name = get != nullptr ? reinterpret_cast<const char*>(get(0x1F01)) : nullptr;
    if (name != nullptr) Way_Text += std::string(" (") + name + ")";
    return !Software_Gl(name);
}

bool Open_Surface() {
    SDL_Surface* s = SDL_GetWindowSurface(Win);
    if (s == nullptr || s->format->BytesPerPixel != 4) return false;
    Present_Way = Way::Through_Surface;
    Way_Text = "window surface, changed parts only";
    Surface_W = Surface_H = 0;
    return true;
}

// VELTRAN_PRESENT=surface or =renderer forces a way; otherwise the renderer is kept
// only where a GPU runs it.
bool Choose_Present_Way() {
    const char* forced = std::getenv("VELTRAN_PRESENT");
    const bool want_surface = forced != nullptr && std::strcmp(forced, "surface") == 0;
    const bool want_renderer = forced != nullptr && std::strcmp(forced, "renderer") == 0;
    if (!want_renderer && (want_surface || !Gpu_Possible()) && Open_Surface()) return true;
    if (Open_Renderer(true)) {
        if (Renderer_Accelerated() || want_renderer) return true;
        // OpenGL on the CPU: the program's own scaling of the changed parts is cheaper.
        const std::string tried = Way_Text;
        Close_Renderer();
        if (Open_Surface()) {
            Way_Text += " (" + tried + " runs on the CPU)";
            return true;
        }
        if (Open_Renderer(true)) return true;
    }
    if (Open_Renderer(false)) return true;
    if (Error.empty()) Error = std::string("no renderer for the window: ") + SDL_GetError();
    return false;
}

}  // namespace

namespace {

Plat_Open_Result Open_Window(const char* title, bool headless, std::string* error) {
    Headless = headless;
    if (Headless) {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);  // unless a test asks for another
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The window's surface is the program's to fill: SDL is not to put it on OpenGL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Closing the window is a question for the game (WM_CLOSE); SDL's quit comes
    // only from SIGTERM or SIGINT, which end the program at once.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A finger is not a mouse here: taps, drags and long presses are told apart by
    // the program.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    // The script's pad plays into a window nobody sees, which never has the focus.
    if (Headless || Script_Active()) SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        *error = std::string("no display could be opened: ") + SDL_GetError();
        return PLAT_OPEN_NO_WINDOW;
    }
    // Pads are welcome, not needed; they are read when the events are (see Pump).
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    Pads_Up = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!Pads_Up) Report_Log("\n Игровые пульты недоступны: %s", SDL_GetError());
    Sdl_Up = true;
    Plat_Set_Backend(&Sdl_Backend);
    // Without a desktop SDL falls back to drivers that show nothing; unless that was
    // asked for, there is no display to play on.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!Headless && std::getenv("SDL_VIDEODRIVER") == nullptr && driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        *error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY leads to one)";
        Plat_Close();
        return PLAT_OPEN_NO_WINDOW;
    }
    Fullscreen = Plat_Start_Fullscreen();
    Scale = Plat_Start_Sharp() ? Plat_Scale::Sharp : Plat_Scale::Whole;
    Covering = false;
    int w = Pic_W, h = Pic_H;
    if (!Fullscreen) Window_Size_For_Windowed(&w, &h);
    Win = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                           SDL_WINDOW_HIDDEN);
    if (Win == nullptr) {
        *error = std::string("the window could not be opened: ") + SDL_GetError();
        Plat_Close();
        return PLAT_OPEN_NO_WINDOW;
    }
    Error.clear();
    if (!Headless && !Choose_Present_Way()) {
        *error = Error;
        Plat_Close();
        return PLAT_OPEN_NO_WINDOW;
    }
    // Full screen once the renderer has made the window it draws to.
    if (Fullscreen) Go_Full_Screen();
    SDL_ShowWindow(Win);
    if (Covering) Go_Full_Screen();  // a window shown for the first time is placed anew
    std::memset(Shown_Palette, 0, sizeof Shown_Palette);
    Need_Redraw = true;
    return PLAT_OPEN_OK;
}

void Close_Window() {
    Close_Pads();
    Close_Renderer();
    if (Win) SDL_DestroyWindow(Win);
    Win = nullptr;
    Present_Way = Way::Unopened;
    Way_Text.clear();
    Scaled_Row.clear();
    Scaled_Row.shrink_to_fit();
    if (Sdl_Up) SDL_Quit();
    Sdl_Up = Pads_Up = false;
}

bool Window_Size(int* w, int* h) {
    if (Win == nullptr) return false;
    SDL_GetWindowSize(Win, w, h);
#if VELTRAN_HAVE_X11
    Display* d = nullptr;
    ::Window xw = 0;
    XWindowAttributes a;
    if (X11_Window(&d, &xw) && XGetWindowAttributes(d, xw, &a)) {
        *w = a.width;
        *h = a.height;
    }
#endif
    return true;
}

const Plat_System Sdl_System = {Open_Window, Close_Window, Window_Size,
                                [] { return Way_Text.c_str(); }, Sdl_Audio_Open};

}  // namespace

void Plat_Use_Sdl() {
    Plat_Set_System(&Sdl_System);
}
