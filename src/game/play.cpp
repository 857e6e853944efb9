// Landings, letters, verses, and the end of a session.
#include "game/play.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/report_log.h"
#include "game/board.h"
#include "platform/platform.h"
#include "scripture/hs_book.h"

namespace {

const Play_Hooks* Hooks = nullptr;

int Verse_Length(const Game_State* s) {
    const char* line = Verse_Text(s->Open_Book.get(), s->Progress.Chapter, s->Progress.Verse);
    return line != nullptr ? static_cast<int>(std::strlen(line)) : 0;
}

// Mixes the bits of x through (a 64-bit finaliser), so that near inputs give far ids.
uint64_t Mixed(uint64_t x) {
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

}  // namespace

uint64_t New_Game_Id(const char* player_name) {
    // The time the game begins, the player, how many games this run has begun and,
    // outside a scripted run (whose ids must repeat on every system), the clock's
    // nanoseconds: two games never share an id in one player's record.
    static uint64_t begun = 0;
    uint64_t x = static_cast<uint64_t>(Plat_Time()) ^ (++begun << 40);
    for (const char* p = player_name; *p != '\0'; ++p) x = Mixed(x ^ static_cast<uint8_t>(*p));
    x = Mixed(x ^ Plat_Entropy());
    return x != 0 ? x : 1;
}

void Play_Attach(const Play_Hooks* hooks) {
    Hooks = hooks;
}

void Game_Start_New(Game_State* s, const char* player_name) {
    Game_Progress& g = s->Progress;
    std::memset(&g, 0, sizeof g);
    std::snprintf(g.Player_Name, sizeof g.Player_Name, "%s", player_name);
    g.Chapters_Back = 5;
    g.Game_Id = New_Game_Id(g.Player_Name);
    s->Sessions.clear();
}

void Game_Begin_Book(Game_State* s) {
    Game_Progress& g = s->Progress;
    g.Book_Done = g.Session_End = 0;
    g.Chapter = g.Verse = g.Letters = 1;
}

void Session_Start(Game_State* s) {
    Game_Progress& g = s->Progress;
    g.Session_Number += 1;
    g.Ses_Points = g.Ses_Blocks = g.Ses_Rows = g.Ses_Letters = g.Ses_Verses = 0;
    g.Verse = 1;
    g.Ses_Start = Plat_Time();
    Area_Reset(s->Area.get());
    if (Hooks != nullptr && Hooks->session_started != nullptr) Hooks->session_started(s);
    if (Verse_Count(s->Open_Book.get(), g.Chapter) == 0)
        Report_Log("\n Глава %d книги %s без стихов", g.Chapter, g.Book_Title);
}

int Add_Letters(Game_State* s, int n) {
    Game_Progress& g = s->Progress;
    g.Letters += n;
    g.Ses_Letters += n;
    int length = Verse_Length(s);
    while (g.Letters >= length) {
        g.Letters -= length;
        if (!Open_Next_Verse(s)) return 0;
        length = Verse_Length(s);
    }
    return 1;
}

int Open_Next_Verse(Game_State* s) {
    Game_Progress& g = s->Progress;
    if (Hooks != nullptr && Hooks->show_verse != nullptr) Hooks->show_verse(s);
    g.Verse += 1;
    g.Ses_Verses += 1;
    if (g.Verse > Verse_Count(s->Open_Book.get(), g.Chapter)) {
        g.Session_End = Session_Completed;
        return 0;
    }
    if (Hooks != nullptr && Hooks->verses_changed != nullptr) Hooks->verses_changed(s);
    return 1;
}

void Landing_Settle(Game_State* s, int* carry) {
    Game_Progress& g = s->Progress;
    Build_Area* a = s->Area.get();
    if (Hooks != nullptr && Hooks->landed != nullptr) Hooks->landed(s);
    g.Ses_Points += a->Block_Points;
    g.Ses_Blocks += 1;
    g.Ses_Rows += a->Block_Rows;
    *carry += a->Block_Points;
    const int letters = *carry / 4;
    *carry %= 4;
    if (letters > 0) Add_Letters(s, letters);
    // After the letters: a chapter completed by the block that reached the top row
    // still fails.
    if (Top_Row_Reached(a)) g.Session_End = Session_Failed;
}

bool Block_Tick(Game_State* s, int* carry) {
    Build_Area* a = s->Area.get();
    Block_Control(a);
    if (a->Block_Points == 0) return false;
    Landing_Settle(s, carry);
    return true;
}

bool Top_Row_Reached(Build_Area* a) {
    for (int c = 1; c <= a->Width; ++c)
        if (Area_Cell(a, c, 0).kind > 0) return true;
    return false;
}

int Session_Percent(int letters_gathered, int letters_total) {
    return letters_total == 0 ? 100
                              : static_cast<int>(int64_t{letters_gathered} * 100 / letters_total);
}

int Session_Penalty(int letters_total, int letters_gathered) {
    const int64_t lacking = static_cast<int64_t>(letters_total) - letters_gathered;
    return static_cast<int>((static_cast<int64_t>(Plat_Rand() % 10 + 1) * lacking * 4) / 5);
}

Session_Record Session_Settle(Game_State* s) {
    Game_Progress& g = s->Progress;
    const HS_Book* book = s->Open_Book.get();
    const int verses = Verse_Count(book, g.Chapter);
    int letters_total = 0;
    for (int v = 1; v <= verses; ++v)
        if (const char* line = Verse_Text(book, g.Chapter, v))
            letters_total += static_cast<int>(std::strlen(line));
    Session_Record r{};
    r.book = g.Book_Index;
    r.chapter = g.Chapter;
    r.verses_opened = g.Ses_Verses;
    r.verses_total = verses;
    r.letters_opened = g.Ses_Letters;
    r.letters_total = letters_total;
    r.session_number = g.Session_Number;
    r.points = g.Ses_Points;
    r.blocks = g.Ses_Blocks;
    r.rows = g.Ses_Rows;
    r.success = g.Session_End == Session_Failed ? 0 : 1;
    r.penalty = 0;
    r.duration = static_cast<int32_t>(Plat_Time() - g.Ses_Start);
    if (r.success == 0) {
        r.penalty = Session_Penalty(letters_total, g.Ses_Letters);
        g.Store_Points -= r.penalty;
    } else {
        g.Store_Points += g.Ses_Points;
        g.Store_Blocks += g.Ses_Blocks;
        g.Store_Rows += g.Ses_Rows;
        g.Store_Letters += g.Ses_Letters;
        g.Store_Verses += g.Ses_Verses;
        g.Store_Sessions += 1;
    }
    return r;
}

void Session_Close(Game_State* s, const Session_Record& record) {
    s->Sessions.push_back(record);
    s->Progress.Session_End = 0;
}

int Chapter_Advance(Game_State* s) {
    Game_Progress& g = s->Progress;
    g.Chapter += 1;
    if (g.Chapter <= Chapter_Count(s->Open_Book.get())) return 1;
    g.Book_Done = 1;
    g.Chapter = Chapter_Count(s->Open_Book.get());
    return 0;
}
