// The game screen's layout and its frame.
#include "game/screens/game_screen.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/shell_input.h"
#include "audio/music.h"
#include "game/board.h"
#include "game/screens/board_draw.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

namespace {

// The panel's inner edges: inside the border sprites.
struct Panel_Edges {
    int L, R, T, B;
};
Panel_Edges Edges(const cls_Desk_Rect* panel) {
    Panel_Edges e;
    panel->Inner_Rect(&e.L, &e.T, &e.R, &e.B);
    return e;
}

// One counter block: its title, its frame lines and its three lines of text.
void Draw_Block(const Panel_Edges& e, int b, const Font* font, const char* title, int title_x,
                const char* const lines[3]) {
    const Sprite* h = Sprite_Get("Hrz_Label_Frame");
    const Sprite* v = Sprite_Get("Vrt_Label_Frame");
    Text_Draw(title_x, b + 3, title, font, Back_Buffer);
    Sprite_Tile(h, e.L, b + 19, e.R, b + 22, Back_Buffer);
    for (int y : {23, 44, 65, 86})
        Sprite_Tile(h, e.L + 12, b + y, e.R - 15, b + y + 3, Back_Buffer);
    Sprite_Tile(v, e.L + 12, b + 24, e.L + 15, b + 88, Back_Buffer);
    Sprite_Tile(v, e.R - 15, b + 24, e.R - 12, b + 88, Back_Buffer);
    Sprite_Tile(h, e.L, b + 90, e.R, b + 93, Back_Buffer);
    for (int i = 0; i < 3; ++i) Text_Draw(e.L + 20, b + 28 + 21 * i, lines[i], font, Back_Buffer);
}

void Draw_Counters(const Game_State& s) {
    const Game_Progress& g = s.Progress;
    const Game_Screen& v = *s.Screen;
    const Panel_Edges e = Edges(v.Side_Panel.get());
    char a[64], b[64], c[64], title[64];
    const char* lines[3] = {a, b, c};

    int base = e.T + 2;
    std::snprintf(a, sizeof a, " Баллов: %d", g.Store_Points);
    std::snprintf(b, sizeof b, " Блоков: %d", g.Store_Blocks);
    std::snprintf(c, sizeof c, " Рядов:  %d", g.Store_Rows);
    Draw_Block(e, base, &v.Storage_Font, "В хранилище", e.L + 40, lines);

    base += 92;
    std::snprintf(title, sizeof title, "Сессия: %d", g.Session_Number);
    std::snprintf(a, sizeof a, " Баллов: %d", g.Ses_Points);
    std::snprintf(b, sizeof b, " Блоков: %d", g.Ses_Blocks);
    std::snprintf(c, sizeof c, " Рядов:  %d", g.Ses_Rows);
    Draw_Block(e, base, &v.Session_Font, title, e.L + 40, lines);

    base += 92;
    const char* book_title =
        g.Book_Index >= 1 && g.Book_Index <= HS_Book_Count ? HS_Titles[g.Book_Index - 1] : "";
    const HS_Book* book = s.Open_Book.get();
    const int verses = Verse_Count(book, g.Chapter);
    // A completed chapter is shown as it ended: its last verse with every letter
    // (the letters left over wait for the next chapter).
    const bool ended = verses > 0 && g.Verse > verses;
    const int verse_number = ended ? verses : g.Verse;
    const char* verse = Verse_Text(book, g.Chapter, verse_number);
    const int verse_length = verse != nullptr ? static_cast<int>(std::strlen(verse)) : 0;
    std::snprintf(a, sizeof a, " Глава: %d/%d", g.Chapter, Chapter_Count(book));
    std::snprintf(b, sizeof b, " Стих: %d/%d", verse_number, verses);
    std::snprintf(c, sizeof c, " Букв:  %d/%d", ended ? verse_length : g.Letters, verse_length);
    const int title_x =
        e.L + (e.R - e.L - v.Book_Font.cell_w * static_cast<int>(std::strlen(book_title))) / 2;
    Draw_Block(e, base, &v.Book_Font, book_title, title_x, lines);

    Sprite_Tile(Sprite_Get("Hrz_Label_Frame"), e.L, e.B - 80, e.R, e.B - 77, Back_Buffer);
}

}  // namespace

Game_Screen::~Game_Screen() {
    for (Font* f : {&Storage_Font, &Session_Font, &Book_Font}) Font_Release(f);
}

void Game_Layout(Game_State* s) {
    Game_Prepare(s);
    s->Screen = Game_Screen_Owner(new Game_Screen(), [](Game_Screen* v) { delete v; });
    Game_Screen& v = *s->Screen;
    v.Playlist = std::make_unique<Session_Playlist>();
    Playlist_Create(v.Playlist.get());
    v.Board.Lay_Out();
    s->Area->Watcher = &v.Board;
    const int w_v = Sprite_Width("Build_Area_Vert");
    v.Side_Panel = std::make_unique<cls_Desk_Rect>(2 * w_v + Cell_Size * s->Area->Width, 56,
                                                   Screen_Width, Screen_Height);
    Font_Set_Colour(&Font_8x16, 231);
    const Panel_Edges e = Edges(v.Side_Panel.get());
    auto button = [](int x, int y, const char* caption) {
        return std::make_unique<cls_Button_Standart>(x, y, caption, &Font_8x16);
    };
    v.Btn_Book = button(e.R - 152, e.B - 106, " СВЯЩЕННАЯ КНИГА ");
    v.Btn_Stats = button(e.R - 150, e.B - 25, "СТАТИСТИКА");
    v.Btn_Menu = button(e.R - 50, e.B - 25, "МЕНЮ");
    v.Btn_Save = button(e.R - 150, e.B - 50, "СОХРАНИТЬ");
    v.Btn_Pause = button(e.R - 58, e.B - 50, "ПАУЗА");
    v.Btn_Fon = button(e.R - 150, e.B - 75, "ФОН");
    v.Btn_Music = button(e.R - 65, e.B - 75, "МУЗЫКА");
    v.Verse_Line = std::make_unique<Horizontal_Ticker>();
    Font_Copy(&v.Storage_Font, &Font_8x16);
    Font_Set_Colour(&v.Storage_Font, 64);
    Font_Copy(&v.Session_Font, &Font_8x16);
    Font_Set_Colour(&v.Session_Font, 88);
    Font_Copy(&v.Book_Font, &Font_8x16);
    Font_Set_Colour(&v.Book_Font, 96);
}

uint32_t Game_Frame(Game_State* s, int draw_cursor) {
    Build_Area* a = s->Area.get();
    Game_Screen& v = *s->Screen;
    if (++v.Frames_Drawn % 100 == 1) Palette_Reattach();
    const uint32_t now = Plat_Tick();
    Cells_Step(a);
    Block_Animate(&a->Current, now);
    Game_Draw_Picture(*s);
    Rows_Shimmer(a, now);
    Popups_Step(&v.Board, now);
    if (draw_cursor)
        Frame_End();
    else
        Present_Frame();
    Pace_Frame();
    return now;
}

void Game_Draw_Picture(const Game_State& s) {
    const Build_Area& a = *s.Area;
    const Game_Screen& v = *s.Screen;
    Surface_Fill(Back_Buffer, nullptr, 0);
    Board_Draw_Cells(a, v.Board);
    Board_Draw_Frame(a, v.Board);
    Block_Draw(&a.Current, v.Board.Left + Sprite_Width("Build_Area_Vert"), v.Board.Top);
    Popups_Draw(v.Board);
    v.Side_Panel->Draw(Back_Buffer);
    Draw_Counters(s);
    v.Btn_Book->Draw(Back_Buffer);
    v.Btn_Save->Draw(Back_Buffer);
    v.Btn_Pause->Draw(Back_Buffer);
    v.Btn_Stats->Draw(Back_Buffer);
    v.Btn_Menu->Draw(Back_Buffer);
    v.Verse_Line->Draw(Back_Buffer);
    v.Btn_Fon->Draw(Back_Buffer);
    v.Btn_Music->Draw(Back_Buffer);
}

void Game_Draw_Behind_Box(Game_State* s) {
    Game_Frame(s, 0);
    Game_Frame(s, 0);
}
