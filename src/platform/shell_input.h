// The shared input state that every screen reads, the window procedure that
// writes it, and the key-to-character rules of both keyboard layouts.
#pragma once

#include <cstdint>
#include <initializer_list>

extern int32_t Mouse_X;
extern int32_t Mouse_Y;
extern uint8_t Typed_Char;        // Windows-1251 code of the last typed character, 8 = backspace
extern int32_t Kbd_Layout;        // 1 = ENG, 2 = РУС
extern uint32_t Key_Repeat_Time;  // key presses before this tick are ignored
extern int32_t Exit_Requested;    // set once by the exit button; every screen loop ends on it
// While a game is in play, closing the window asks first: the close is kept here
// for the game to answer instead of ending the program.
extern int32_t Close_Asks;
extern int32_t Close_Requested;
extern uint32_t Pacing_Ticks;  // end of the last paced frame

constexpr int Kbd_Eng = 1;
constexpr int Kbd_Rus = 2;

// Puts the whole shared input state back as the program starts it, and empties the
// platform's message queue, key states and pads (as a window opens).
void Input_State_Reset();

// Works out the character of one key-down message.
void Key_To_Char(int key);
intptr_t Window_Proc(uint32_t message, uintptr_t wparam, intptr_t lparam);

// The clicked test of every screen: down now and pressed since the last query.
bool Key_Clicked(int vk);
// Whether any of the keys was clicked. Every key is asked, so none keeps a press
// of this frame for the next screen to find.
bool Any_Key_Clicked(std::initializer_list<int> keys);

// Ends a paced frame: waits until 30 ms have passed since the last one.
void Pace_Frame();

// The DirectInput keyboard: whether the device came up, and its 256-byte state
// (all keys up when there is no device).
extern bool Di_Keyboard;
void Di_Keyboard_State(uint8_t state[256]);
