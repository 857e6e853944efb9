// The letters the game's fonts know (ASCII, А..я, Ё and ё) and the few signs its
// messages use.
#include "core/text_1251.h"

std::string Cp1251_To_Utf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (unsigned char b : text) {
        unsigned code = b;
        if (b >= 0xC0)
            code = 0x410 + (b - 0xC0);
        else if (b == 0xA8)
            code = 0x401;  // Ё
        else if (b == 0xB8)
            code = 0x451;  // ё
        else if (b == 0x96 || b == 0x97)
            code = b == 0x96 ? 0x2013 : 0x2014;  // dashes
        else if (b == 0xAB || b == 0xBB)
            code = b;  // « »
        else if (b == 0xB9)
            code = 0x2116;  // №
        else if (b >= 0x80)
            code = '?';
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}
