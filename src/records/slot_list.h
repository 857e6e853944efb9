// The twelve save slots as the slot menu lists them: each slot's head read from
// its whole, checked file, and its label with the name, book and time of saving.
#pragma once

#include <cstddef>

#include "game/slot_file.h"

struct Slot_List {
    Slot_Header heads[Slot_Count] = {};  // in_use 0 for an empty or damaged slot
    bool damaged[Slot_Count] = {};       // a file is there but cannot be a slot
};

// Reads and checks every slot, making the save folder when it is missing; false
// when the folder cannot be made (the list is then empty).
bool Slot_List_Read(Slot_List* list);

// The caption of slot n (1..12) from its head, at most 75 characters.
void Slot_Label(int slot, const Slot_Header& head, bool damaged, char* out, size_t size);
