// The game loop and the session cycle.
#include "game/screens/game_loop.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/shell_input.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "core/report_log.h"
#include "game/board.h"
#include "game/play.h"
#include "game/screens/bible_reading.h"
#include "game/screens/board_draw.h"
#include "game/books.h"
#include "game/saving.h"
#include "game/screens/book_choice.h"
#include "game/screens/game_menu.h"
#include "game/screens/game_screen.h"
#include "game/screens/play_screens.h"
#include "game/screens/reading.h"
#include "game/screens/save_slots.h"
#include "game/screens/session_results.h"
#include "graphics/display.h"
#include "platform/pad.h"
#include "platform/platform.h"
#include "records/screens/session_diary.h"
#include "records/screens/slot_menu.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "ui/boxes.h"
#include "ui/screen_loop.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

namespace {

enum class Block_End { Landed, Leave };

// The window was closed during the game, over whatever screen is open: the offer
// to save first, as МЕНЮ makes it. On ДА the screens give way and the slots open
// once the game stands settled again (Game_Run); otherwise the program ends now.
void Ask_Before_Closing() {
    Sound_Stop_All();
    Confirm_Box offer("СОХРАНИТЬ СОСТОЯНИЕ ИГРЫ?");
    if (offer.Run() == Answer::Yes)
        Screens_Give_Way(true);
    else
        Exit_Requested = 1;
}

// The game to whoever watches: its side buttons in their order of update (book,
// save, pause, diary, menu, background, screenshot), and the state itself.
void Announce_Game(Game_State* s) {
    const Game_Screen& v = *s->Screen;
    const Screen_Target targets[] = {Centre_Of(*v.Btn_Book),  Centre_Of(*v.Btn_Save),
                                     Centre_Of(*v.Btn_Pause), Centre_Of(*v.Btn_Stats),
                                     Centre_Of(*v.Btn_Menu),  Centre_Of(*v.Btn_Fon),
                                     Centre_Of(*v.Btn_Music)};
    Screen_Announce({"game", targets, 7, s});
}

// One block from its dealing to its landing, a tick each pass. The landing is
// settled in the tick it happens, before the side buttons act and the frame is
// drawn: a save made in that tick holds the landing whole, as the panel shows it.
Block_End Play_Block(Game_State* s, int* carry) {
    Build_Area* a = s->Area.get();
    a->Block_Points = a->Block_Rows = a->Drop_Bonus = 0;
    Block_Spawn(&a->Current, a->Width / 2);
    // The first landing always earns at least one contact point.
    bool landed = false;
    while (!landed) {
        Announce_Game(s);
        Plat_Pad_Blocks_Falling();  // a pad steers the block in this frame
        landed = Block_Tick(s, carry);
        Side_Buttons_Update(s);
        // The rows whose second is up leave the board at the time of the frame.
        Rows_Leave(a, Game_Frame(s, 1));
        if (Side_Buttons_Handle(s) == Side_Result::Leave || Screens_Leaving())
            return Block_End::Leave;
        if (Screen_Pump() == Pump::Leave) return Block_End::Leave;
        Playlist_Update(s->Screen->Playlist.get());
    }
    return Block_End::Landed;
}

// A session's blocks until it is completed or fails; false when the player leaves.
bool Play_Session(Game_State* s) {
    Game_Progress& g = s->Progress;
    int carry = 0;  // points not turned into a letter yet
    while (g.Session_End == 0) {
        Verse_List_Refresh(s);
        if (Play_Block(s, &carry) == Block_End::Leave) return false;
    }
    return true;
}

}  // namespace

void Continue_Failure_Notice(Game_Result result) {
    const char* text = result == Game_Result::Slot_Damaged ? "СОХРАНЕНИЕ ПОВРЕЖДЕНО"
                       : result == Game_Result::Book_Unreadable ? "КНИГА СОХРАНЕНИЯ НЕ ЧИТАЕТСЯ"
                                                                : nullptr;
    if (text == nullptr) return;
    Message_Box box(text);
    Run_Over_Game(nullptr, box);
}

Game_Result Game_New(Game_State* s, const char* player_name) {
    Game_Layout(s);
    Play_Screens_Attach();
    Report_Log("\n\n Start New Game");
    Game_Start_New(s, player_name);
    Reading_Begin_Game(s);
    // A book that cannot be read is taken off the list; the player chooses again.
    bool loaded = false;
    while (!loaded && Select_HSBook(s) > 0) loaded = Load_Game_Book(s) != 0;
    if (!loaded) return Game_Result::Not_Started;
    Game_Begin_Book(s);
    Game_Run(s, 1);
    return Game_Result::Played;
}

Game_Result Game_Continue(Game_State* s) {
    Game_Layout(s);
    Play_Screens_Attach();
    Report_Log("\n Start Load_Game");
    Area_Reset(s->Area.get());
    Board_New_Look(&s->Screen->Board);
    int slot = 0;
    {
        Slot_Menu menu(Slot_Menu::Mode_Load);
        if (menu.ok)
            slot = menu.Run();
        else
            Slot_Folder_Failure_Notice();
    }
    if (slot < 1) return Game_Result::Not_Started;
    // A continued game starts with a fresh block and no carry; the loaded session's
    // counters and start stay.
    if (!Slot_Load(s, slot)) return Game_Result::Slot_Damaged;
    if (!Load_Game_Book(s)) return Game_Result::Book_Unreadable;
    if (!Slot_Fits_Book(s, slot)) return Game_Result::Slot_Damaged;
    Reading_Continue_Game(s);
    Game_Run(s, 0);
    return Game_Result::Played;
}

namespace {

// The sessions and books of a game; true when the game is over, false when it is
// left before. A game left while its screens give way stops where it stands
// settled: in a tick of play, or with its book done before the next is chosen.
bool Play_Books(Game_State* s, int start_new) {
    Game_Progress& g = s->Progress;
    while (!g.Game_Over) {
        while (g.Book_Done == 0) {
            Report_Log("\n Start new sesion");
            if (start_new) Session_Start(s);
            if (!Play_Session(s)) return false;
            Session_Results(s);
            Report_Log("\n Session Finish");
            start_new = 1;
        }
        if (Screens_Giving_Way()) return false;
        if (g.Book_Index >= 1 && g.Book_Index <= HS_Book_Count) g.Book_Read[g.Book_Index - 1] = 1;
        Report_Log("\n Переход к следующей книге");
        const int chosen = Select_HSBook(s);
        if (Screens_Giving_Way()) return false;
        if (chosen <= 0) {
            g.Game_Over = 1;
        } else if (Load_Game_Book(s)) {
            Game_Begin_Book(s);
            start_new = 1;  // a continued game saved between books too
        }
        Report_Log("\n HScriptBook Readed");
    }
    return true;
}

}  // namespace

int Game_Run(Game_State* s, int start_new) {
    // Closing the window asks first while the game runs; at its end it closes.
    struct Asking {
        Asking() { Screen_Set_Close_Action(Ask_Before_Closing); }
        ~Asking() { Screen_Set_Close_Action(nullptr); }
    } asking;
    if (Display_Is_Lost()) Display_Recover();
    Playlist_Play_Current(s->Screen->Playlist.get());
    if (Play_Books(s, start_new)) {
        Screen_Set_Close_Action(nullptr);
        Game_Over_Screen();
        Report_Log("\n Game Over");
    }
    if (Screens_Giving_Way()) {
        // The close was answered with a save: the slots over the game as it stands,
        // then the program ends.
        Screens_Give_Way(false);
        Game_Draw_Behind_Box(s);
        Slot_Save_Dialog(s);
        Exit_Requested = 1;
    }
    return 1;
}
