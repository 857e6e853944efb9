// Which books the list offers, and loading the game's book.
#include "game/books.h"

#include <cstdio>
#include <memory>

#include "core/report_log.h"
#include "scripture/hs_book.h"

int Books_Offered(const Game_Progress& g, bool read, uint8_t closed[HS_Book_Count]) {
    int count = 0;
    for (int k = 0; k < HS_Book_Count; ++k) {
        const bool open = (g.Book_Read[k] != 0) == read && HS_Available[k] == 1;
        closed[k] = open ? 0 : 1;
        count += open ? 1 : 0;
    }
    return count;
}

int Load_Game_Book(Game_State* s) {
    Game_Progress& g = s->Progress;
    s->Open_Book.reset();
    if (g.Book_Index < 1 || g.Book_Index > HS_Book_Count) {
        Report_Log("\n Error: нет книги с номером %d", g.Book_Index);
        return 0;
    }
    const std::string path = Book_Path(g.Book_Index);
    Report_Log("\n Чтение книги: %s", path.c_str());
    auto book = std::make_unique<HS_Book>();
    if (HS_Book_Load(book.get(), path.c_str())) {
        s->Open_Book = std::move(book);
        std::snprintf(g.Book_Title, sizeof g.Book_Title, "%s", HS_Titles[g.Book_Index - 1]);
        return 1;
    }
    // A book whose file cannot be read is not offered again: choosing it once more
    // would only fail the same way.
    HS_Available[g.Book_Index - 1] = 0;
    Report_Log("\n Книга %s не загружена и больше не предлагается", path.c_str());
    return 0;
}
