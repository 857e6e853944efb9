// The tick count, the calendar and pacing waits: milliseconds of the monotonic
// clock like the old system's tick count, sleeping (never spinning) until a
// deadline; in scripted mode a virtual clock that moves only when the program waits.
#include "core/system.h"
#include "platform/platform_internal.h"

namespace {
bool Virtual = false;
uint32_t Virtual_Now = 0;
bool Paced = false;  // a wait for a deadline since the frame last shown
}  // namespace

void Plat_Note_Paced() {
    Paced = true;
}

bool Plat_Take_Paced() {
    const bool paced = Paced;
    Paced = false;
    return paced;
}

void Plat_Clock_Set_Virtual(bool on) {
    Virtual = on;
    Virtual_Now = 0;
}
bool Plat_Clock_Virtual() {
    return Virtual;
}
void Plat_Clock_Advance(uint32_t ms) {
    Virtual_Now += ms;
}

uint32_t Plat_Tick() {
    if (Virtual) return Virtual_Now;
    // Milliseconds since the machine started, wrapping after 49.7 days.
    return static_cast<uint32_t>(Sys_Monotonic_Ns() / 1000000u);
}

int64_t Plat_Time() {
    if (Virtual) return Plat_Scripted_Epoch + Virtual_Now / 1000;
    return Sys_Now();
}

uint64_t Plat_Entropy() {
    if (Virtual) return 0;
    int millis = 0;
    const uint64_t seconds = static_cast<uint64_t>(Sys_Now(&millis));
    return Sys_Monotonic_Ns() ^ (seconds << 32) ^ static_cast<uint64_t>(millis);
}

uint64_t Plat_Real_Ns() {
    return Sys_Monotonic_Ns();
}

void Plat_Sleep_Ns(uint64_t ns) {
    Sys_Sleep_Until(Sys_Monotonic_Ns() + ns);
}

void Plat_Wait_Until(uint32_t deadline) {
    Plat_Note_Paced();
    if (Virtual) {
        if (static_cast<int32_t>(deadline - Virtual_Now) > 0) Virtual_Now = deadline;
        return;
    }
    for (;;) {
        const int32_t left = static_cast<int32_t>(deadline - Plat_Tick());
        if (left <= 0) return;
        Plat_Sleep_Ns(static_cast<uint64_t>(left) * 1000000u);
    }
}
