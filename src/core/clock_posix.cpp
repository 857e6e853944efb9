// The calendar and the clocks of a POSIX C library (Linux, and the browser's).
#include <time.h>

#include "core/system.h"

bool Sys_Local_Date(int64_t seconds, Sys_Date* out) {
    const time_t t = static_cast<time_t>(seconds);
    struct tm local = {};
    if (localtime_r(&t, &local) == nullptr) return false;
    out->year = local.tm_year + 1900;
    out->month = local.tm_mon + 1;
    out->day = local.tm_mday;
    out->weekday = local.tm_wday;
    out->hour = local.tm_hour;
    out->minute = local.tm_min;
    out->second = local.tm_sec;
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
