// Inside the platform layer: the emulated Win32 input state (message queue, async
// key state, DirectInput keyboard state), the clock, the key table shared by the
// SDL event translation and the script reader, and the script itself.
// Tests include this header to feed input without a window.
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
// Forgets every queued message and held key (between tests).
void Plat_In_Reset();

// --- clock -----------------------------------------------------------------
// Scripted mode runs on a virtual clock that moves only when the program waits.
void Plat_Clock_Set_Virtual(bool on);
bool Plat_Clock_Virtual();
void Plat_Clock_Advance(uint32_t ms);  // virtual clock only
void Plat_Clock_Set(uint32_t ms);      // virtual clock only

// --- script ----------------------------------------------------------------
enum Script_Op { SC_WAIT, SC_MOVE, SC_DOWN, SC_UP, SC_SHOT, SC_QUIT };

struct Script_Command {
    Script_Op op;
    int a = 0, b = 0;              // wait: ms in a; move: x, y
    const Key_Def* key = nullptr;  // down / up
    std::string path;              // shot
    int line = 0;                  // line in the script file
};

// Parses a script; "key" and "click" are expanded into their downs, waits and ups.
// On an error returns false with a message naming the line.
bool Script_Parse(const std::string& text, std::vector<Script_Command>* out, std::string* error);

// Loads the script that will drive the program (scripted mode from then on).
void Script_Start(std::vector<Script_Command> commands);
bool Script_Active();
// Ends scripted input (tests).
void Script_Stop();
// Runs every command that is due at the current virtual time. Called whenever the
// program looks at its input.
void Script_Run_Due();

// The last presented frame, kept for "shot".
void Plat_Keep_Frame(const uint8_t* pixels, int pitch, const uint8_t* palette);
bool Plat_Write_Kept_Frame(const char* path);
