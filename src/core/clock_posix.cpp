// The calendar and the clocks of a POSIX C library (Linux, and the browser's).
#include <time.h>

#include "core/clock_tm.h"
#include "core/system.h"

bool Sys_Local_Date(int64_t seconds, Sys_Date* out) {
    const time_t t = static_cast<time_t>(seconds);
    struct tm local = {};
    if (localtime_r(&t, &local) == nullptr) return false;
    Date_From_Tm(local, out);
    return true;
}

int64_t Sys_Now(int* millis) {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    if (millis != nullptr) *millis = static_cast<int>(now.tv_nsec / 1000000);
    return static_cast<int64_t>(now.tv_sec);
}

uint64_t Sys_Monotonic_Ns() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<uint64_t>(t.tv_sec) * 1000000000u + static_cast<uint64_t>(t.tv_nsec);
}
