// Choosing and loading the game's books.
#include "game/screens/book_choice.h"

#include <cstdio>
#include <cstring>

#include "audio/music.h"
#include "core/report_log.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "scripture/screens/book_select.h"
#include "scripture/screens/book_viewer.h"
#include "audio/sound.h"
#include "game/screens/game_screen.h"
#include "ui/boxes.h"
#include "ui/screen_loop.h"

int Select_HSBook(Game_State* s) {
    Game_Progress& g = s->Progress;
    uint8_t disabled[HS_Book_Count];
    int count = 0;
    for (int k = 0; k < HS_Book_Count; ++k) {
        const bool open = g.Book_Read[k] == 0 && HS_Available[k] == 1;
        disabled[k] = open ? 0 : 1;
        count += open ? 1 : 0;
    }
    Report_Log("\n Select_HSBook, num_not_readed = %d", count);
    if (count == 0) return 0;
    int chosen = 0;
    {
        Book_Select_Dialog dialog(disabled, Book_Select_Dialog::Mode_In_Order);
        Music_Play("MUSIC/Select_HScript.mp3", 1);
        chosen = dialog.Run();
    }
    // Screens that give way choose nothing: the game keeps its book.
    if (Screens_Giving_Way()) return 0;
    // The bottom button or Escape: the first book not read yet.
    for (int k = 0; k < HS_Book_Count && chosen < 1; ++k)
        if (!disabled[k]) chosen = k + 1;
    g.Book_Index = chosen;
    return chosen;
}

int Load_Game_Book(Game_State* s) {
    Game_Progress& g = s->Progress;
    if (s->Open_Book != nullptr) {
        HS_Book_Free(s->Open_Book);
        delete s->Open_Book;
        s->Open_Book = nullptr;
    }
    if (g.Book_Index < 1 || g.Book_Index > HS_Book_Count) {
        Report_Log("\n Error: нет книги с номером %d", g.Book_Index);
        return 0;
    }
    char path[260];
    std::snprintf(path, sizeof path, "%s/%s.txt", HS_Folder, HS_File_Names[g.Book_Index - 1]);
    Report_Log("\n Чтение книги: %s", path);
    HS_Book* book = new HS_Book();
    if (HS_Book_Load(book, path)) {
        s->Open_Book = book;
        std::snprintf(g.Book_Title, sizeof g.Book_Title, "%s", HS_Titles[g.Book_Index - 1]);
        return 1;
    }
    HS_Book_Free(book);
    delete book;
    // A book whose file cannot be read is not offered again: choosing it once more
    // would only fail the same way.
    HS_Available[g.Book_Index - 1] = 0;
    Report_Log("\n Книга %s не загружена и больше не предлагается", path);
    return 0;
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
    uint8_t disabled[HS_Book_Count];
    int count = 0;
    for (int k = 0; k < HS_Book_Count; ++k) {
        const bool open = g.Book_Read[k] == 1 && HS_Available[k] == 1;
        disabled[k] = open ? 0 : 1;
        count += open ? 1 : 0;
    }
    if (count == 0) {
        if (g.Chapter <= 1) {
            Message_Box notice("ВЫ ЕЩЕ НЕ ПРОЧИТАЛИ НИ ОДНОЙ ГЛАВЫ ИЗ КНИГИ");
            Run_Over_Game(s, notice);
            Sound_Stop_All();
            return 1;
        }
        Show_Chapters(s, s->Open_Book, g.Chapter - 1);
        return 1;
    }
    // The finished books, and the current one for its finished chapters.
    if (g.Book_Index >= 1 && g.Book_Index <= HS_Book_Count) disabled[g.Book_Index - 1] = 0;
    int chosen = 0;
    {
        Book_Select_Dialog dialog(disabled, Book_Select_Dialog::Mode_Cancel);
        Music_Play("MUSIC/Select_HScript.mp3", 1);
        chosen = dialog.Run();
    }
    if (chosen < 1) return 1;
    char path[260];
    std::snprintf(path, sizeof path, "%s/%s.txt", HS_Folder, HS_File_Names[chosen - 1]);
    Report_Log("\n Выбрана книга для чтения: %s", path);
    HS_Book book;
    if (!HS_Book_Load(&book, path)) return 0;
    const int last = chosen == g.Book_Index ? g.Chapter - 1 : Chapter_Count(&book);
    Show_Chapters(s, &book, last);
    return 1;
}
