// The session diary: the list of finished sessions as the diary makes it, the text
// of a diary row with its duration wording, sorting the list, and the diary screen.
#pragma once

#include <memory>

#include <cstddef>
#include <cstdint>

#include "game/game_state.h"
#include "graphics/font.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

// A new list: room for 10 records, none in use, the column header set; not ready
// (and holding nothing) when its array could not be obtained.
Session_List* Session_List_Create();
void Session_List_Destroy(Session_List* list);

// "59 сек", "1 мин 1 сек", "1 час 1 мин", "1 дн 0 час", "1 мес 0 дн", "1 лет 0 мес":
// a year counts 365 days, a month 31.
void Duration_Text(int32_t seconds, char* out, size_t size);

// The diary row of record i, into the list's row field; null outside the list.
const char* Session_Row_Text(Session_List* list, int index);

// Sort keys: the session number, points, blocks, rows.
enum Session_Sort_Key { Sort_Number = 0, Sort_Points = 1, Sort_Blocks = 2, Sort_Rows = 3 };
// A stable sort of the list itself, ascending by the key: records with equal keys
// keep their order, so sorting by number restores the order of the sessions.
void Session_List_Sort(Session_List* list, int key);

// The diary screen over the game's list (not owned; sorting reorders it).
class Session_Diary {
  public:
    explicit Session_Diary(Session_List* list);
    ~Session_Diary();
    Session_Diary(const Session_Diary&) = delete;
    Session_Diary& operator=(const Session_Diary&) = delete;

    // Runs until OK fired, the program is being left or the quit message came; 1.
    int Run();
    void Draw(Surface* surface);
    // The rows anew from the list, in its order.
    void Fill_Rows();

    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_VScroll_Control> scroll;
    std::unique_ptr<cls_Button_Standart> ok;
    std::unique_ptr<cls_Button_Standart> sort_buttons[4];  // НОМЕР, БАЛЛ, БЛОК, ЛИНИЯ
    Session_List* list = nullptr;
    std::unique_ptr<Text_Lines> rows;
    // The sort label keeps the colour the shared font had when the diary opened.
    Font good_font, fail_font, header_font, label_font;
    int32_t first_row = 0;
    int32_t rows_per_page = 0;
    int32_t text_x = 0, text_top = 0;
    int32_t ready = 0;
};
