// The run log Report.txt: recreated at every start, every call flushed at once.
#pragma once

// Name of the log, as its header names it.
extern const char* const Report_File_Name;
// Where the log is written: Report.txt in the working folder unless set (null
// sets it back). A log open at the old place is closed.
void Report_Set_Path(const char* path);
const char* Report_Path();

// Opens the log anew and writes its header; 1 when it is open for appending.
int Report_Open();
// printf-style; 1 when written, 0 when the log is not open or format is null.
int Report_Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Builds the header's time text for a moment (seconds since 1970 and milliseconds):
// "Sun Dec  6 02:16:23.123, 2026\n" in local time.
void Report_Time_Text(long long seconds, unsigned short millis, char* out, int out_size);
