// The game's side of the slot files.
#include "game/screens/save_slots.h"

#include "game/saving.h"

#include "audio/sound.h"
#include "game/screens/game_screen.h"
#include "records/screens/slot_menu.h"
#include "ui/boxes.h"

namespace {

// A notice over the game (or over whatever the screen left when there is no game).
void Tell(Game_State* s, const char* text) {
    Message_Box box(text);
    Run_Over_Game(s, box);
}

}  // namespace

int Slot_Save_Dialog(Game_State* s) {
    int slot = 0;
    {
        Slot_Menu menu(Slot_Menu::Mode_Save);
        if (!menu.ok) {
            Tell(s, Slot_Folder_Failure_Text);
            return 0;
        }
        slot = menu.Run();
    }
    if (slot <= 0) return 1;
    Sys_Failure error = Sys_Failure::Ok;
    if (Slot_Save(s, slot, &error)) return 1;
    // The player must not believe the game saved.
    Tell(s, Save_Failure_Text(error).c_str());
    return 0;
}

void Slot_Folder_Failure_Notice() {
    Tell(nullptr, Slot_Folder_Failure_Text);
}
