// The emulated Win32 input: the message queue with coalesced mouse moves and a
// sticky quit, GetAsyncKeyState's two bits, the DirectInput keyboard bytes and the
// key table that names every key by its US-layout position.
#include <cstddef>
#include <cstring>
#include <deque>
#include <vector>

#include "platform/platform_internal.h"

namespace {

std::deque<Plat_Msg> Queue;
bool Quit_Posted = false;
Plat_Window_Proc Window_Proc_Fn = nullptr;

// Per virtual key: down now, and pressed since the last GetAsyncKeyState of it.
bool Vk_Down[256];
bool Vk_Pressed[256];
// Both shift keys feed VK_SHIFT; it is down while either is.
bool Left_Shift_Down, Right_Shift_Down;
uint8_t Di_State[256];

int Mouse_Pos_X, Mouse_Pos_Y;

// A press whose release is held back: a press and its release that both come
// between two frames (a tap on a touchpad or a touch screen, a click sent by a
// tool) would leave the screens nothing to see. The button stays down through one
// whole frame, from one shown frame to the next, whatever order a screen draws
// and looks at its widgets in; only then is the release let through.
struct Held_Press {
    int vk, dik;
    int frames = 0;         // frames shown since the press
    bool released = false;  // its release came and waits
};
std::vector<Held_Press> Held;

Held_Press* Held_For(int vk, int dik) {
    for (Held_Press& h : Held)
        if (h.vk == vk && h.dik == dik) return &h;
    return nullptr;
}

void Apply(int vk, int dik, bool down, bool repeat);

void Post(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    Queue.push_back(Plat_Msg{message, wparam, lparam});
}

intptr_t Pack_Point(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                 static_cast<uint32_t>(x & 0xFFFF));
}

}  // namespace

const std::vector<Key_Def>& Plat_Key_Table() {
    static const std::vector<Key_Def> table = [] {
        std::vector<Key_Def> t = {
            {"LEFT", VK_LEFT, DIK_LEFT},
            {"RIGHT", VK_RIGHT, DIK_RIGHT},
            {"UP", VK_UP, DIK_UP},
            {"DOWN", VK_DOWN, DIK_DOWN},
            {"RETURN", VK_RETURN, DIK_RETURN},
            {"SPACE", VK_SPACE, DIK_SPACE},
            {"ESCAPE", VK_ESCAPE, DIK_ESCAPE},
            {"TAB", VK_TAB, DIK_TAB},
            {"BACK", VK_BACK, 0x0E},
            {"DELETE", VK_DELETE, 0xD3},
            {"SHIFT", VK_SHIFT, DIK_LSHIFT},
            {"PAUSE", VK_PAUSE, DIK_PAUSE},
            {"APPS", VK_APPS, DIK_APPS},
            {"F5", VK_F5, 0x3F},
            {"F6", VK_F6, 0x40},
            {"F7", VK_F7, 0x41},
            {"F8", VK_F8, 0x42},
            {"F11", VK_F11, 0x57},
            {"F12", VK_F12, 0x58},
            {"OEM_1", VK_OEM_1, 0x27},
            {"OEM_2", VK_OEM_2, 0x35},
            {"OEM_3", VK_OEM_3, 0x29},
            {"OEM_4", VK_OEM_4, 0x1A},
            {"OEM_5", VK_OEM_5, 0x2B},
            {"OEM_6", VK_OEM_6, 0x1B},
            {"OEM_7", VK_OEM_7, 0x28},
            {"OEM_PLUS", VK_OEM_PLUS, 0x0D},
            {"OEM_MINUS", VK_OEM_MINUS, 0x0C},
            {"OEM_COMMA", VK_OEM_COMMA, 0x33},
            {"OEM_PERIOD", VK_OEM_PERIOD, 0x34},
            {"LBUTTON", VK_LBUTTON, 0},
            {"RBUTTON", VK_RBUTTON, 0},
        };
        // Letters by their scan codes on a US keyboard, A..Z.
        static const int letter_dik[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                           0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                           0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
        static const char* letters[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                          "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                          "S", "T", "U", "V", "W", "X", "Y", "Z"};
        for (int i = 0; i < 26; ++i) t.push_back({letters[i], 'A' + i, letter_dik[i]});
        static const char* digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        // DIK_1 is 0x02 ... DIK_9 is 0x0A, DIK_0 is 0x0B.
        for (int d = 0; d < 10; ++d) t.push_back({digits[d], '0' + d, d == 0 ? 0x0B : d + 1});
        return t;
    }();
    return table;
}

const Key_Def* Plat_Find_Key(const std::string& name) {
    for (const Key_Def& k : Plat_Key_Table())
        if (name == k.name) return &k;
    return nullptr;
}

void Plat_In_Key(int vk, int dik, bool down, bool repeat) {
    if (dik == DIK_LSHIFT) Left_Shift_Down = down;
    if (dik == DIK_RSHIFT) Right_Shift_Down = down;
    if (dik > 0 && dik < 256) Di_State[dik] = down ? 0x80 : 0;
    if (vk <= 0 || vk >= 256) return;
    bool now_down = down;
    if (vk == VK_SHIFT) now_down = Left_Shift_Down || Right_Shift_Down || (down && dik == 0);
    if (now_down && !Vk_Down[vk]) Vk_Pressed[vk] = true;
    Vk_Down[vk] = now_down;
    // lparam bit 30: the key was already down (an auto-repeat).
    if (down) Post(WM_KEYDOWN, static_cast<uintptr_t>(vk), repeat ? (1 << 30) | 1 : 1);
}

void Plat_In_Mouse_Move(int x, int y) {
    Mouse_Pos_X = x;
    Mouse_Pos_Y = y;
    // One pending mouse move holds the latest position.
    for (Plat_Msg& m : Queue)
        if (m.message == WM_MOUSEMOVE) {
            m.lparam = Pack_Point(x, y);
            return;
        }
    Post(WM_MOUSEMOVE, 0, Pack_Point(x, y));
}

void Plat_In_Mouse_Position(int* x, int* y) {
    *x = Mouse_Pos_X;
    *y = Mouse_Pos_Y;
}

void Plat_In_Mouse_Button(int vk, bool down) {
    if (vk != VK_LBUTTON && vk != VK_RBUTTON) return;
    if (down && !Vk_Down[vk]) Vk_Pressed[vk] = true;
    Vk_Down[vk] = down;
    uint32_t msg = vk == VK_LBUTTON ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP)
                                    : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
    Post(msg, 0, Pack_Point(Mouse_Pos_X, Mouse_Pos_Y));
}

namespace {
void Apply(int vk, int dik, bool down, bool repeat) {
    if (dik == 0)
        Plat_In_Mouse_Button(vk, down);
    else
        Plat_In_Key(vk, dik, down, repeat);
}
}  // namespace

void Plat_In_Event(int vk, int dik, bool down, bool repeat) {
    Held_Press* held = Held_For(vk, dik);
    if (down && !repeat) {
        // Pressed again before its release was let through: the two make one press.
        if (held != nullptr)
            held->released = false;
        else
            Held.push_back(Held_Press{vk, dik});
    } else if (!down && held != nullptr) {
        held->released = true;
        return;
    }
    Apply(vk, dik, down, repeat);
}

void Plat_In_Frame_Shown() {
    for (size_t i = 0; i < Held.size();) {
        Held_Press& h = Held[i];
        if (++h.frames < 2) {
            ++i;
            continue;
        }
        if (h.released) Apply(h.vk, h.dik, false, false);
        Held.erase(Held.begin() + static_cast<ptrdiff_t>(i));
    }
}

void Plat_In_Reset() {
    Held.clear();
    Queue.clear();
    Quit_Posted = false;
    std::memset(Vk_Down, 0, sizeof Vk_Down);
    std::memset(Vk_Pressed, 0, sizeof Vk_Pressed);
    std::memset(Di_State, 0, sizeof Di_State);
    Left_Shift_Down = Right_Shift_Down = false;
    Mouse_Pos_X = Mouse_Pos_Y = 0;
}

void Plat_Set_Window_Proc_Internal(Plat_Window_Proc proc) {
    Window_Proc_Fn = proc;
}

bool Plat_In_Take_Message(Plat_Msg* msg) {
    // As on Windows, the quit comes after the messages already queued.
    if (Queue.empty()) {
        if (!Quit_Posted) return false;
        *msg = Plat_Msg{WM_QUIT, 0, 0};
        return true;
    }
    *msg = Queue.front();
    Queue.pop_front();
    return true;
}

intptr_t Plat_Dispatch_Message(const Plat_Msg* msg) {
    if (Window_Proc_Fn == nullptr || msg->message == WM_QUIT) return 0;
    return Window_Proc_Fn(msg->message, msg->wparam, msg->lparam);
}

intptr_t Plat_Def_Window_Proc(uint32_t, uintptr_t, intptr_t) {
    return 0;
}

void Plat_Post_Close() {
    Post(WM_CLOSE, 0, 0);
}

void Plat_Post_Quit() {
    Quit_Posted = true;
}

int16_t Plat_In_Async_Key_State(int vk) {
    if (vk <= 0 || vk >= 256) return 0;
    int16_t r = static_cast<int16_t>((Vk_Down[vk] ? 0x8000 : 0) | (Vk_Pressed[vk] ? 1 : 0));
    Vk_Pressed[vk] = false;
    return r;
}

void Plat_In_Keyboard_State(uint8_t state[256]) {
    std::memcpy(state, Di_State, 256);
}
