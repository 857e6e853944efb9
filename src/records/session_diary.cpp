// Making the session list and the wording of durations.
#include "records/session_diary.h"

#include <cstdio>
#include <cstring>
#include <new>

Session_List* Session_List_Create() {
    Session_List* list = new (std::nothrow) Session_List();
    if (list == nullptr) return nullptr;
    std::snprintf(list->header, sizeof list->header, "%s",
                  "Номр Книга Глава Стихов* Баллов Блоков Рядов Выплн Штраф Длительность");
    list->ready = Session_List_Reserve(list, 10);
    return list;
}

void Session_List_Destroy(Session_List* list) {
    delete list;
}

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
