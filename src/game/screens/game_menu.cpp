// What the side buttons do.
#include "game/screens/game_menu.h"

#include <initializer_list>

#include "audio/sound.h"
#include "platform/platform.h"
#include "platform/shell_input.h"
#include "game/board.h"
#include "game/screens/board_draw.h"
#include "game/screens/bible_reading.h"
#include "game/screens/game_screen.h"
#include "game/screens/book_choice.h"
#include "game/screens/save_slots.h"
#include "audio/music.h"
#include "records/screens/session_diary.h"
#include "graphics/screenshot.h"
#include "ui/boxes.h"
#include "ui/widgets.h"

void Side_Buttons_Update(Game_State* s) {
    Game_Screen& v = *s->Screen;
    // The Pause and Menu keys (a pad's Start and Back) press ПАУЗА and МЕНЮ.
    if (Key_Clicked(VK_PAUSE)) v.Btn_Pause->Press();
    if (Key_Clicked(VK_APPS)) v.Btn_Menu->Press();
    for (cls_Button_Standart* b :
         {v.Btn_Book.get(), v.Btn_Save.get(), v.Btn_Pause.get(), v.Btn_Stats.get(),
          v.Btn_Menu.get(), v.Btn_Fon.get(), v.Btn_Music.get()})
        b->Update();
}

namespace {

// A question over the game.
Answer Ask(Game_State* s, const char* question) {
    Confirm_Box box(question);
    return Run_Over_Game(s, box, -1, Answer::No);
}

// A second question straight after the first, over what the first left.
Answer Ask_Again(const char* question) {
    Confirm_Box box(question);
    return box.ready ? box.Run() : Answer::No;
}

}  // namespace

Side_Result Side_Buttons_Handle(Game_State* s) {
    if (s->Screen->Btn_Book->fired) {
        Read_Books(s);
        return Side_Result::Done;
    }
    if (s->Screen->Btn_Pause->fired) {
        Message_Box box("ПАУЗА");
        Run_Over_Game(s, box);
        return Side_Result::Done;
    }
    if (s->Screen->Btn_Menu->fired) {
        if (Ask(s, "ВЫЙТИ В МЕНЮ?") != Answer::Yes) return Side_Result::Done;
        // Leaving, whatever the answer to the offer to save.
        if (Ask_Again("СОХРАНИТЬ СОСТОЯНИЕ ИГРЫ?") == Answer::Yes) Slot_Save_Dialog(s);
        return Side_Result::Leave;
    }
    if (s->Screen->Btn_Stats->fired) {
        Music_Play("MUSIC/View_Dnevnik.mp3", 1);
        Session_Diary diary(&s->Sessions);
        if (diary.ready) diary.Offer_Bible([s] { Show_Whole_Bible(s); });
        Run_Over_Game(s, diary);
        // The session tune goes on where it was at the next pass of the game loop.
        Music_Stop();
        return Side_Result::Done;
    }
    if (s->Screen->Btn_Save->fired) {
        Sound_Stop_All();
        Slot_Save_Dialog(s);
        return Side_Result::Done;
    }
    if (s->Screen->Btn_Fon->fired) {
        Board_Next_Background(&s->Screen->Board);
        return Side_Result::Done;
    }
    if (s->Screen->Btn_Music->fired) Screenshot_Take();
    return Side_Result::Nothing;
}
