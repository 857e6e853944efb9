// The reading box for each verse that opens, and the running verse line.
#include "game/screens/reading.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/sound.h"
#include "game/screens/game_screen.h"
#include "scripture/hs_book.h"
#include "scripture/screens/verse_reader.h"
#include "ui/text_lines.h"

namespace {

void Append_Verse(Horizontal_Ticker* line, int chapter, const char* verse) {
    std::string piece = std::to_string(chapter) + ":" + (verse != nullptr ? verse : "");
    line->Add_Text(piece.c_str());
}

void Append_Marker(Horizontal_Ticker* line, int chapter) {
    char marker[32];
    std::snprintf(marker, sizeof marker, "<Глава %d>", chapter);
    line->Add_Text(marker);
}

}  // namespace

void Show_Verse(Game_State* s) {
    const Game_Progress& g = s->Progress;
    Verse_Reader reader(g.Chapter, g.Verse, Verse_Text(s->Open_Book.get(), g.Chapter, g.Verse),
                        g.Book_Title);
    if (Run_Over_Game(s, reader, Snd_10, -1) >= 0) Sound_Stop_All();
}

void Verse_List_Refresh(Game_State* s) {
    const Game_Progress& g = s->Progress;
    Horizontal_Ticker* line = s->Screen->Verse_Line.get();
    line->Clear();
    line->Add_Text(g.Book_Title);
    if (g.Chapter <= 1 && g.Verse <= 1) return;
    const int chapters_back = g.Chapters_Back;         // a copy: the block's fields are packed
    const int back = std::clamp(chapters_back, 0, 5);  // 5 in every game
    for (int c = std::max(1, g.Chapter - back); c <= g.Chapter - 1; ++c) {
        Append_Marker(line, c);
        const int verses = Verse_Count(s->Open_Book.get(), c);
        for (int v = 1; v <= verses; ++v)
            Append_Verse(line, c, Verse_Text(s->Open_Book.get(), c, v));
    }
    Append_Marker(line, g.Chapter);
    for (int v = 1; v <= g.Verse - 1; ++v)
        Append_Verse(line, g.Chapter, Verse_Text(s->Open_Book.get(), g.Chapter, v));
}
