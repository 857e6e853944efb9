// The operating-system services the game needs, as plain functions: one window, a
// Win32-style message queue, asynchronous key state, a DirectInput-style keyboard
// state, a millisecond tick, frame pacing and presenting 8-bit frames.
//
// This is the only interface through which the rest of the program touches the
// system; no SDL type appears here. In scripted mode (VELTRAN_SCRIPT) the same
// functions are driven by a script on a virtual clock instead of the user.
// The real window and sound device come from the system the executable installs
// (veltran_platform_sdl); without one there is no window, and sound plays on the
// silent backend whose clocks still run.
#pragma once

#include <cstdint>

// Win32 message numbers the program sees.
constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;

// Virtual-key codes (Win32 numbering).
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_PAUSE = 0x13;  // the game's ПАУЗА (a pad's Start in play)
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_APPS = 0x5D;  // the menu key: the game's МЕНЮ (a pad's Back in play)
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SEPARATOR = 0x6C;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;  // a screenshot of whatever screen is open
constexpr int VK_OEM_1 = 0xBA;
constexpr int VK_OEM_PLUS = 0xBB;
constexpr int VK_OEM_COMMA = 0xBC;
constexpr int VK_OEM_MINUS = 0xBD;
constexpr int VK_OEM_PERIOD = 0xBE;
constexpr int VK_OEM_2 = 0xBF;
constexpr int VK_OEM_3 = 0xC0;
constexpr int VK_OEM_4 = 0xDB;
constexpr int VK_OEM_5 = 0xDC;
constexpr int VK_OEM_6 = 0xDD;
constexpr int VK_OEM_7 = 0xDE;

// DirectInput keyboard scan codes the game reads.
constexpr int DIK_ESCAPE = 0x01;
constexpr int DIK_TAB = 0x0F;
constexpr int DIK_RETURN = 0x1C;
constexpr int DIK_LSHIFT = 0x2A;
constexpr int DIK_RSHIFT = 0x36;
constexpr int DIK_SPACE = 0x39;
constexpr int DIK_UP = 0xC8;
constexpr int DIK_LEFT = 0xCB;
constexpr int DIK_RIGHT = 0xCD;
constexpr int DIK_DOWN = 0xD0;
constexpr int DIK_PAUSE = 0xC5;
constexpr int DIK_APPS = 0xDD;

struct Plat_Msg {
    uint32_t message;
    uintptr_t wparam;
    intptr_t lparam;
};

using Plat_Window_Proc = intptr_t (*)(uint32_t message, uintptr_t wparam, intptr_t lparam);

// Result of Plat_Open.
enum Plat_Open_Result {
    PLAT_OPEN_OK = 0,
    PLAT_OPEN_NO_WINDOW = 1,  // no display or no window could be made
    PLAT_OPEN_BAD_SCRIPT = 2  // VELTRAN_SCRIPT names a file that cannot be read or parsed
};

// Opens the one 640 x 480 window with the given title and reads the environment
// (VELTRAN_SCRIPT, VELTRAN_SHOW, VELTRAN_WINDOWED). On failure a line saying why is
// left in Plat_Error().
Plat_Open_Result Plat_Open(const char* title, Plat_Window_Proc proc);
void Plat_Close();
// The command line's choice for this run: 1 full screen, 0 a window, -1 none.
void Plat_Set_Window_Choice(int fullscreen);
// The command line's scaling for this run: 1 sharp, 0 whole factors, -1 none.
void Plat_Set_Scale_Choice(int sharp);
const char* Plat_Error();
// Why the game cannot start (UTF-8), on stderr as "veltran: why"; where nobody sees
// stderr (a Windows game started from its icon), in a box the player closes too.
void Plat_Tell_Failure(const char* why);
// How frames reach the window ("" without one): the renderer and its driver, or
// the window surface.
const char* Plat_Present_Way();

// Message queue: at most one message per call, removed from the queue. Once a quit
// has been posted every later call returns WM_QUIT again.
bool Plat_Peek_Message(Plat_Msg* msg);
intptr_t Plat_Dispatch_Message(const Plat_Msg* msg);
intptr_t Plat_Def_Window_Proc(uint32_t message, uintptr_t wparam, intptr_t lparam);
void Plat_Post_Quit();
// The window's close button (or Alt+F4): WM_CLOSE, which the window procedure
// answers.
void Plat_Post_Close();

// GetAsyncKeyState: 0x8000 = down now, 0x0001 = pressed since the previous query of
// that key.
int16_t Plat_Async_Key_State(int vk);
// The DirectInput keyboard state: one byte per scan code, 0x80 = down.
void Plat_Keyboard_State(uint8_t state[256]);

// GetTickCount: milliseconds, wraps after 49.7 days.
uint32_t Plat_Tick();
// The calendar: seconds since 1970-01-01 UTC. In scripted mode it follows the virtual
// clock from Plat_Scripted_Epoch, so scripted runs give the same times every time.
int64_t Plat_Time();
// Bits that differ from run to run and moment to moment; 0 in a scripted run, whose
// files come out the same on every system.
uint64_t Plat_Entropy();
constexpr int64_t Plat_Scripted_Epoch = 1772442000;  // Monday 2 March 2026, 09:00 UTC
// Waits (sleeping, or in scripted mode by moving the virtual clock) until the tick
// count reaches deadline.
void Plat_Wait_Until(uint32_t deadline);

// Shows a 640 x 480 frame of palette indices; palette is 256 records {r, g, b, flags}.
// Presents that were not preceded by a pacing wait are held to 60 per second.
void Plat_Present(const uint8_t* pixels, int pitch, const uint8_t* palette);
// A rectangle of the picture, in picture pixels.
struct Plat_Rect {
    int x, y, w, h;
};
// The same, told that the frame differs from the last one presented only inside
// these rectangles: nothing else is looked at.
void Plat_Present_Changed(const uint8_t* pixels, int pitch, const uint8_t* palette,
                          const Plat_Rect* changed, int count);

// Presenting again after the palette was set anew draws the next frame whatever it
// holds.
void Plat_Palette_Reattach();
// True once the system reset the renderer's device or targets (the display was
// taken away) until Plat_Display_Restored.
bool Plat_Display_Lost();
void Plat_Display_Restored();
// Turns 640 x 480 palette indices into 32-bit XRGB pixels through the palette.
void Plat_Convert_Frame(const uint8_t* pixels, int pitch, const uint8_t* palette, uint32_t* out,
                        int out_pitch_pixels);

// --- sound (SDL2_mixer) ------------------------------------------------------
// Opens the audio device; false when there is none (Plat_Audio_Error says why).
bool Plat_Audio_Open();
void Plat_Audio_Close();
const char* Plat_Audio_Error();
// An effect from 11025 Hz mono unsigned 8-bit samples, converted once to the
// mixer's format. Returns a handle, or -1.
int Plat_Sound_Create(const uint8_t* samples, uint32_t size);
// Plays from the start; an effect playing already restarts, never overlaps itself.
// False when the mixer refused.
bool Plat_Sound_Play(int handle);
void Plat_Sound_Stop(int handle);
void Plat_Sound_Free(int handle);

// One music file at a time. Positions and the length are in 100 ns units.
bool Plat_Music_Open(const char* path, bool loop);
void Plat_Music_Close();
void Plat_Music_Run();
void Plat_Music_Pause();
void Plat_Music_Stop();
enum Plat_Music_State { PLAT_MUSIC_STOPPED = 0, PLAT_MUSIC_PAUSED = 1, PLAT_MUSIC_RUNNING = 2 };
int Plat_Music_State();
int64_t Plat_Music_Position();
// 0 when the mixer cannot tell the tune's length.
int64_t Plat_Music_Length();
bool Plat_Music_Length_Known();
void Plat_Music_Set_Position(int64_t position);
// The tune is at its end (one whose length is unknown: the mixer stopped it).
bool Plat_Music_Ended();
// A screen polls the player: a looping tune goes on looping. Without polls a
// looping tune ends with its round (Plat_Music_Watch, run with every frame shown).
void Plat_Music_Polled();
void Plat_Music_Watch();
// Whether the mixer can decode MP3 at all.
bool Plat_Audio_Mp3();
// The music's and the effects' volumes in per cent (kept for a device opened later).
void Plat_Audio_Set_Volumes(int music_percent, int effects_percent);

void Plat_Message_Beep();
int Plat_Show_Cursor(bool show);

// The runtime's rand/srand: a fixed generator so that a seed gives the same game on
// every system. Values 0..32767.
constexpr int PLAT_RAND_MAX = 0x7FFF;
void Plat_Srand(uint32_t seed);
int Plat_Rand();
