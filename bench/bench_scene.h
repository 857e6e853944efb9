// The game screen the presenting and composing benchmarks draw: laid out on the
// loaded graphics, the lower half of the board filled with gaps, a block in the
// air and a long running line.
#pragma once

#include <cstdio>

#include "game/board.h"
#include "game/game_state.h"
#include "game/screens/board_draw.h"
#include "game/screens/game_screen.h"
#include "ui/text_lines.h"

inline Game_State* Bench_Half_Full_Game() {
    auto* g = new Game_State();  // kept for the whole run
    Game_Layout(g);
    Board_New_Look(&g->Screen->Board);
    for (int r = 6; r < 12; ++r)
        for (int c = 1; c <= 12; ++c)
            if ((r + 2 * c) % 5 != 0) Area_Cell(g->Area.get(), c, r).kind = 1 + (r + c) % 8;
    Block_Spawn(&g->Area->Current, 6);
    for (int i = 0; i < 30; ++i)
        g->Screen->Verse_Line->Add_Text("1:1 В начале сотворил Бог небо и землю.");
    std::snprintf(g->Progress.Book_Title, sizeof g->Progress.Book_Title, "Бытие");
    g->Progress.Book_Index = 1;
    return g;
}
