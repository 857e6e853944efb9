// The tick count, the calendar and pacing waits: milliseconds of the monotonic
// clock like the old system's tick count, sleeping (never spinning) until a
// deadline; in scripted mode a virtual clock that moves only when the program waits.
#include <time.h>

#include <cerrno>

#include "platform/platform_internal.h"

namespace {
bool Virtual = false;
uint32_t Virtual_Now = 0;

uint64_t Monotonic_Ns() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<uint64_t>(t.tv_sec) * 1000000000u + static_cast<uint64_t>(t.tv_nsec);
}
}  // namespace

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
void Plat_Clock_Set(uint32_t ms) {
    Virtual_Now = ms;
}

uint32_t Plat_Tick() {
    if (Virtual) return Virtual_Now;
    // Milliseconds since the machine started, wrapping after 49.7 days.
    return static_cast<uint32_t>(Monotonic_Ns() / 1000000u);
}

int64_t Plat_Time() {
    if (Virtual) return Plat_Scripted_Epoch + Virtual_Now / 1000;
    return static_cast<int64_t>(time(nullptr));
}

uint64_t Plat_Real_Ns() {
    return Monotonic_Ns();
}

void Plat_Sleep_Ns(uint64_t ns) {
    timespec t{static_cast<time_t>(ns / 1000000000u), static_cast<long>(ns % 1000000000u)};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
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
