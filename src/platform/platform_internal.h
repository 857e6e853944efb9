// Inside the platform layer: the emulated Win32 input state (message queue, async
// key state, DirectInput keyboard state), the clock, the key table shared by the
// system's event translation and the script reader, the script itself, and the
// tables through which a system (the SDL one) connects all this to a real window
// and a sound device. The platform's own files, the SDL system, and the tests and
// benchmarks that feed input or install a system include it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// One key the program knows, by its US-layout position.
struct Key_Def {
    const char* name;  // script name: "LEFT", "A", "OEM_1", "LBUTTON" ...
    int vk;            // virtual-key code
    int dik;           // DirectInput scan code, 0 for mouse buttons
};

// The keys a script may name (and the main keys of a real keyboard).
const std::vector<Key_Def>& Plat_Key_Table();
const Key_Def* Plat_Find_Key(const std::string& name);

// Input arriving from the system (or the script). Both keep the async and
// DirectInput states current and queue the Win32 messages a real window would get.
void Plat_In_Key(int vk, int dik, bool down, bool repeat);
void Plat_In_Mouse_Move(int x, int y);
void Plat_In_Mouse_Button(int vk, bool down);
// Where the pointer is in the picture.
void Plat_In_Mouse_Position(int* x, int* y);
// A key (dik != 0) or mouse button (dik == 0) as the system reports it: a release
// that comes less than a whole frame after its press is held back (see
// Plat_In_Frame_Shown).
void Plat_In_Event(int vk, int dik, bool down, bool repeat);
// A frame is being shown: releases held since before the frame shown last are let
// through, so every press stays down from one shown frame to the next.
void Plat_In_Frame_Shown();
// Forgets every queued message and held key (the pads are reset apart:
// Plat_Pad_Reset).
void Plat_In_Reset();
// The emulated input's own side of the message pump and key states, which
// messages.cpp brings up to date first.
bool Plat_In_Take_Message(Plat_Msg* msg);
int16_t Plat_In_Async_Key_State(int vk);
void Plat_In_Keyboard_State(uint8_t state[256]);

// The picture every frame is.
constexpr int Plat_Frame_W = 640;
constexpr int Plat_Frame_H = 480;

// --- the system backend -------------------------------------------------------
// What a real window does for the emulation above. The SDL backend installs itself
// when the window opens and removes itself when it closes; without one (tools,
// in-process tests) no events arrive but the script's and frames are only kept.
struct Plat_Backend {
    void (*pump)();  // pulls pending system events into the emulated input
    // Shows a frame; false when it was the same as the one on screen. It differs
    // from the last frame shown only inside the changed rectangles (anywhere when
    // they are null).
    bool (*show)(const uint8_t* pixels, int pitch, const uint8_t* palette, const Plat_Rect* changed,
                 int count);
    void (*palette_reattach)();
    bool (*lost)();
    void (*restored)();
    void (*beep)();
    void (*show_cursor)(bool visible);
    // Sleeps until a system event arrives or the time is up.
    void (*wait_input)(uint32_t ms);
    // The system's own virtual controller (what: 0 a button, 1 an axis, 2 plugged
    // in or out) and touch events, for the script and the built-in player: their
    // input takes the path a real pad's and finger's does, and is taken at once.
    void (*virtual_pad)(int what, int index, int value);
    void (*virtual_touch)(int phase, int x, int y);
};
void Plat_Set_Backend(const Plat_Backend* backend);
// Where the backend is kept (backend.cpp), for the layers below the present.
void Plat_Backend_Store(const Plat_Backend* backend);
const Plat_Backend* Plat_Backend_Now();
// Through the backend's virtual pad and touch; false without them.
bool Plat_Backend_Virtual_Pad(int what, int index, int value);
bool Plat_Backend_Virtual_Touch(int phase, int x, int y);
// Services that need a look once a frame (the music's loop watch, the built-in
// player); run by every present, with or without a window. Adding one twice, or
// removing one not added, changes nothing.
void Plat_Add_Frame_Service(void (*service)());
void Plat_Remove_Frame_Service(void (*service)());
// Pulls in what the backend and the script have for the input state.
void Plat_Pump_System();
// The window procedure that Plat_Dispatch_Message calls.
void Plat_Set_Window_Proc_Internal(Plat_Window_Proc proc);

// --- the sound backend -----------------------------------------------------------
// What a sound device does for the entry points of platform.h, which keep the
// handles, the music's clock and the watch over looping tunes themselves. Effect
// handles are given by the platform, 0, 1, 2 ... from the device's opening.
// Without a device the silent backend stands in: nothing is heard, every clock
// runs, a tune lasts as long as it would play.
struct Plat_Audio_Backend {
    void (*close)();
    bool (*mp3)();  // can decode MP3
    // The effect from 11025 Hz mono unsigned 8-bit samples, under this handle.
    bool (*sound_create)(int handle, const uint8_t* samples, uint32_t size);
    bool (*sound_play)(int handle);  // from the start; a playing effect restarts
    void (*sound_stop)(int handle);
    void (*sound_free)(int handle);
    bool (*sound_playing)(int handle);
    int (*sounds_playing)();
    // One tune at a time: loaded with its length (0 or less: not known), played
    // from a position, looping in the backend itself.
    bool (*music_load)(const char* path, double* seconds);
    void (*music_free)();
    void (*music_play)(bool loop, double at_seconds);
    void (*music_pause)();
    void (*music_resume)();
    void (*music_halt)();
    void (*music_set_position)(double seconds);
    bool (*music_playing)();
    bool (*music_fading_out)();
    void (*music_fade_out)(int ms);
    // Volumes 0..128 for the music and for every effect.
    void (*set_volumes)(int music, int effects);
};

// --- the system -------------------------------------------------------------------
// What opens the real window and the sound device. The executable installs the
// SDL one before anything opens; without one there is no window and no device.
struct Plat_System {
    // Opens the window (headless: one nobody sees) and installs its backend;
    // PLAT_OPEN_NO_WINDOW with *error set when there is none.
    Plat_Open_Result (*open_window)(const char* title, bool headless, std::string* error);
    void (*close_window)();
    bool (*window_size)(int* w, int* h);
    const char* (*present_way)();
    // The sound device's backend, or null with *error set.
    const Plat_Audio_Backend* (*open_audio)(std::string* error);
    // A box the player must close, telling why the game cannot start (UTF-8).
    void (*alert)(const char* text);
};
void Plat_Set_System(const Plat_System* system);
// Whether the window opens full screen: a one-run choice (--fullscreen,
// --windowed, VELTRAN_WINDOWED=1) over the player's remembered one.
bool Plat_Start_Fullscreen();
// Whether the picture is scaled sharp (filling the screen) or by whole factors.
bool Plat_Start_Sharp();
const Plat_System* Plat_Current_System();

// --- clock -----------------------------------------------------------------
// Scripted mode runs on a virtual clock that moves only when the program waits.
void Plat_Clock_Set_Virtual(bool on);
bool Plat_Clock_Virtual();
void Plat_Clock_Advance(uint32_t ms);  // virtual clock only
// The real monotonic clock in nanoseconds, and sleeping on it.
uint64_t Plat_Real_Ns();
void Plat_Sleep_Ns(uint64_t ns);
// A pacing wait happened since the last present (that frame is not capped again).
void Plat_Note_Paced();
// Whether a paced wait came since the last call (the present asks once a frame).
bool Plat_Take_Paced();

// --- script ----------------------------------------------------------------
enum Script_Op {
    SC_WAIT,
    SC_MOVE,
    SC_DOWN,
    SC_UP,
    SC_SHOT,
    SC_QUIT,
    SC_CLOSE,
    SC_PAD_BUTTON,  // a: button, b: 1 down, 0 up
    SC_PAD_AXIS,    // a: axis, b: value
    SC_PAD_PLUG,    // a: 1 plugged in, 0 pulled out
    SC_TOUCH        // a, b: the point, c: its phase
};

struct Script_Command {
    Script_Op op;
    int a = 0, b = 0;              // wait: ms in a; move: x, y
    const Key_Def* key = nullptr;  // down / up
    std::string path;              // shot
    int line = 0;                  // line in the script file
    int c = 0;                     // touch: its phase
};

// Parses a script; "key", "click", "pad", "padhold", "tap" and "drag" are expanded
// into their downs, waits and ups.
// On an error returns false with a message naming the line.
bool Script_Parse(const std::string& text, std::vector<Script_Command>* out, std::string* error);

// Loads the script that will drive the program (scripted mode from then on).
void Script_Start(std::vector<Script_Command> commands);
bool Script_Active();
// Ends scripted input (when the window closes).
void Script_Stop();
// Runs every command that is due at the current virtual time. Called whenever the
// program looks at its input.
void Script_Run_Due();

// The last presented frame, kept for "shot".
void Plat_Keep_Frame(const uint8_t* pixels, int pitch, const uint8_t* palette);
bool Plat_Write_Kept_Frame(const char* path);
