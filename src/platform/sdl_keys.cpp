// The keys of a real keyboard by their physical position, as the emulated input
// knows them.
#include "platform/sdl_parts.h"

namespace {

// Keys of a real keyboard by physical position (US layout), so that the game's own
// ENG/РУС switch works whatever the desktop's layout is.
struct Scan_Map {
    SDL_Scancode scan;
    int vk;
    int dik;
};

}  // namespace

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
        {SDL_SCANCODE_F12, "F12"},
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
