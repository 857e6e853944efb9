// The run log: a header with the opening time, then every message appended as
// formatted and flushed to disk at once, so the log survives an abrupt stop.
#include "core/report_log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "core/system.h"

const char* const Report_File_Name = "Report.txt";

namespace {
FILE* Log_File = nullptr;
std::string Path = Report_File_Name;
}  // namespace

void Report_Set_Path(const char* path) {
    // A log open at the old place is closed there.
    if (Log_File != nullptr) std::fclose(Log_File);
    Log_File = nullptr;
    Path = path != nullptr && *path != '\0' ? path : Report_File_Name;
}

const char* Report_Path() {
    return Path.c_str();
}

void Report_Time_Text(long long seconds, unsigned short millis, char* out, int out_size) {
    static const char* const Days[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const Months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // The C runtime's fixed local-time text ("Mon Dec  7 14:53:27 2026"), with the
    // milliseconds put in after the time of day.
    Sys_Date d;
    if (!Sys_Local_Date(seconds, &d) || d.weekday < 0 || d.weekday > 6 || d.month < 1 ||
        d.month > 12) {
        snprintf(out, static_cast<size_t>(out_size), "%-19s.%hu, %s\n", "?", millis, "?");
        return;
    }
    snprintf(out, static_cast<size_t>(out_size), "%s %s %2d %02d:%02d:%02d.%hu, %d\n",
             Days[d.weekday], Months[d.month - 1], d.day, d.hour, d.minute, d.second, millis,
             d.year);
}

int Report_Open() {
    if (Log_File != nullptr) {
        fclose(Log_File);
        Log_File = nullptr;
    }
    FILE* f = Sys_Open(Path, "wb");
    if (f == nullptr) return 0;
    Log_File = f;
    int millis = 0;
    const int64_t now = Sys_Now(&millis);
    char when[64];
    Report_Time_Text(now, static_cast<unsigned short>(millis), when, sizeof when);
    Report_Log("\nФайл отчета (%s) открыт в %s\n", Report_File_Name, when);
    fclose(Log_File);
    Log_File = Sys_Open(Path, "ab");
    return Log_File != nullptr ? 1 : 0;
}

int Report_Log(const char* format, ...) {
    if (format == nullptr || Log_File == nullptr) return 0;
    char buffer[512];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return 0;
    size_t len =
        static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n) : sizeof buffer - 1;
    fwrite(buffer, 1, len, Log_File);
    fflush(Log_File);
    return 1;
}
