// The session diary's data: the text of a row and of a duration, the column
// header, and sorting the game's list of finished sessions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/game_state.h"

// "Номр Книга Глава Стихов* Баллов Блоков Рядов Выплн Штраф Длительность".
extern const char* const Session_Header_Text;

// "59 сек", "1 мин 1 сек", "1 час 1 мин", "1 дн 0 час", "1 мес 0 дн", "1 лет 0 мес":
// a year counts 365 days, a month 31.
void Duration_Text(int32_t seconds, char* out, size_t size);

// The diary row of a record: at most 79 characters, wilder numbers cut there.
void Session_Row_Text(const Session_Record& record, char* out, size_t size);

// Sort keys: the session number, points, blocks, rows.
enum Session_Sort_Key { Sort_Number = 0, Sort_Points = 1, Sort_Blocks = 2, Sort_Rows = 3 };
// A stable sort of the list itself, ascending by the key: records with equal keys
// keep their order, so sorting by number restores the order of the sessions.
void Session_List_Sort(Session_List* list, int key);
