// The window system over SDL2: opening and closing the window, SDL's events into
// the emulated Win32 input, and showing 8-bit frames one of two ways (sdl_renderer.cpp,
// sdl_surface.cpp). With its other files (sdl_*.cpp) and the sound backend
// (sdl_audio.cpp), the only code of the program that sees SDL.
#include "platform/sdl_parts.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/report_log.h"
#include "platform/pad.h"
#include "platform/sdl_system.h"

namespace {

void Handle_Event(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            Plat_Post_Quit();
            return;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) Plat_Post_Close();
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                Sdl.need_redraw = true;
            return;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            Sdl.need_redraw = true;
            Sdl.lost = true;
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
            int x = 0, y = 0;
            To_Picture(e.motion.x, e.motion.y, &x, &y);
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

// Takes the system's pending events into the emulated input. SDL's pump reads the
// X connection four times even when nothing came: while the display is quiet, the
// events SDL holds already are taken without it, and it still runs every 100 ms
// for what SDL watches besides (signals, the screen saver).
void Sdl_Pump() {
    Pads_Poll();  // pads are read here, not by every event poll
    SDL_Event e;
    static uint32_t last_pump = 0;
    const uint32_t now = SDL_GetTicks();
    if (now - last_pump < 100 && Display_Quiet()) {
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
            Handle_Event(e);
        return;
    }
    last_pump = now;
    while (SDL_PollEvent(&e)) Handle_Event(e);
}

// Whether the rectangle of the frame is what is shown there.
bool Shown_Already(const uint8_t* pixels, int pitch, const Plat_Rect& r) {
    const int x0 = std::max(r.x, 0), x1 = std::min(r.x + r.w, Pic_W);
    for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, Pic_H); ++y)
        if (x1 > x0 && std::memcmp(&Sdl.shown_pixels[static_cast<size_t>(y) * Pic_W + x0],
                                   pixels + static_cast<ptrdiff_t>(y) * pitch + x0,
                                   static_cast<size_t>(x1 - x0)) != 0)
            return false;
    return true;
}

// A frame that is the same as the one on screen is not drawn again.
bool Show(const uint8_t* pixels, int pitch, const uint8_t* palette, const Plat_Rect* changed,
          int count) {
    if (Sdl.headless) return true;
    if (Sdl.way == Sdl_Way::Through_Surface)
        return Show_Surface(pixels, pitch, palette, changed, count);
    bool same =
        !Sdl.need_redraw && std::memcmp(Sdl.shown_palette, palette, sizeof Sdl.shown_palette) == 0;
    const Plat_Rect whole{0, 0, Pic_W, Pic_H};
    if (changed == nullptr) {
        changed = &whole;
        count = 1;
    }
    for (int i = 0; same && i < count; ++i) same = Shown_Already(pixels, pitch, changed[i]);
    if (same) return false;
    for (int y = 0; y < Pic_H; ++y)
        std::memcpy(&Sdl.shown_pixels[static_cast<size_t>(y) * Pic_W],
                    pixels + static_cast<ptrdiff_t>(y) * pitch, Pic_W);
    std::memcpy(Sdl.shown_palette, palette, sizeof Sdl.shown_palette);
    Sdl.need_redraw = false;
    Draw_Shown();
    return true;
}

void Reattach() {
    // Every frame's palette is compared with the one shown: a palette set anew
    // shows itself, and nothing else needs drawing again.
}
bool Is_Lost() {
    return Sdl.lost;
}
void Restored() {
    Sdl.lost = false;
    Sdl.need_redraw = true;
}
void Beep() {
    // The desktop has no system beep to borrow; a flash of the window says the same.
    if (Sdl.win != nullptr && !Sdl.headless) SDL_FlashWindow(Sdl.win, SDL_FLASH_BRIEFLY);
}
void Cursor(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void Wait_Input(uint32_t ms) {
    // The event that ends the wait is taken and handled here, as the pump would.
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, static_cast<int>(ms))) Handle_Event(e);
}

// The script's pad and finger are taken at once, as its keys are: the next look
// sees them.
void Pad_Now(int what, int index, int value) {
    Virtual_Pad(what, index, value);
    Sdl_Pump();
}
void Touch_Now(int phase, int x, int y) {
    Virtual_Touch(phase, x, y);
    Sdl_Pump();
}

const Plat_Backend Sdl_Backend = {Sdl_Pump, Show,   Reattach,   Is_Lost, Restored,
                                  Beep,     Cursor, Wait_Input, Pad_Now, Touch_Now};

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
        const std::string tried = Sdl.way_text;
        Close_Renderer();
        if (Open_Surface()) {
            Sdl.way_text += " (" + tried + " runs on the CPU)";
            return true;
        }
        if (Open_Renderer(true)) return true;
    }
    return Open_Renderer(false);
}

// A window that could not be opened: closed again, the reason handed on.
Plat_Open_Result Failed(const char* what, std::string* error) {
    if (*what != '\0') Sdl_Fail(what);
    *error = Sdl_Error();
    Plat_Close();
    return PLAT_OPEN_NO_WINDOW;
}

Plat_Open_Result Open_Window(const char* title, bool headless, std::string* error) {
    Sdl.headless = headless;
    if (Sdl.headless) {
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
    if (Sdl.headless || Script_Active())
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    Sdl_Clear_Error();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        return Failed("no display could be opened", error);
    if (!Pads_Open()) Report_Log("\n Игровые пульты недоступны: %s", SDL_GetError());
    Sdl.sdl_up = true;
    Plat_Set_Backend(&Sdl_Backend);
    // Without a desktop SDL falls back to drivers that show nothing; unless that was
    // asked for, there is no display to play on.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!Sdl.headless && std::getenv("SDL_VIDEODRIVER") == nullptr && driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        *error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY leads to one)";
        Plat_Close();
        return PLAT_OPEN_NO_WINDOW;
    }
    Sdl.fullscreen = Starts_Full_Screen();
    Sdl.scale = Plat_Start_Sharp() ? Plat_Scale::Sharp : Plat_Scale::Whole;
    Sdl.covering = false;
    int w = Pic_W, h = Pic_H;
    if (!Sdl.fullscreen) Window_Size_For_Windowed(&w, &h);
    Sdl.win = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                               SDL_WINDOW_HIDDEN | Window_Flags());
    if (Sdl.win == nullptr) return Failed("the window could not be opened", error);
    if (!Sdl.headless && !Choose_Present_Way()) return Failed("", error);
    // Full screen once the renderer has made the window it draws to.
    if (Sdl.fullscreen) Go_Full_Screen();
    SDL_ShowWindow(Sdl.win);
    if (Sdl.covering) Go_Full_Screen();  // a window shown for the first time is placed anew
    std::memset(Sdl.shown_palette, 0, sizeof Sdl.shown_palette);
    Sdl.need_redraw = true;
    return PLAT_OPEN_OK;
}

void Close_Window() {
    Close_Pads();
    Close_Renderer();
    Close_Surface();  // before the window it shows in
    if (Sdl.win) SDL_DestroyWindow(Sdl.win);
    Sdl.win = nullptr;
    Sdl.way = Sdl_Way::Unopened;
    Sdl.way_text.clear();
    if (Sdl.sdl_up) SDL_Quit();
    Sdl.sdl_up = false;
}

void Alert(const char* text) {
    // Without a window or a display this fails, and stderr has said it already.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Veltran", text, Sdl.win);
}

const Plat_System Sdl_System = {Open_Window,    Close_Window,
                                Window_Size,    [] { return Sdl.way_text.c_str(); },
                                Sdl_Audio_Open, Alert};

}  // namespace

void Plat_Use_Sdl() {
    Plat_Set_System(&Sdl_System);
}
