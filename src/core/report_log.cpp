// The run log: a header with the opening time, then every message appended as
// formatted and flushed to disk at once, so the log survives an abrupt stop.
#include "core/report_log.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

const char* const Report_File_Name = "Report.txt";

namespace {
FILE* Log_File = nullptr;
std::string Path = Report_File_Name;
}  // namespace

void Report_Set_Path(const char* path) {
    Path = path != nullptr && *path != '\0' ? path : Report_File_Name;
}

const char* Report_Path() {
    return Path.c_str();
}

void Report_Time_Text(long long seconds, unsigned short millis, char* out, int out_size) {
    time_t t = static_cast<time_t>(seconds);
    struct tm local;
    char text[32] = "";
    if (localtime_r(&t, &local) == nullptr ||
        strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y\n", &local) == 0)
        snprintf(text, sizeof text, "%-24s\n", "?");
    // The fixed 26-character local-time text, cut after the time of day, with the
    // milliseconds put in before the year.
    snprintf(out, static_cast<size_t>(out_size), "%.19s.%hu, %s", text, millis, text + 20);
}

int Report_Open() {
    if (Log_File != nullptr) {
        fclose(Log_File);
        Log_File = nullptr;
    }
    FILE* f = fopen(Path.c_str(), "w");
    if (f == nullptr) return 0;
    Log_File = f;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    char when[64];
    Report_Time_Text(now.tv_sec, static_cast<unsigned short>(now.tv_nsec / 1000000), when,
                     sizeof when);
    Report_Log("\nФайл отчета (%s) открыт в %s\n", Report_File_Name, when);
    fclose(Log_File);
    Log_File = fopen(Path.c_str(), "a+");
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

void Report_Close_For_Test() {
    if (Log_File != nullptr) fclose(Log_File);
    Log_File = nullptr;
}
