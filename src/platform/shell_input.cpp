// Key to character for the ENG and РУС layouts, the window procedure, and the
// program-wide input state.
#include "platform/shell_input.h"

#include <cstdio>

#include "platform/settings.h"

#include <cstring>

#include "platform/platform.h"
#include "platform/pad.h"
#include "platform/platform_internal.h"

int32_t Mouse_X = 0;
int32_t Mouse_Y = 0;
uint8_t Typed_Char = 0;
int32_t Kbd_Layout = Kbd_Eng;
uint32_t Key_Repeat_Time = 0;
int32_t Exit_Requested = 0;
int32_t Close_Asks = 0;
int32_t Close_Requested = 0;
uint32_t Pacing_Ticks = 0;
bool Di_Keyboard = false;

namespace {

struct Char_Pair {
    int key;
    const char* plain;  // one character each
    const char* shifted;
};

// Keys that give the same characters in both layouts.
const Char_Pair Both_Layouts[] = {
    {VK_BACK, "\b", "\b"},    {VK_SPACE, " ", " "},     {VK_MULTIPLY, "*", "*"},
    {VK_ADD, "+", "+"},       {VK_SEPARATOR, ",", ","}, {VK_SUBTRACT, "-", "-"},
    {VK_DECIMAL, ".", "."},   {VK_DIVIDE, "/", "/"},    {VK_OEM_PLUS, "+", "="},
    {VK_OEM_MINUS, "-", "_"},
};

const Char_Pair Eng_Keys[] = {
    {VK_OEM_1, ";", ":"},  {VK_OEM_COMMA, ",", "<"}, {VK_OEM_PERIOD, ".", ">"},
    {VK_OEM_2, "/", "?"},  {VK_OEM_3, "`", "~"},     {VK_OEM_4, "[", "{"},
    {VK_OEM_5, "\\", "|"}, {VK_OEM_6, "]", "}"},     {VK_OEM_7, "'", "\""},
};

const Char_Pair Rus_Keys[] = {
    {VK_OEM_1, "Ж", "ж"},  {VK_OEM_COMMA, "Б", "б"}, {VK_OEM_PERIOD, "Ю", "ю"},
    {VK_OEM_2, ".", ","},  {VK_OEM_3, "Ё", "ё"},     {VK_OEM_4, "Х", "х"},
    {VK_OEM_5, "\\", "/"}, {VK_OEM_6, "Ъ", "ъ"},     {VK_OEM_7, "Э", "э"},
};

const char Eng_Digit_Shift[] = ")!@#$%^&*(";
const char Rus_Digit_Shift[] = ")!\"#;%:?*(";
const char Rus_Letters[] = "ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";

template <size_t N>
bool From_Table(const Char_Pair (&table)[N], int key, bool shift) {
    for (const Char_Pair& p : table)
        if (p.key == key) {
            Typed_Char = static_cast<uint8_t>(shift ? p.shifted[0] : p.plain[0]);
            return true;
        }
    return false;
}

}  // namespace

void Input_State_Reset() {
    Plat_In_Reset();
    Plat_Pad_Reset();
    Mouse_X = Mouse_Y = 0;
    Typed_Char = 0;
    Kbd_Layout = Kbd_Eng;
    Key_Repeat_Time = 0;
    Exit_Requested = 0;
    Close_Asks = Close_Requested = 0;
    Pacing_Ticks = 0;
    Di_Keyboard = false;
}

void Key_To_Char(int key) {
    Typed_Char = 0;
    if (key == VK_SHIFT) return;
    uint32_t now = Plat_Tick();
    if (now < Key_Repeat_Time) return;
    Key_Repeat_Time = now + 100;
    bool shift = (Plat_Async_Key_State(VK_SHIFT) & 0x8000) != 0;
    if (key == VK_TAB) {
        Kbd_Layout = 3 - Kbd_Layout;
        return;
    }
    if (From_Table(Both_Layouts, key, shift)) return;
    if (Kbd_Layout == Kbd_Eng ? From_Table(Eng_Keys, key, shift) : From_Table(Rus_Keys, key, shift))
        return;
    if (key >= '0' && key <= '9') {
        const char* symbols = Kbd_Layout == Kbd_Eng ? Eng_Digit_Shift : Rus_Digit_Shift;
        Typed_Char = static_cast<uint8_t>(shift ? symbols[key - '0'] : key);
        return;
    }
    if (key >= 'A' && key <= 'Z') {
        uint8_t capital = Kbd_Layout == Kbd_Eng ? static_cast<uint8_t>(key)
                                                : static_cast<uint8_t>(Rus_Letters[key - 'A']);
        Typed_Char = shift ? static_cast<uint8_t>(capital + 32) : capital;
    }
}

intptr_t Window_Proc(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_CREATE:
        case WM_PAINT:
            return 0;
        case WM_DESTROY:
            Plat_Post_Quit();
            return 0;
        case WM_CLOSE:
            if (Close_Asks)
                Close_Requested = 1;
            else
                Plat_Post_Quit();
            return 0;
        case WM_KEYDOWN:
            if (wparam >= static_cast<uintptr_t>(VK_F5) &&
                wparam <= static_cast<uintptr_t>(VK_F8)) {
                // F5 / F6 the music quieter / louder, F7 / F8 the effects.
                const bool music = wparam <= static_cast<uintptr_t>(VK_F6);
                const int direction = wparam == VK_F5 || wparam == VK_F7 ? -1 : 1;
                Settings_Step_Volume(music, direction);
                if (Settings_Notice != nullptr) {
                    char text[64];
                    std::snprintf(text, sizeof text, "%s: %d%%", music ? "Музыка" : "Звуки",
                                  music ? Settings.music_volume : Settings.effects_volume);
                    Settings_Notice(text);
                }
            }
            Key_To_Char(static_cast<int>(wparam));
            break;
        case WM_MOUSEMOVE:
            Mouse_X = static_cast<int32_t>(static_cast<uint32_t>(lparam) & 0xFFFF);
            Mouse_Y = static_cast<int32_t>((static_cast<uint32_t>(lparam) >> 16) & 0xFFFF);
            break;
        default:
            break;
    }
    return Plat_Def_Window_Proc(message, wparam, lparam);
}

bool Key_Clicked(int vk) {
    return (Plat_Async_Key_State(vk) & 0x8001) == 0x8001;
}

bool Any_Key_Clicked(std::initializer_list<int> keys) {
    bool any = false;
    for (int vk : keys) any = Key_Clicked(vk) || any;
    return any;
}

void Pace_Frame() {
    Plat_Wait_Until(Pacing_Ticks + 30);
    Pacing_Ticks = Plat_Tick();
}

void Di_Keyboard_State(uint8_t state[256]) {
    if (Di_Keyboard)
        Plat_Keyboard_State(state);
    else
        std::memset(state, 0, 256);
}
