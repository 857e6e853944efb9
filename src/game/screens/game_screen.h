// The game screen: the board on the left, the running verse line along the top,
// and the side panel with the storage, session and book counters and the seven
// buttons. Laid out once per game; one frame drawn per tick, at most one per 30 ms.
#pragma once

#include <memory>

#include "audio/music.h"
#include "audio/sound.h"
#include "game/game_state.h"
#include "game/screens/board_draw.h"
#include "graphics/font.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

// The objects that show a game, owned by its state and released with it.
struct Game_Screen {
    std::unique_ptr<cls_Desk_Rect> Side_Panel;
    Font Storage_Font, Session_Font, Book_Font;     // the counter blocks' own fonts
    std::unique_ptr<Horizontal_Ticker> Verse_Line;  // the running line at the top
    std::unique_ptr<cls_Button_Standart> Btn_Book, Btn_Save, Btn_Menu, Btn_Pause, Btn_Stats,
        Btn_Fon, Btn_Music;
    std::unique_ptr<Session_Playlist> Playlist;
    Board_View Board;  // the board's look, watching the game's board
    int32_t Frames_Drawn = 0;

    Game_Screen() = default;
    ~Game_Screen();
    Game_Screen(const Game_Screen&) = delete;
    Game_Screen& operator=(const Game_Screen&) = delete;
};

// Prepares the game (its board and session list) and makes the screen's objects.
void Game_Layout(Game_State* state);
// One frame of the game screen: the board's animation steps on (the cells, the
// block's stones, the rows that shimmer, the numbers that rise), the picture is
// drawn (with the cursor when asked), shown, and the game paced. The frame's time.
uint32_t Game_Frame(Game_State* state, int draw_cursor);
// The frame's picture alone, into the back buffer: drawing changes nothing.
void Game_Draw_Picture(const Game_State& state);
// Two frames without the cursor: what a box opening over the game shows.
void Game_Draw_Behind_Box(Game_State* state);

// Runs a box (anything ready with a Run) over the game: the effects silenced, its
// own sound played, the game drawn behind it. The box's result, or not_ready.
template <typename Box>
auto Run_Over_Game(Game_State* state, Box& box, int sound = -1, decltype(box.Run()) not_ready = {})
    -> decltype(box.Run()) {
    if (!box.ready) return not_ready;
    Sound_Stop_All();
    if (sound >= 0) Sound_Play(sound);
    if (state != nullptr && state->Area != nullptr) Game_Draw_Behind_Box(state);
    return box.Run();
}
