// One game's state: what it owns, made and released.
#include "game/game_state.h"

#include "core/report_log.h"
#include "game/board.h"
#include "scripture/hs_book.h"

namespace {
// Everything the state holds, released (the screen first: its objects watch the
// board); whether there was anything.
bool Release(Game_State* s) {
    const bool held = s->Area != nullptr || s->Open_Book != nullptr || s->Screen != nullptr;
    s->Screen.reset();
    s->Area.reset();
    s->Open_Book.reset();
    s->Sessions.clear();
    return held;
}
}  // namespace

Game_State::Game_State() = default;

Game_State::~Game_State() {
    Release(this);
}

void Game_Prepare(Game_State* s) {
    s->Area = Area_Create();
    s->Sessions.clear();
}

int Game_Close(Game_State* s) {
    if (Release(s)) Report_Log("\n Close Game");
    return 1;
}
