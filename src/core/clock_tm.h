// The C library's broken-down local time as the system seam's date.
#pragma once

#include <ctime>

#include "core/system.h"

inline void Date_From_Tm(const std::tm& local, Sys_Date* out) {
    out->year = local.tm_year + 1900;
    out->month = local.tm_mon + 1;
    out->day = local.tm_mday;
    out->weekday = local.tm_wday;
    out->hour = local.tm_hour;
    out->minute = local.tm_min;
    out->second = local.tm_sec;
}
