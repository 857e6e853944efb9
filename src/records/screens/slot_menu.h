// The slot menu: the twelve save slots, each labelled with the name, the book and
// the time it was saved, to choose one for saving or for continuing a game.
#pragma once

#include <memory>

#include <cstdint>

#include "records/slot_list.h"
#include "ui/widgets.h"

class Slot_Menu {
  public:
    static constexpr int Mode_Save = 0;
    static constexpr int Mode_Load = 1;

    // Reads and checks every slot (making the save folder when missing) and builds
    // the buttons; ok stays 0 when the folder cannot be made.
    explicit Slot_Menu(int mode);
    // Releases the panel and the buttons and stops the music.
    ~Slot_Menu();
    Slot_Menu(const Slot_Menu&) = delete;
    Slot_Menu& operator=(const Slot_Menu&) = delete;

    // The slot chosen, 1..12, or 0 when cancelled or the program is being left.
    int Run();
    void Draw(Surface* surface);

    Slot_List slots;
    int32_t ok = 0;
    int32_t mode = Mode_Save;
    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> cancel;
    std::unique_ptr<cls_Button_Standart> buttons[Slot_Count];
};
