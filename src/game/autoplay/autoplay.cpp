// The built-in player: the placement it chooses, the keys it presses for it, and
// its answers on every other screen.
#include "game/autoplay/autoplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/shell_input.h"
#include "records/reading.h"
#include "game/game_state.h"
#include "platform/pad.h"
#include "platform/platform.h"
#include "platform/platform_internal.h"
#include "ui/screen_loop.h"
#include "core/system.h"

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

// The soak's round of saving and continuing after a completed chapter.
enum class Soak { Playing, Saving, Leaving, Continuing };

// Everything the player keeps between frames.
struct Player {
    Autoplay_Options options;
    bool running = false;
    bool started_game = false, seen_game = false, quit_sent = false;
    // The whole Bible looked at from this book list, and its screenshot taken.
    bool bible_opened = false, bible_shot = false;
    uint32_t escaped_at = 0;  // tick of the last Escape on a screen that said nothing
    uint64_t start_ns = 0;
    uint32_t start_tick = 0;  // game time is counted from here

    // The screen announced in the last frame, with its targets.
    bool announced = false;
    std::string screen;
    std::vector<Screen_Target> targets;
    Game_State* game = nullptr;

    const Key_Def* held = nullptr;  // a key held down since the last frame
    int held_button = -1;           // with the pad: a button held since the last frame
    bool pad_rest = false;          // a frame between two presses: a tap is down two
    // A click in three frames: the pointer moves, the button goes down, then up.
    // With the pad the right stick brings the cursor there first, a frame at a time.
    Screen_Target click = {0, 0};
    int click_stage = 0;
    int steering_frames = 0;

    // The block being steered and what is left of its plan.
    uint32_t planned_block = 0;
    Placement plan;
    int mirrors_left = 0, turns_left = 0;
    bool dropped = false;

    Soak soak_step = Soak::Playing;
    int sessions_saved = 0;
    uint32_t said_yes_at = 0;  // tick at which the question to leave was answered ДА

    // What was played, kept from the game as it goes.
    Game_Progress last_progress = {};
    int failed = 0, blocks = 0, rows = 0, records_seen = -1;
    long heap_first_chapter = 0, resident_first_chapter = 0;
};
Player P;

// The announced screen's target k (see the screen's own order), clicked.
void Click_Target(size_t k);

// The pad's button for a key, in play (the game screen) and outside it.
int Pad_Button_For(const std::string& key) {
    const bool play = P.screen == "game";
    if (key == "LEFT") return PAD_DPLEFT;
    if (key == "RIGHT") return PAD_DPRIGHT;
    if (key == "UP") return PAD_B;  // the turn of the Up key
    if (key == "SPACE") return play ? PAD_DPDOWN : PAD_X;
    if (key == "RETURN") return play ? PAD_X : PAD_START;
    return PAD_B;  // Escape
}

void Press(const char* name) {
    if (P.options.pad) {
        P.held_button = Pad_Button_For(name);
        Plat_Virtual_Pad_Button(P.held_button, true);
        return;
    }
    const Key_Def* k = Plat_Find_Key(name);
    if (k == nullptr) return;
    Plat_In_Key(k->vk, k->dik, true, false);
    P.held = k;
}

void Release_Held() {
    if (P.held_button >= 0) {
        Plat_Virtual_Pad_Button(P.held_button, false);
        P.pad_rest = true;
    }
    P.held_button = -1;
    if (P.held == nullptr) return;
    Plat_In_Key(P.held->vk, P.held->dik, false, false);
    P.held = nullptr;
}

void Click_Target(size_t k) {
    if (k >= P.targets.size()) return;
    P.click = P.targets[k];
    P.click_stage = P.options.pad ? 10 : 1;
    P.steering_frames = 0;
}

// With the pad: the right stick pushed towards the target, less the nearer it is,
// until the cursor is there; then A (in play, the stick's own press) clicks.
bool Clicking_With_The_Pad() {
    const int button = P.screen == "game" ? PAD_RIGHTSTICK : PAD_A;
    switch (P.click_stage) {
        case 10: {
            int x = 0, y = 0;
            Plat_In_Mouse_Position(&x, &y);
            const double dx = P.click.x - x, dy = P.click.y - y, dist = std::hypot(dx, dy);
            if (dist <= 1.5 || ++P.steering_frames > 600) {
                Plat_Virtual_Pad_Axis(PAD_RIGHTX, 0);
                Plat_Virtual_Pad_Axis(PAD_RIGHTY, 0);
                P.click_stage = 11;
                return true;
            }
            const double push = 0.16 + 0.84 * std::min(1.0, dist / 150);
            Plat_Virtual_Pad_Axis(PAD_RIGHTX, static_cast<int>(dx / dist * push * 32767));
            Plat_Virtual_Pad_Axis(PAD_RIGHTY, static_cast<int>(dy / dist * push * 32767));
            return true;
        }
        case 11:
            Plat_Virtual_Pad_Button(button, true);
            P.click_stage = 12;
            return true;
        case 12:
            Plat_Virtual_Pad_Button(button, false);
            P.click_stage = 0;
            return true;
        default:
            return false;
    }
}

// One stage of a click per frame; false when no click is under way.
bool Clicking() {
    if (P.click_stage >= 10) return Clicking_With_The_Pad();
    switch (P.click_stage) {
        case 1:
            Plat_In_Mouse_Move(P.click.x, P.click.y);
            P.click_stage = 2;
            return true;
        case 2:
            Plat_In_Mouse_Button(VK_LBUTTON, true);
            P.click_stage = 3;
            return true;
        case 3:
            Plat_In_Mouse_Button(VK_LBUTTON, false);
            Plat_In_Mouse_Move(5, 470);  // out of the way of what is drawn
            P.click_stage = 0;
            return true;
        default:
            return false;
    }
}

void Keep_Figures(Game_State* g) {
    std::memcpy(&P.last_progress, &g->Progress, sizeof P.last_progress);
    if (static_cast<int>(g->Sessions.size()) != P.records_seen) {
        P.records_seen = static_cast<int>(g->Sessions.size());
        P.failed = P.blocks = P.rows = 0;
        for (const Session_Record& r : g->Sessions) {
            P.failed += r.success ? 0 : 1;
            P.blocks += r.blocks;
            P.rows += r.rows;
        }
    }
    if (P.heap_first_chapter == 0 && P.last_progress.Store_Sessions > 0) {
        const Sys_Memory m = Sys_Memory_In_Use();
        P.heap_first_chapter = m.heap_kb;
        P.resident_first_chapter = m.resident_kb;
    }
}

// One game tick: the next key of the plan for the block in play.
void Steer(Game_State* g) {
    Build_Area* a = g->Area.get();
    if (P.planned_block != Blocks_Dealt) {
        P.planned_block = Blocks_Dealt;
        P.plan = Autoplay_Choose(a, a->Current);
        P.mirrors_left = P.plan.found ? P.plan.mirror : 0;
        P.turns_left = P.plan.found ? P.plan.turns : 0;
        P.dropped = false;
    }
    if (P.mirrors_left > 0) {
        --P.mirrors_left;
        Press("RETURN");
    } else if (P.turns_left > 0) {
        --P.turns_left;
        Press("UP");
    } else if (P.plan.found && a->Current.X > P.plan.x) {
        Press("LEFT");
    } else if (P.plan.found && a->Current.X < P.plan.x) {
        Press("RIGHT");
    } else if (!P.dropped) {
        P.dropped = true;
        Press("SPACE");
    }
}

void On_Game(Game_State* g) {
    const int sessions = g->Progress.Store_Sessions;
    if (P.options.soak) {
        if (P.soak_step == Soak::Playing && sessions > P.sessions_saved) {
            P.soak_step = Soak::Saving;
            Click_Target(1);  // СОХРАНИТЬ
            return;
        }
        if (P.soak_step == Soak::Leaving) {
            P.said_yes_at = 0;
            Click_Target(4);  // МЕНЮ
            return;
        }
        if (P.soak_step == Soak::Continuing) {  // continued: play on
            P.soak_step = Soak::Playing;
            P.sessions_saved = sessions;
        }
    }
    Steer(g);
}

void Frame() {
    if (!P.running) return;
    if (P.options.wall_seconds > 0 && !P.quit_sent &&
        static_cast<double>(Plat_Real_Ns() - P.start_ns) > P.options.wall_seconds * 1e9) {
        P.quit_sent = true;
        Plat_Post_Quit();
    }
    // The game's figures on every frame it lives, the results and the end included.
    if (P.game != nullptr) Keep_Figures(P.game);
    if (P.held != nullptr || P.held_button >= 0) {  // pressed in the last frame, let go now
        Release_Held();
        P.announced = false;
        return;
    }
    if (P.pad_rest) {
        // A pad's quick press stays down for a whole frame: the next one waits a
        // frame more, or the game would see no release between them.
        P.pad_rest = false;
        P.announced = false;
        return;
    }
    if (Clicking()) {
        P.announced = false;
        return;
    }
    const bool announced = P.announced;
    P.announced = false;
    if (!announced) {
        // Every other screen: close it, or take the first unread book. Looking at the
        // Bible, one press per closing (a button acts 300 ms after its press), so that
        // none is left over to pass the book list by.
        if (P.options.look_at_bible && static_cast<int32_t>(Plat_Tick() - P.escaped_at) < 350)
            return;
        P.escaped_at = Plat_Tick();
        Press("ESCAPE");
        return;
    }
    const std::string& screen = P.screen;
    if (screen == "main menu") {
        if (!P.started_game) {
            P.started_game = true;
            Click_Target(0);  // НОВАЯ ИГРА
        } else if (P.options.soak && P.soak_step == Soak::Continuing) {
            Click_Target(1);  // ПРОДОЛЖИТЬ
        } else if (P.seen_game && !P.quit_sent) {
            P.quit_sent = true;  // back from a game that is over: every book is read
            Click_Target(3);     // ВЫХОД
        }
    } else if (screen == "game") {
        if (P.game != nullptr) On_Game(P.game);
    } else if (screen == "book list") {
        // Looking at the whole Bible first (Tab), then the first unread book.
        const bool look = P.options.look_at_bible && !P.options.pad && !P.bible_opened;
        P.bible_opened = P.bible_opened || look;
        Press(look ? "TAB" : "ESCAPE");
    } else if (screen == "bible") {
        const bool shoot = P.options.look_at_bible && !P.bible_shot;
        P.bible_shot = P.bible_shot || shoot;
        Press(shoot ? "F12" : "ESCAPE");
    } else if (screen == "slot menu save" || screen == "slot menu load") {
        if (screen == "slot menu save" && P.soak_step == Soak::Saving) P.soak_step = Soak::Leaving;
        Click_Target(0);  // slot 1
    } else if (screen == "question") {
        // Leave the game (ДА), but without saving again (НЕТ); the second question
        // comes once the first has closed, 300 ms after its answer.
        if (P.soak_step == Soak::Leaving && P.said_yes_at == 0) {
            P.said_yes_at = Plat_Tick();
            Press("RETURN");
        } else if (P.soak_step == Soak::Leaving &&
                   static_cast<int32_t>(Plat_Tick() - P.said_yes_at) > 400) {
            P.soak_step = Soak::Continuing;
            Press("ESCAPE");
        } else if (P.soak_step != Soak::Leaving) {
            Press("ESCAPE");
        }
    }
}

// Screens announce themselves by name: "main menu" (НОВАЯ ИГРА, ПРОДОЛЖИТЬ,
// ПОМОЩЬ, ВЫХОД, СПАСЕНИЕ), "game" (its side buttons: book, save, pause, diary,
// menu, background, screenshot; the game state), "slot menu save" and "slot menu
// load" (the twelve slots), "question" (ДА, НЕТ), "book list" (its bottom button,
// then ВСЯ БИБЛИЯ when offered), "bible" (OK).
void Observe(const Screen_Report& report) {
    P.announced = true;
    P.screen = report.name;
    P.targets.assign(report.targets, report.targets + report.target_count);
    if (P.screen == "game") {
        P.game = static_cast<Game_State*>(report.subject);
        P.seen_game = true;
        P.bible_opened = P.bible_shot = false;
    } else if (P.screen == "main menu") {
        P.game = nullptr;  // the main menu runs only once a game is closed and freed
    }
}

}  // namespace

void Autoplay_Start(const Autoplay_Options& options) {
    P = Player{};
    P.options = options;
    P.running = true;
    P.start_ns = Plat_Real_Ns();
    P.start_tick = Plat_Tick();
    Screen_Set_Observer(Observe);
    Plat_Add_Frame_Service(Frame);
}

void Autoplay_Stop() {
    if (!P.running) return;
    Release_Held();
    P.running = false;
    Screen_Set_Observer(nullptr);
    Plat_Remove_Frame_Service(Frame);
}

std::string Autoplay_Summary() {
    const Game_Progress& g = P.last_progress;
    const Sys_Memory m = Sys_Memory_In_Use();
    // The player's reading record, as the games played left it.
    const Reading_Record record = Reading_Open(g.Player_Name);
    const Reading_Summary read = Reading_Summarize(record, 0);
    char text[640];
    std::snprintf(text, sizeof text,
                  "autoplay: chapters read %d, verses %d, sessions completed %d, failed %d, "
                  "blocks %d, rows %d, hours of game time %.2f, heap at the first chapter %ld kB, "
                  "at the end %ld kB, resident at the first chapter %ld kB, at the end %ld kB, "
                  "peak %ld kB, reading record: completions %d, chapters %d",
                  g.Store_Sessions, g.Store_Verses, g.Store_Sessions, P.failed, P.blocks, P.rows,
                  (Plat_Tick() - P.start_tick) / 3.6e6, P.heap_first_chapter, m.heap_kb,
                  P.resident_first_chapter, m.resident_kb, m.peak_kb,
                  static_cast<int>(record.done.size()), read.chapters);
    return text;
}
