// The window backend over SDL2: opening the window and its scaling, translating
// SDL events into the emulated Win32 input, and showing 8-bit frames. With the
// sound backend (sdl_audio.cpp), the only code of the program that sees SDL.
#include <SDL.h>
#if VELTRAN_HAVE_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/platform_internal.h"

namespace {

constexpr int Pic_W = Plat_Frame_W, Pic_H = Plat_Frame_H;

SDL_Window* Win = nullptr;
SDL_Renderer* Renderer = nullptr;
SDL_Texture* Texture = nullptr;
bool Sdl_Up = false;
bool Headless = false;  // scripted without VELTRAN_SHOW: frames are kept, not drawn
bool Fullscreen = true;
bool Covering = false;  // full screen as a borderless window over the display
bool Lost = false;
bool Need_Redraw = true;
std::string Error;

std::vector<uint8_t> Shown_Pixels(Pic_W* Pic_H, 0);
uint8_t Shown_Palette[1024];

bool Env_Is(const char* name, const char* value) {
    const char* v = std::getenv(name);
    return v != nullptr && std::strcmp(v, value) == 0;
}

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

void Window_Size_For_Windowed(int* w, int* h) {
    SDL_Rect usable;
    int display = Win ? SDL_GetWindowDisplayIndex(Win) : 0;
    *w = Pic_W;
    *h = Pic_H;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) == 0 &&
        usable.w >= 2 * Pic_W && usable.h >= 2 * Pic_H) {
        *w = 2 * Pic_W;
        *h = 2 * Pic_H;
    }
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

void Toggle_Fullscreen() {
    if (Win == nullptr) return;
    Fullscreen = !Fullscreen;
    if (Fullscreen)
        Go_Full_Screen();
    else
        Go_Windowed();
    Need_Redraw = true;
}

int Clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

void Handle_Event(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            Plat_Post_Quit();
            return;
        case SDL_WINDOWEVENT:
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
            Key_Def extra{};
            const Key_Def* k = Key_For_Scancode(s, &extra);
            if (k != nullptr) Plat_In_Key(k->vk, k->dik, down, e.key.repeat != 0);
            return;
        }
        case SDL_MOUSEMOTION:
            // The renderer's logical size maps window pixels to picture pixels; the
            // bars around the picture report its nearest edge.
            Plat_In_Mouse_Move(Clamp(e.motion.x, 0, Pic_W - 1), Clamp(e.motion.y, 0, Pic_H - 1));
            return;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int vk = e.button.button == SDL_BUTTON_LEFT    ? VK_LBUTTON
                     : e.button.button == SDL_BUTTON_RIGHT ? VK_RBUTTON
                                                           : 0;
            if (vk != 0) Plat_In_Mouse_Button(vk, e.type == SDL_MOUSEBUTTONDOWN);
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
    SDL_RenderClear(Renderer);
    SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
    SDL_RenderPresent(Renderer);
}

void Pump() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) Handle_Event(e);
}

// A frame that is the same as the one on screen is not drawn again.
void Show(const uint8_t* pixels, int pitch, const uint8_t* palette) {
    if (Headless) return;
    bool same = !Need_Redraw && std::memcmp(Shown_Palette, palette, sizeof Shown_Palette) == 0;
    for (int y = 0; same && y < Pic_H; ++y)
        same = std::memcmp(&Shown_Pixels[static_cast<size_t>(y) * Pic_W],
                           pixels + static_cast<ptrdiff_t>(y) * pitch, Pic_W) == 0;
    if (same) return;
    for (int y = 0; y < Pic_H; ++y)
        std::memcpy(&Shown_Pixels[static_cast<size_t>(y) * Pic_W],
                    pixels + static_cast<ptrdiff_t>(y) * pitch, Pic_W);
    std::memcpy(Shown_Palette, palette, sizeof Shown_Palette);
    Need_Redraw = false;
    Draw_Shown();
}

void Reattach() {
    Need_Redraw = true;
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

const Plat_Backend Sdl_Backend = {Pump, Show, Reattach, Is_Lost, Restored, Beep, Cursor};

}  // namespace

Plat_Open_Result Plat_Open(const char* title, Plat_Window_Proc proc) {
    Plat_Set_Window_Proc_Internal(proc);
    Plat_In_Reset();
    const char* script_path = std::getenv("VELTRAN_SCRIPT");
    if (script_path != nullptr && *script_path != '\0') {
        std::ifstream in(script_path, std::ios::binary);
        if (!in) {
            Error = std::string("cannot read the script ") + script_path;
            return PLAT_OPEN_BAD_SCRIPT;
        }
        std::stringstream text;
        text << in.rdbuf();
        std::vector<Script_Command> commands;
        std::string why;
        if (!Script_Parse(text.str(), &commands, &why)) {
            Error = std::string("script ") + script_path + ", " + why;
            return PLAT_OPEN_BAD_SCRIPT;
        }
        Plat_Clock_Set_Virtual(true);
        Script_Start(std::move(commands));
        Headless = !Env_Is("VELTRAN_SHOW", "1");
        if (Headless) {
            SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
            SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        }
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        Error = std::string("no display could be opened: ") + SDL_GetError();
        return PLAT_OPEN_NO_WINDOW;
    }
    Sdl_Up = true;
    Plat_Set_Backend(&Sdl_Backend);
    // Without a desktop SDL falls back to drivers that show nothing; unless that was
    // asked for, there is no display to play on.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!Headless && std::getenv("SDL_VIDEODRIVER") == nullptr && driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        Error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY leads to one)";
        Plat_Close();
        return PLAT_OPEN_NO_WINDOW;
    }
    Fullscreen = !Env_Is("VELTRAN_WINDOWED", "1");
    Covering = false;
    int w = Pic_W, h = Pic_H;
    if (!Fullscreen) Window_Size_For_Windowed(&w, &h);
    Win = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                           SDL_WINDOW_HIDDEN);
    if (Win == nullptr) {
        Error = std::string("the window could not be opened: ") + SDL_GetError();
        Plat_Close();
        return PLAT_OPEN_NO_WINDOW;
    }
    if (!Headless) {
        Renderer = SDL_CreateRenderer(Win, -1, 0);
        if (Renderer == nullptr) Renderer = SDL_CreateRenderer(Win, -1, SDL_RENDERER_SOFTWARE);
        if (Renderer == nullptr) {
            Error = std::string("no renderer for the window: ") + SDL_GetError();
            Plat_Close();
            return PLAT_OPEN_NO_WINDOW;
        }
        SDL_RenderSetLogicalSize(Renderer, Pic_W, Pic_H);
        SDL_RenderSetIntegerScale(Renderer, SDL_TRUE);
        Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                    Pic_W, Pic_H);
        if (Texture == nullptr) {
            Error = std::string("no texture for the window: ") + SDL_GetError();
            Plat_Close();
            return PLAT_OPEN_NO_WINDOW;
        }
    }
    // Full screen once the renderer has made the window it draws to.
    if (Fullscreen) Go_Full_Screen();
    SDL_ShowWindow(Win);
    if (Covering) Go_Full_Screen();  // a window shown for the first time is placed anew
    std::memset(Shown_Palette, 0, sizeof Shown_Palette);
    Need_Redraw = true;
    return PLAT_OPEN_OK;
}

void Plat_Close() {
    if (Texture) SDL_DestroyTexture(Texture);
    if (Renderer) SDL_DestroyRenderer(Renderer);
    if (Win) SDL_DestroyWindow(Win);
    Texture = nullptr;
    Renderer = nullptr;
    Win = nullptr;
    if (Sdl_Up) SDL_Quit();
    Sdl_Up = false;
    Plat_Set_Backend(nullptr);
}

bool Plat_Window_Size(int* w, int* h) {
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

const char* Plat_Error() {
    return Error.c_str();
}
