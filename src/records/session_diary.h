// The session diary: the list of finished sessions as the diary makes it, the text
// of a diary row with its duration wording, and sorting the list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/game_state.h"

// A new list: room for 10 records, none in use, the column header set; not ready
// (and holding nothing) when its array could not be obtained.
Session_List* Session_List_Create();
void Session_List_Destroy(Session_List* list);

// "59 сек", "1 мин 1 сек", "1 час 1 мин", "1 дн 0 час", "1 мес 0 дн", "1 лет 0 мес":
// a year counts 365 days, a month 31.
void Duration_Text(int32_t seconds, char* out, size_t size);
