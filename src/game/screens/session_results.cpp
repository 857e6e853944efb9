// Session results, the storage, the session record and game over.
#include "game/screens/session_results.h"

#include <cstdio>
#include <cstring>

#include "audio/music.h"
#include "audio/sound.h"
#include "game/play.h"
#include "game/screens/bible_reading.h"
#include "game/screens/game_screen.h"
#include "game/screens/reading.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "records/sessions.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "scripture/screens/book_viewer.h"
#include "ui/boxes.h"
#include "ui/text_lines.h"

namespace {

// Every line of the results fits this width, so none wraps.
constexpr int Results_Width = 40;

}  // namespace

std::vector<std::string> Session_Results_Lines(const Game_Progress& g, int chapters,
                                               const Session_Record& r) {
    std::vector<std::string> lines;
    auto add = [&lines](const char* format, auto... args) {
        char line[160];
        std::snprintf(line, sizeof line, format, args...);
        lines.emplace_back(line);
    };
    const char* title =
        g.Book_Index >= 1 && g.Book_Index <= HS_Book_Count ? HS_Titles[g.Book_Index - 1] : "";
    char spent[64];
    Duration_Text(r.duration, spent, sizeof spent);
    add("Результаты сессии %d: (%d%%)", r.session_number,
        Session_Percent(r.letters_opened, r.letters_total));
    add("Книга: %s, Глава %d/%d", title, r.chapter, chapters);
    add("Открыто стихов: %d/%d", r.verses_opened, r.verses_total);
    add("Набрано баллов: %d", r.points);
    add("Выложено блоков: %d", r.blocks);
    add("Собрано рядов: %d", r.rows);
    add("Затрачено времени: %s", spent);
    if (r.success == 0) {
        lines.emplace_back("Сессия не выполнена.");
        lines.emplace_back("В хранилище ничего не добавлено.");
        add("Штраф: %d баллов.", r.penalty);
        lines.emplace_back("Открытые за сессию стихи закрываются.");
    } else {
        lines.emplace_back("Сессия успешно выполнена.");
        lines.emplace_back("Результаты добавлены в хранилище.");
    }
    return lines;
}

int Session_Results(Game_State* s) {
    Game_Progress& g = s->Progress;
    const HS_Book* book = s->Open_Book.get();
    Sound_Stop_All();
    const bool failed = g.Session_End == Session_Failed;
    Music_Play(failed ? "MUSIC/Fail_ses_finish.mp3" : "MUSIC/Good_ses_finish.mp3", 1);
    const Session_Record r = Session_Settle(s);
    Text_Lines text(1024, Results_Width);
    for (const std::string& line : Session_Results_Lines(g, Chapter_Count(book), r))
        text.Add_Text(line.c_str());
    // The box opens over the board as it ended, not over the last reading box.
    Game_Frame(s, 0);
    {
        Results_Box box(&text);
        if (box.ready) box.Run();
    }
    Music_Stop();
    Session_Close(s, r);
    if (failed) return 1;
    Reading_Note_Game(s);

    {
        Book_Viewer viewer(g.Chapter, g.Chapter, book);
        if (viewer.ready) {
            Sound_Stop_All();
            if (Snd_1 >= 0) Sound_Play(Snd_1);
            viewer.Run();
            Sound_Stop_All();
        }
    }
    if (!Chapter_Advance(s)) {
        Sound_Stop_All();
        return 0;
    }
    Verse_List_Refresh(s);
    return 1;
}

int Game_Over_Screen() {
    Music_Play("MUSIC/Game_Over.mp3", 1);
    Surface_Fill(Back_Buffer, nullptr, 0);
    Present_Frame();
    Surface_Fill(Back_Buffer, nullptr, 0);
    Message_Box box("КОНЕЦ ИГРЫ");
    if (box.ready) {
        Sound_Stop_All();
        box.Run();
    }
    Sound_Stop_All();
    return 1;
}
