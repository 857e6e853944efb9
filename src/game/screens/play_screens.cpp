// The screens attached to play.
#include "game/screens/play_screens.h"

#include "audio/sound.h"
#include "game/board.h"
#include "game/play.h"
#include "game/screens/board_draw.h"
#include "game/screens/game_screen.h"
#include "game/screens/reading.h"

namespace {

void On_Session_Started(Game_State* s) {
    Board_New_Look(&s->Screen->Board);
}

void On_Landed(Game_State* s) {
    if (Snd_14 >= 0) Sound_Play(Snd_14);
    if (s->Area->Block_Rows > 0 && Snd_11 >= 0) Sound_Play(Snd_11);
}

const Play_Hooks Screen_Hooks = {On_Session_Started, On_Landed, Show_Verse, Verse_List_Refresh};

}  // namespace

void Play_Screens_Attach() {
    Play_Attach(&Screen_Hooks);
}
