// The built-in player: the placement it chooses, the keys it presses for it, and
// its answers on every other screen.
#include "game/autoplay/autoplay.h"

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/input.h"
#include "game/game_state.h"
#include "platform/platform.h"
#include "platform/platform_internal.h"
#include "ui/screen_loop.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator (its header comes with clang only).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// --- choosing a place ---------------------------------------------------------------

constexpr int W = Board_Width, H = Board_Height;

// The board as the player sees it: occupied cells, row 0 at the top.
struct Grid {
    bool cell[H][W + 2] = {};  // columns 1..W used
    bool At(int c, int r) const { return c < 1 || c > W || r >= H || (r >= 0 && cell[r][c]); }
};

// Removes full rows, the rows above moving down; returns how many went.
int Clear_Rows(Grid* g) {
    int cleared = 0;
    for (int r = H - 1; r >= 0; --r) {
        bool full = true;
        for (int c = 1; c <= W && full; ++c) full = g->cell[r][c];
        if (!full) continue;
        for (int k = r; k > 0; --k)
            for (int c = 1; c <= W; ++c) g->cell[k][c] = g->cell[k - 1][c];
        for (int c = 1; c <= W; ++c) g->cell[0][c] = false;
        ++cleared;
        ++r;  // the row that moved down is looked at again
    }
    return cleared;
}

// The board as it is: a full row waiting for its removal is still solid, and a
// block lands on it.
Grid Board_Of(Build_Area* a) {
    Grid g;
    for (int r = 0; r < H; ++r)
        for (int c = 1; c <= W; ++c) g.cell[r][c] = Area_Cell(a, c, r).kind > 0;
    return g;
}

// How good the board is that a block leaves (a weighing in the manner of
// Dellacherie's: low landings, cleared rows, few holes and few changes between
// filled and empty along rows and columns, no deep wells).
double Weigh(const Grid& before, const Block& b) {
    Grid g = before;
    int lowest = -100, highest = 100;
    for (int i = 0; i < b.count; ++i) {
        const int c = b.X + b.Stones[i].dc, r = b.Y + b.Stones[i].dr;
        if (r < 0) return -1e9;  // a stone above the top is lost
        g.cell[r][c] = true;
        lowest = std::max(lowest, r);
        highest = std::min(highest, r);
    }
    for (int c = 1; c <= W; ++c)
        if (g.cell[0][c]) return -1e8;  // a stone rests in the top row: the session fails
    // Then every full row goes, those that waited already and those it completes.
    const int rows = Clear_Rows(&g);
    const double landing = H - (lowest + highest) / 2.0;
    int row_changes = 0, column_changes = 0, holes = 0, wells = 0;
    for (int r = 0; r < H; ++r)
        for (int c = 0; c <= W; ++c) row_changes += g.At(c, r) != g.At(c + 1, r);
    for (int c = 1; c <= W; ++c) {
        bool covered = false;
        for (int r = 0; r < H; ++r) {
            column_changes += g.At(c, r) != g.At(c, r + 1);
            if (g.cell[r][c])
                covered = true;
            else if (covered)
                ++holes;
        }
        // Wells: empty cells with both neighbours filled, deeper ones counting more.
        int depth = 0;
        for (int r = 0; r < H; ++r) {
            if (!g.cell[r][c] && g.At(c - 1, r) && g.At(c + 1, r)) {
                wells += ++depth;
            } else if (g.cell[r][c]) {
                break;
            } else {
                depth = 0;
            }
        }
    }
    const double score = -4.5 * landing + 3.4 * rows * b.count - 3.2 * row_changes -
                         9.3 * column_changes - 7.9 * holes - 3.4 * wells;
    // The board is short: keep the stack away from the top.
    int top = H;
    for (int r = 0; r < H && top == H; ++r)
        for (int c = 1; c <= W; ++c)
            if (g.cell[r][c]) top = r;
    return score - (top < 4 ? (4 - top) * 40.0 : 0);
}

}  // namespace

Placement Autoplay_Choose(Build_Area* area, const Block& block) {
    const Grid grid = Board_Of(area);
    Placement best;
    for (int mirror = 0; mirror <= 1; ++mirror)
        for (int turns = 0; turns < 4; ++turns) {
            Block b;
            Block_Copy(&b, &block);
            if (mirror ? !Block_Mirror(area, &b) : !Block_Fits(area, &b)) continue;
            bool turned = true;
            for (int t = 0; t < turns && turned; ++t) turned = Block_Rotate(area, -1, &b) != 0;
            if (!turned) continue;
            // Every column it can slide to from here.
            for (int dir : {-1, +1}) {
                Block m;
                Block_Copy(&m, &b);
                for (int step = 0;; ++step) {
                    if (step > 0) {
                        m.X += dir;
                        if (!Block_Fits(area, &m)) break;
                    }
                    if (dir == +1 && step == 0) continue;  // the start was weighed already
                    Block d;
                    Block_Copy(&d, &m);
                    d.Sub_Step = 0;
                    while (!Block_Landed(area, &d)) d.Y += 1;
                    const double score = Weigh(grid, d);
                    if (!best.found || score > best.score)
                        best = Placement{true, mirror, turns, m.X, score};
                }
            }
        }
    return best;
}

namespace {

// --- pressing keys ---------------------------------------------------------------------

Autoplay_Options Options;
bool Running = false;
bool Started_Game = false;
bool Seen_Game = false;
uint64_t Start_Ns = 0;
uint32_t Start_Tick = 0;  // game time is counted from here
bool Quit_Sent = false;

bool Announced = false;
Screen_Kind Kind = Screen_Kind::Main_Menu;
Game_State* Game = nullptr;

// A key held down since the last frame is let go in this one.
const Key_Def* Held = nullptr;
// A click in three frames: the pointer moves, the button goes down, then up.
int Click_X = 0, Click_Y = 0, Click_Stage = 0;

// The block being steered and what is left of its plan.
uint32_t Planned_Block = 0;
Placement Plan;
int Mirrors_Left = 0, Turns_Left = 0;
bool Dropped = false;

// The soak's round of saving and continuing after a completed chapter.
enum class Soak { Playing, Saving, Leaving, Answer_Save_No, Continuing };
Soak Soak_Step = Soak::Playing;
int Sessions_Saved = 0;
uint32_t Said_Yes_At = 0;  // tick at which the question to leave was answered ДА

// What was played, kept from the game as it goes.
Game_Progress Last_Progress = {};
int Failed = 0, Blocks = 0, Rows = 0, Records_Seen = -1;
long Heap_First_Chapter = 0, Resident_First_Chapter = 0;

void Press(const char* name) {
    const Key_Def* k = Plat_Find_Key(name);
    if (k == nullptr) return;
    Plat_In_Key(k->vk, k->dik, true, false);
    Held = k;
}

void Release_Held() {
    if (Held == nullptr) return;
    Plat_In_Key(Held->vk, Held->dik, false, false);
    Held = nullptr;
}

void Click(int x, int y) {
    Click_X = x;
    Click_Y = y;
    Click_Stage = 1;
}

// One stage of a click per frame; false when no click is under way.
bool Clicking() {
    switch (Click_Stage) {
        case 1:
            Plat_In_Mouse_Move(Click_X, Click_Y);
            Click_Stage = 2;
            return true;
        case 2:
            Plat_In_Mouse_Button(VK_LBUTTON, true);
            Click_Stage = 3;
            return true;
        case 3:
            Plat_In_Mouse_Button(VK_LBUTTON, false);
            Plat_In_Mouse_Move(5, 470);  // out of the way of what is drawn
            Click_Stage = 0;
            return true;
        default:
            return false;
    }
}

// Bytes the program has allocated and not freed (the sanitizer's own count in the
// sanitizer build, where freed memory waits in quarantine before it is reused).
long Heap_Kb() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
#endif
}

long Memory_Kb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
    return 0;
}

void Keep_Figures(Game_State* g) {
    std::memcpy(&Last_Progress, &g->Progress, sizeof Last_Progress);
    if (g->Sessions != nullptr && g->Sessions->count != Records_Seen) {
        Records_Seen = g->Sessions->count;
        Failed = Blocks = Rows = 0;
        for (int i = 0; i < g->Sessions->count; ++i) {
            const Session_Record& r = g->Sessions->records[i];
            Failed += r.success ? 0 : 1;
            Blocks += r.blocks;
            Rows += r.rows;
        }
    }
    if (Heap_First_Chapter == 0 && Last_Progress.Store_Sessions > 0) {
        Heap_First_Chapter = Heap_Kb();
        Resident_First_Chapter = Memory_Kb("VmRSS:");
    }
}

// One game tick: the next key of the plan for the block in play.
void Steer(Game_State* g) {
    Build_Area* a = g->Area;
    if (Planned_Block != Blocks_Dealt) {
        Planned_Block = Blocks_Dealt;
        Plan = Autoplay_Choose(a, a->Current);
        Mirrors_Left = Plan.found ? Plan.mirror : 0;
        Turns_Left = Plan.found ? Plan.turns : 0;
        Dropped = false;
    }
    if (Mirrors_Left > 0) {
        --Mirrors_Left;
        Press("RETURN");
    } else if (Turns_Left > 0) {
        --Turns_Left;
        Press("UP");
    } else if (Plan.found && a->Current.X > Plan.x) {
        Press("LEFT");
    } else if (Plan.found && a->Current.X < Plan.x) {
        Press("RIGHT");
    } else if (!Dropped) {
        Dropped = true;
        Press("SPACE");
    }
}

void On_Game(Game_State* g) {
    const int sessions = g->Progress.Store_Sessions;
    if (Options.soak) {
        if (Soak_Step == Soak::Playing && sessions > Sessions_Saved) {
            Soak_Step = Soak::Saving;
            Click(519, 430);  // СОХРАНИТЬ
            return;
        }
        if (Soak_Step == Soak::Leaving) {
            Said_Yes_At = 0;
            Click(599, 455);  // МЕНЮ
            return;
        }
        if (Soak_Step == Soak::Continuing) {  // continued: play on
            Soak_Step = Soak::Playing;
            Sessions_Saved = sessions;
        }
    }
    Steer(g);
}

void Frame() {
    if (!Running) return;
    if (Options.wall_seconds > 0 && !Quit_Sent &&
        static_cast<double>(Plat_Real_Ns() - Start_Ns) > Options.wall_seconds * 1e9) {
        Quit_Sent = true;
        Plat_Post_Quit();
    }
    // The game's figures on every frame it lives, the results and the end included.
    if (Game != nullptr) Keep_Figures(Game);
    if (Held != nullptr) {  // a key pressed in the last frame is let go in this one
        Release_Held();
        Announced = false;
        return;
    }
    if (Clicking()) {
        Announced = false;
        return;
    }
    const bool announced = Announced;
    Announced = false;
    if (!announced) {
        Press("ESCAPE");  // every other screen: close it, or take the first unread book
        return;
    }
    switch (Kind) {
        case Screen_Kind::Main_Menu:
            if (!Started_Game) {
                Started_Game = true;
                Click(320, 210);  // НОВАЯ ИГРА
            } else if (Options.soak && Soak_Step == Soak::Continuing) {
                Click(320, 265);  // ПРОДОЛЖИТЬ
            } else if (Seen_Game && !Quit_Sent) {
                Quit_Sent = true;  // back from a game that is over: every book is read
                Click(320, 375);   // ВЫХОД
            }
            break;
        case Screen_Kind::Game:
            if (Game != nullptr) On_Game(Game);
            break;
        case Screen_Kind::Slot_Menu_Save:
            if (Soak_Step == Soak::Saving) Soak_Step = Soak::Leaving;
            Click(320, 68);  // slot 1
            break;
        case Screen_Kind::Slot_Menu_Load:
            Click(320, 68);
            break;
        case Screen_Kind::Question:
            // Leave the game (ДА), but without saving again (НЕТ); the second question
            // comes once the first has closed, 300 ms after its answer.
            if (Soak_Step == Soak::Leaving && Said_Yes_At == 0) {
                Said_Yes_At = Plat_Tick();
                Press("RETURN");
            } else if (Soak_Step == Soak::Leaving &&
                       static_cast<int32_t>(Plat_Tick() - Said_Yes_At) > 400) {
                Soak_Step = Soak::Continuing;
                Press("ESCAPE");
            } else if (Soak_Step != Soak::Leaving) {
                Press("ESCAPE");
            }
            break;
    }
}

void Observe(Screen_Kind kind, Game_State* game) {
    Announced = true;
    Kind = kind;
    if (kind == Screen_Kind::Game) {
        Game = game;
        Seen_Game = true;
    } else if (kind == Screen_Kind::Main_Menu) {
        Game = nullptr;  // the main menu runs only once a game is closed and freed
    }
}

}  // namespace

void Autoplay_Start(const Autoplay_Options& options) {
    Options = options;
    Running = true;
    Started_Game = Seen_Game = Quit_Sent = false;
    Start_Ns = Plat_Real_Ns();
    Start_Tick = Plat_Tick();
    Screen_Set_Observer(Observe);
    Plat_Add_Frame_Service(Frame);
}

void Autoplay_Stop() {
    if (!Running) return;
    Release_Held();
    Running = false;
    Screen_Set_Observer(nullptr);
    Plat_Remove_Frame_Service(Frame);
}

std::string Autoplay_Summary() {
    const Game_Progress& g = Last_Progress;
    char text[512];
    std::snprintf(text, sizeof text,
                  "autoplay: chapters read %d, verses %d, sessions completed %d, failed %d, "
                  "blocks %d, rows %d, hours of game time %.2f, heap at the first chapter %ld kB, "
                  "at the end %ld kB, resident at the first chapter %ld kB, at the end %ld kB, "
                  "peak %ld kB",
                  g.Store_Sessions, g.Store_Verses, g.Store_Sessions, Failed, Blocks, Rows,
                  (Plat_Tick() - Start_Tick) / 3.6e6, Heap_First_Chapter, Heap_Kb(),
                  Resident_First_Chapter, Memory_Kb("VmRSS:"), Memory_Kb("VmHWM:"));
    return text;
}
