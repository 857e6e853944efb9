// The diary's rows and durations, and sorting the session list.
#include "records/sessions.h"

#include <cstdio>
#include <cstring>

#include "scripture/book_table.h"

const char* const Session_Header_Text =
    "Номр Книга Глава Стихов* Баллов Блоков Рядов Выплн Штраф Длительность";

void Duration_Text(int32_t d, char* out, size_t size) {
    constexpr int32_t Year = 31536000, Month = 2678400, Day = 86400, Hour = 3600, Minute = 60;
    const int32_t years = d / Year;
    int32_t rest = d % Year;
    const int32_t months = rest / Month;
    rest %= Month;
    const int32_t days = rest / Day;
    rest %= Day;
    const int32_t hours = rest / Hour;
    rest %= Hour;
    const int32_t minutes = rest / Minute;
    const int32_t seconds = rest % Minute;
    if (d < Minute)
        std::snprintf(out, size, "%d сек", seconds);
    else if (d < Hour)
        std::snprintf(out, size, "%d мин %d сек", minutes, seconds);
    else if (d < Day)
        std::snprintf(out, size, "%d час %d мин", hours, minutes);
    else if (d < Month)
        std::snprintf(out, size, "%d дн %d час", days, hours);
    else if (d < Year)
        std::snprintf(out, size, "%d мес %d дн", months, days);
    else
        std::snprintf(out, size, "%d лет %d мес", years, months);
}

void Session_Row_Text(const Session_Record& r, char* out, size_t size) {
    char duration[48];
    Duration_Text(r.duration, duration, sizeof duration);
    const char* book = r.book >= 1 && r.book <= HS_Book_Count ? HS_Abbrevs[r.book - 1] : "?";
    char text[192];
    std::snprintf(text, sizeof text, "%4d %5s %5d %3d/%3d %6d %6d %5d %5s %5d %s", r.session_number,
                  book, r.chapter, r.verses_opened, r.verses_total, r.points, r.blocks, r.rows,
                  r.success != 0 ? "Good" : "Fail", r.penalty, duration);
    // The row holds 79 characters; wilder numbers are cut there.
    const size_t n = strnlen(text, 79);
    std::snprintf(out, size, "%.*s", static_cast<int>(n), text);
}

namespace {
int32_t Key_Of(const Session_Record& r, int key) {
    switch (key) {
        case Sort_Points:
            return r.points;
        case Sort_Blocks:
            return r.blocks;
        case Sort_Rows:
            return r.rows;
        default:
            return r.session_number;
    }
}
}  // namespace

void Session_List_Sort(Session_List* list, int key) {
    Session_List& r = *list;
    const int count = static_cast<int>(r.size());
    for (int i = 1; i < count; ++i) {
        // The first record before it whose key is strictly greater takes its place.
        int j = 0;
        while (j < i && Key_Of(r[j], key) <= Key_Of(r[i], key)) ++j;
        if (j == i) continue;
        const Session_Record moving = r[i];
        for (int k = i; k > j; --k) r[k] = r[k - 1];
        r[j] = moving;
    }
}
