// The scripted mode: reading a script of input commands, playing it against the
// virtual clock, and the last presented frame kept for its shots.
#include <cstdio>
#include <cstring>
#include <sstream>

#include "core/bmp_write.h"
#include "platform/pad.h"
#include "platform/platform_internal.h"

namespace {

std::vector<Script_Command> Commands;
size_t Next = 0;
uint32_t Due_At = 0;  // virtual time at which Commands[Next] runs
bool Active = false;

std::vector<uint8_t> Kept_Pixels(Plat_Frame_W* Plat_Frame_H, 0);
uint8_t Kept_Palette[1024];

bool Parse_Int(const std::string& word, int lo, int hi, int* out) {
    if (word.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    *out = static_cast<int>(v);
    return true;
}

}  // namespace

bool Script_Parse(const std::string& text, std::vector<Script_Command>* out, std::string* error) {
    out->clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        *error = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    while (std::getline(lines, line)) {
        ++number;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string s; words >> s;) w.push_back(s);
        if (w.empty()) continue;
        const std::string& op = w[0];
        auto args = [&](size_t n) { return w.size() == n + 1; };
        Script_Command c;
        c.line = number;
        if (op == "wait") {
            if (!args(1) || !Parse_Int(w[1], 0, 86400000, &c.a)) return fail("wait takes MS");
            c.op = SC_WAIT;
            out->push_back(c);
        } else if (op == "move" || op == "click") {
            if (!args(2) || !Parse_Int(w[1], 0, 639, &c.a) || !Parse_Int(w[2], 0, 479, &c.b))
                return fail(op + " takes X Y inside 640 x 480");
            c.op = SC_MOVE;
            out->push_back(c);
            if (op == "click") {
                const Key_Def* lb = Plat_Find_Key("LBUTTON");
                out->push_back({SC_DOWN, 0, 0, lb, "", number});
                out->push_back({SC_WAIT, 50, 0, nullptr, "", number});
                out->push_back({SC_UP, 0, 0, lb, "", number});
            }
        } else if (op == "down" || op == "up" || op == "key") {
            if (!args(1)) return fail(op + " takes one key name");
            const Key_Def* k = Plat_Find_Key(w[1]);
            if (k == nullptr) return fail("unknown key '" + w[1] + "'");
            if (op == "key") {
                out->push_back({SC_DOWN, 0, 0, k, "", number});
                out->push_back({SC_WAIT, 50, 0, nullptr, "", number});
                out->push_back({SC_UP, 0, 0, k, "", number});
            } else {
                out->push_back({op == "down" ? SC_DOWN : SC_UP, 0, 0, k, "", number});
            }
        } else if (op == "pad" || op == "padhold") {
            const bool hold = op == "padhold";
            if (!args(hold ? 2 : 1))
                return fail(op + (hold ? " takes a button and MS" : " takes a button"));
            const int button = Pad_Button_Named(w[1]);
            if (button < 0) return fail("unknown pad button '" + w[1] + "'");
            int ms = 50;
            if (hold && !Parse_Int(w[2], 0, 86400000, &ms))
                return fail("padhold takes a button and MS");
            out->push_back({SC_PAD_BUTTON, button, 1, nullptr, "", number});
            out->push_back({SC_WAIT, ms, 0, nullptr, "", number});
            out->push_back({SC_PAD_BUTTON, button, 0, nullptr, "", number});
        } else if (op == "axis") {
            c.op = SC_PAD_AXIS;
            if (!args(2) || (c.a = Pad_Axis_Named(w[1])) < 0 ||
                !Parse_Int(w[2], -32768, 32767, &c.b))
                return fail("axis takes an axis name and a value -32768..32767");
            out->push_back(c);
        } else if (op == "padplug" || op == "padunplug") {
            if (!args(0)) return fail(op + " takes nothing");
            out->push_back({SC_PAD_PLUG, op == "padplug" ? 1 : 0, 0, nullptr, "", number});
        } else if (op == "tap" || op == "drag") {
            const size_t n = op == "tap" ? 2 : 4;
            int p[4] = {};
            bool ok = args(n);
            for (size_t i = 0; ok && i < n; ++i)
                ok = Parse_Int(w[i + 1], 0, i % 2 ? 479 : 639, &p[i]);
            if (!ok)
                return fail(op + (n == 2 ? " takes X Y" : " takes X1 Y1 X2 Y2") +
                            " inside 640 x 480");
            auto touch = [&](int x, int y, int phase) {
                Script_Command t{SC_TOUCH, x, y, nullptr, "", number};
                t.c = phase;
                out->push_back(t);
            };
            touch(p[0], p[1], TOUCH_DOWN);
            if (op == "drag") {
                // The finger slides over four frames.
                for (int i = 1; i <= 4; ++i) {
                    out->push_back({SC_WAIT, 16, 0, nullptr, "", number});
                    touch(p[0] + (p[2] - p[0]) * i / 4, p[1] + (p[3] - p[1]) * i / 4, TOUCH_MOVE);
                }
            }
            touch(p[n - 2], p[n - 1], TOUCH_UP);
        } else if (op == "shot") {
            if (!args(1)) return fail("shot takes one path");
            c.op = SC_SHOT;
            c.path = w[1];
            out->push_back(c);
        } else if (op == "close") {
            if (!args(0)) return fail("close takes nothing");
            c.op = SC_CLOSE;
            out->push_back(c);
        } else if (op == "quit") {
            if (!args(0)) return fail("quit takes nothing");
            c.op = SC_QUIT;
            out->push_back(c);
        } else {
            return fail("unknown command '" + op + "'");
        }
    }
    return true;
}

void Script_Start(std::vector<Script_Command> commands) {
    Commands = std::move(commands);
    Next = 0;
    Due_At = Plat_Tick();
    Active = true;
}

bool Script_Active() {
    return Active;
}

void Script_Stop() {
    Commands.clear();
    Next = 0;
    Active = false;
}

void Script_Run_Due() {
    if (!Active) return;
    while (Next < Commands.size() && Plat_Tick() >= Due_At) {
        const Script_Command& c = Commands[Next++];
        switch (c.op) {
            case SC_WAIT:
                Due_At += static_cast<uint32_t>(c.a);
                break;
            case SC_MOVE:
                Plat_In_Mouse_Move(c.a, c.b);
                break;
            case SC_DOWN:
            case SC_UP:
                if (c.key->dik == 0)
                    Plat_In_Mouse_Button(c.key->vk, c.op == SC_DOWN);
                else
                    Plat_In_Key(c.key->vk, c.key->dik, c.op == SC_DOWN, false);
                break;
            case SC_SHOT:
                if (!Plat_Write_Kept_Frame(c.path.c_str()))
                    std::fprintf(stderr, "veltran: script line %d: cannot write shot %s\n", c.line,
                                 c.path.c_str());
                break;
            case SC_CLOSE:
                Plat_Post_Close();
                break;
            case SC_PAD_BUTTON:
                Plat_Virtual_Pad_Button(c.a, c.b != 0);
                break;
            case SC_PAD_AXIS:
                Plat_Virtual_Pad_Axis(c.a, c.b);
                break;
            case SC_PAD_PLUG:
                Plat_Virtual_Pad_Plug(c.a != 0);
                break;
            case SC_TOUCH:
                Plat_Virtual_Touch(static_cast<Touch_Phase>(c.c), c.a, c.b);
                break;
            case SC_QUIT:
                Plat_Post_Quit();
                break;
        }
    }
    if (Next >= Commands.size() && Plat_Tick() >= Due_At) Plat_Post_Quit();
}

void Plat_Keep_Frame(const uint8_t* pixels, int pitch, const uint8_t* palette) {
    for (int y = 0; y < Plat_Frame_H; ++y)
        std::memcpy(&Kept_Pixels[static_cast<size_t>(y) * Plat_Frame_W],
                    pixels + static_cast<ptrdiff_t>(y) * pitch, Plat_Frame_W);
    std::memcpy(Kept_Palette, palette, sizeof Kept_Palette);
}

bool Plat_Write_Kept_Frame(const char* path) {
    return Bmp8_Write(path, Kept_Pixels.data(), Plat_Frame_W, Plat_Frame_W, Plat_Frame_H,
                      Kept_Palette);
}
