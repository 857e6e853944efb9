// Choosing the game's next book, and reading finished books again.
#include "game/screens/book_choice.h"

#include <cstdio>

#include "audio/music.h"
#include "audio/sound.h"
#include "core/report_log.h"
#include "game/books.h"
#include "game/screens/bible_reading.h"
#include "game/screens/game_screen.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "scripture/screens/book_select.h"
#include "scripture/screens/book_viewer.h"
#include "ui/boxes.h"
#include "ui/screen_loop.h"

int Select_HSBook(Game_State* s) {
    Game_Progress& g = s->Progress;
    uint8_t closed[HS_Book_Count];
    const int count = Books_Offered(g, false, closed);
    Report_Log("\n Select_HSBook, num_not_readed = %d", count);
    if (count == 0) return 0;
    int chosen = 0;
    {
        Book_Select_Dialog dialog(closed, Book_Select_Dialog::Mode_In_Order);
        dialog.Offer_Bible([s] { Show_Whole_Bible(s); });
        Music_Play("MUSIC/Select_HScript.mp3", 1);
        chosen = dialog.Run();
    }
    // Screens that give way choose nothing: the game keeps its book.
    if (Screens_Giving_Way()) return 0;
    // The bottom button or Escape: the first book not read yet.
    for (int k = 0; k < HS_Book_Count && chosen < 1; ++k)
        if (!closed[k]) chosen = k + 1;
    g.Book_Index = chosen;
    return chosen;
}

namespace {

// The viewer over the game, with the sound of the book being opened.
void Show_Chapters(Game_State* s, const HS_Book* book, int last) {
    Book_Viewer viewer(1, last, book);
    Run_Over_Game(s, viewer, Snd_12);
    Sound_Stop_All();
}

}  // namespace

int Read_Books(Game_State* s) {
    const Game_Progress& g = s->Progress;
    uint8_t closed[HS_Book_Count];
    if (Books_Offered(g, true, closed) == 0) {
        if (g.Chapter <= 1) {
            Message_Box notice("ВЫ ЕЩЕ НЕ ПРОЧИТАЛИ НИ ОДНОЙ ГЛАВЫ ИЗ КНИГИ");
            Run_Over_Game(s, notice);
            Sound_Stop_All();
            return 1;
        }
        Show_Chapters(s, s->Open_Book.get(), g.Chapter - 1);
        return 1;
    }
    // The finished books, and the current one for its finished chapters.
    if (g.Book_Index >= 1 && g.Book_Index <= HS_Book_Count) closed[g.Book_Index - 1] = 0;
    int chosen = 0;
    {
        Book_Select_Dialog dialog(closed, Book_Select_Dialog::Mode_Cancel);
        dialog.Offer_Bible([s] { Show_Whole_Bible(s); });
        Music_Play("MUSIC/Select_HScript.mp3", 1);
        chosen = dialog.Run();
    }
    if (chosen < 1) return 1;
    const std::string path = Book_Path(chosen);
    Report_Log("\n Выбрана книга для чтения: %s", path.c_str());
    HS_Book book;
    if (!HS_Book_Load(&book, path.c_str())) return 0;
    const int last = chosen == g.Book_Index ? g.Chapter - 1 : Chapter_Count(&book);
    Show_Chapters(s, &book, last);
    return 1;
}
