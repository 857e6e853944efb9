// The slot menu: the twelve save slots, each labelled with the name, the book and
// the time it was saved, to choose one for saving or for continuing a game.
#pragma once

#include <memory>

#include <cstdint>

#include "game/slot_file.h"
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

    // The caption of slot i (1..12) from its head, at most 75 characters.
    static void Label(int slot, const Slot_Header& head, bool damaged, char* out, size_t size);

    Slot_Header heads[Slot_Count] = {};
    bool damaged[Slot_Count] = {};  // a file is there but cannot be a slot
    int32_t slot_count = Slot_Count;
    int32_t ok = 0;
    int32_t mode = Mode_Save;
    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> cancel;
    std::unique_ptr<cls_Button_Standart> buttons[Slot_Count];

  private:
    bool Read_Heads();
};
