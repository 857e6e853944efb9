// Presenting frames and the other services of the window, as the program sees
// them: the 60-a-second cap on unpaced screens, the frame kept for scripted
// shots, and the hand-over to the system backend that owns the real window (none
// in tools and in-process tests, where a frame is only kept).
#include <cstddef>
#include <cstring>

#include "platform/pad.h"
#include "platform/platform_internal.h"

namespace {
constexpr int Max_Services = 4;
void (*Frame_Services[Max_Services])() = {};
uint64_t Last_Present_Ns = 0;
uint64_t Last_Pump_Ns = 0;
// Frames in a row that were the same as the one on screen. A screen that stands
// still is shown ten times a second, after a second of it four times a second,
// and at once when the player does something.
int Still_Frames = 0;
constexpr int Still_After = 3;
constexpr int Long_Still_After = Still_After + 10;
constexpr uint64_t Still_Frame_Ns = 100000000, Long_Still_Frame_Ns = 250000000;
}  // namespace

void Plat_Set_Backend(const Plat_Backend* backend) {
    Plat_Backend_Store(backend);
    Last_Pump_Ns = 0;
    Still_Frames = 0;
}

void Plat_Add_Frame_Service(void (*service)()) {
    for (auto& slot : Frame_Services)
        if (slot == service) return;
    for (auto& slot : Frame_Services)
        if (slot == nullptr) {
            slot = service;
            return;
        }
}

void Plat_Remove_Frame_Service(void (*service)()) {
    for (auto& slot : Frame_Services)
        if (slot == service) slot = nullptr;
}

void Plat_Pump_System() {
    const Plat_Backend* backend = Plat_Backend_Now();
    // Every message peek pumps, once or more a frame; the window system is asked at
    // most once a millisecond, which no hand can tell from always.
    if (backend != nullptr && backend->pump != nullptr) {
        const uint64_t now = Plat_Real_Ns();
        if (now - Last_Pump_Ns >= 1000000 || now < Last_Pump_Ns) {
            Last_Pump_Ns = now;
            backend->pump();
        }
    }
    Script_Run_Due();
}

namespace {
void Run_Frame_Services() {
    for (auto* service : Frame_Services)
        if (service != nullptr) service();
}
}  // namespace

void Plat_Present(const uint8_t* pixels, int pitch, const uint8_t* palette) {
    Plat_Present_Changed(pixels, pitch, palette, nullptr, 0);
}

void Plat_Present_Changed(const uint8_t* pixels, int pitch, const uint8_t* palette,
                          const Plat_Rect* changed, int count) {
    const Plat_Backend* backend = Plat_Backend_Now();
    const bool paced = Plat_Take_Paced();
    // The pad first: this frame tells whether it plays or points.
    Plat_Pad_Frame();
    const bool still = Still_Frames >= Still_After && !Plat_Clock_Virtual() && backend != nullptr &&
                       backend->wait_input != nullptr && Last_Present_Ns != 0;
    if (still) {
        // The services see the frame as its screen left it (the music just polled),
        // then the still screen waits for input.
        Run_Frame_Services();
        const uint64_t now = Plat_Real_Ns();
        const uint64_t next =
            Last_Present_Ns +
            (Still_Frames >= Long_Still_After ? Long_Still_Frame_Ns : Still_Frame_Ns);
        if (now < next) backend->wait_input(static_cast<uint32_t>((next - now) / 1000000));
    } else if (!paced) {
        // Unpaced screens are held to 60 frames a second.
        if (Plat_Clock_Virtual()) {
            Plat_Clock_Advance(16);
        } else if (Last_Present_Ns != 0) {
            const uint64_t next = Last_Present_Ns + 1000000000u / 60;
            const uint64_t now = Plat_Real_Ns();
            if (now < next) Plat_Sleep_Ns(next - now);
        }
    }
    Last_Present_Ns = Plat_Real_Ns();
    if (!still) Run_Frame_Services();
    if (Script_Active()) Plat_Keep_Frame(pixels, pitch, palette);
    Plat_In_Frame_Shown();
    const bool shown_anew = backend == nullptr || backend->show == nullptr ||
                            backend->show(pixels, pitch, palette, changed, count);
    Still_Frames = shown_anew ? 0 : Still_Frames + 1;
}

void Plat_Convert_Frame(const uint8_t* pixels, int pitch, const uint8_t* palette, uint32_t* out,
                        int out_pitch_pixels) {
    uint32_t lut[256];
    for (int i = 0; i < 256; ++i)
        lut[i] = 0xFF000000u | (uint32_t{palette[4 * i]} << 16) |
                 (uint32_t{palette[4 * i + 1]} << 8) | palette[4 * i + 2];
    for (int y = 0; y < Plat_Frame_H; ++y) {
        uint32_t* row = out + static_cast<ptrdiff_t>(y) * out_pitch_pixels;
        const uint8_t* src = pixels + static_cast<ptrdiff_t>(y) * pitch;
        for (int x = 0; x < Plat_Frame_W; ++x) row[x] = lut[src[x]];
    }
}

void Plat_Palette_Reattach() {
    const Plat_Backend* backend = Plat_Backend_Now();
    if (backend != nullptr && backend->palette_reattach != nullptr) backend->palette_reattach();
}

bool Plat_Display_Lost() {
    const Plat_Backend* backend = Plat_Backend_Now();
    return backend != nullptr && backend->lost != nullptr && backend->lost();
}

void Plat_Display_Restored() {
    const Plat_Backend* backend = Plat_Backend_Now();
    if (backend != nullptr && backend->restored != nullptr) backend->restored();
}

void Plat_Message_Beep() {
    const Plat_Backend* backend = Plat_Backend_Now();
    if (backend != nullptr && backend->beep != nullptr) backend->beep();
}

int Plat_Show_Cursor(bool show) {
    const Plat_Backend* backend = Plat_Backend_Now();
    static int count = 0;
    count += show ? 1 : -1;
    if (backend != nullptr && backend->show_cursor != nullptr) backend->show_cursor(count >= 0);
    return count;
}
