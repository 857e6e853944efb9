// The session diary screen: the table of the game's finished sessions, sorted by
// the player's choice.
#pragma once

#include <functional>
#include <memory>

#include <cstdint>

#include "game/game_state.h"
#include "records/sessions.h"
#include "graphics/font.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

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
    // A button beside the sort buttons, and Tab, show the whole Bible's reading.
    void Offer_Bible(std::function<void()> show);

    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_VScroll_Control> scroll;
    std::unique_ptr<cls_Button_Standart> ok;
    std::unique_ptr<cls_Button_Standart> sort_buttons[4];  // НОМЕР, БАЛЛ, БЛОК, ЛИНИЯ
    std::unique_ptr<cls_Button_Standart> bible;
    std::function<void()> show_bible;
    Session_List* list = nullptr;
    std::unique_ptr<Text_Lines> rows;
    // The sort label keeps the colour the shared font had when the diary opened.
    Font good_font, fail_font, header_font, label_font;
    int32_t first_row = 0;
    int32_t rows_per_page = 0;
    int32_t text_x = 0, text_top = 0;
    int32_t ready = 0;
};
