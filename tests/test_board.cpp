// The falling-block rules: shapes and dealing, fits and landings, turning and
// mirroring at the walls, key timing, landing points and full rows.
#include <gtest/gtest.h>

#include "shared_state.h"

#include <memory>
#include <set>
#include <vector>

#include "platform/shell_input.h"
#include "game/board.h"
#include "platform/platform_internal.h"

namespace {

struct Popup_Seen {
    int x, y, value, kind;
};
std::vector<Popup_Seen> Popups_Seen;
// Whoever shows the board, as the tests see it: every point reported, in order.
struct Recording_Watcher final : Board_Watcher {
    void Points(int x, int y, int value, int kind) override {
        Popups_Seen.push_back({x, y, value, kind});
    }
} Watcher;

class Board_Test : public Shared_State_Test {
  protected:
    void SetUp() override {
        Reset_Shared_State();
        Di_Keyboard = true;
        Popups_Seen.clear();
        board = Area_Create();
        area = board.get();
        area->Watcher = &Watcher;
        Plat_Srand(12345);
    }
    void TearDown() override {
        board.reset();
        Shared_State_Test::TearDown();
    }

    // A block of the given offsets at (x, y), kind 1.
    Block Make(std::initializer_list<std::pair<int, int>> offsets, int x, int y) {
        Block b;
        for (auto [dc, dr] : offsets) b.Stones[b.count++] = Block_Stone{dc, dr, 1, 0, 1, 0, 110};
        b.X = x;
        b.Y = y;
        b.Fall_Delay = 50;
        return b;
    }
    void Fill(int row, int kind, int except_from = 99, int except_to = -1) {
        for (int c = 1; c <= 12; ++c)
            if (c < except_from || c > except_to) Area_Cell(area, c, row).kind = kind;
    }
    std::set<std::pair<int, int>> Places(const Block& b) {
        std::set<std::pair<int, int>> s;
        for (int i = 0; i < b.count; ++i) s.insert({b.X + b.Stones[i].dc, b.Y + b.Stones[i].dr});
        return s;
    }
    void Key(int dik, bool down) { Plat_In_Key(0, dik, down, false); }
    void Tick(uint32_t ms = 30) {
        Plat_Clock_Advance(ms);
        Block_Control(area);
    }

    std::unique_ptr<Build_Area> board;
    Build_Area* area = nullptr;
    const Block I4 = Make({{-2, 0}, {-1, 0}, {0, 0}, {1, 0}}, 6, 0);  // shape A1
};

// --- shapes and dealing --------------------------------------------------------

TEST(Shapes, EveryShapeIsConnectedDistinctAndOfItsSize) {
    struct Group {
        const Block_Shape* shapes;
        int n, stones;
    };
    for (Group g : {Group{Shapes_A, 7, 4}, Group{Shapes_B, 13, 5}, Group{Shapes_C, 23, 6}}) {
        std::set<std::set<std::pair<int, int>>> seen;
        for (int s = 0; s < g.n; ++s) {
            const Block_Shape& sh = g.shapes[s];
            ASSERT_EQ(sh.count, g.stones);
            std::set<std::pair<int, int>> cells;
            for (int i = 0; i < sh.count; ++i) cells.insert({sh.offsets[i][0], sh.offsets[i][1]});
            EXPECT_EQ(static_cast<int>(cells.size()), g.stones) << "repeated stone, shape " << s;
            EXPECT_TRUE(seen.insert(cells).second) << "shape " << s << " listed twice";
            // Flood from the first stone: a typo in the table usually breaks this.
            std::set<std::pair<int, int>> reached{*cells.begin()};
            for (bool grew = true; grew;) {
                grew = false;
                for (auto [c, r] : std::set(reached))
                    for (auto n : {std::pair{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}})
                        if (cells.count(n) && reached.insert(n).second) grew = true;
            }
            EXPECT_EQ(reached, cells) << "shape " << s << " falls apart";
        }
    }
}

TEST_F(Board_Test, DealingDrawsGroupAThenBEveryFifthThenCEveryFiftieth) {
    Blocks_Dealt = 0;
    Plat_Srand(99);
    Block b;
    for (int n = 1; n <= 100; ++n) {
        // Work out the draws this block must make from the same generator state.
        uint32_t saved_dealt = Blocks_Dealt;
        Block_Spawn(&b, 6);
        ASSERT_EQ(Blocks_Dealt, saved_dealt + 1);
        int expected = n % 50 == 0 ? 6 : n % 5 == 0 ? 5 : 4;
        ASSERT_EQ(b.count, expected) << "block " << n;
    }
    // The exact sequence for the 50th block: A draw, B draw, C draw, then the kind.
    Blocks_Dealt = 49;
    Plat_Srand(7);
    int a = Plat_Rand() % 7, bb = Plat_Rand() % 13, c = Plat_Rand() % 23,
        kind = Plat_Rand() % 8 + 1;
    (void)a;
    (void)bb;
    Plat_Srand(7);
    Block_Spawn(&b, 6);
    EXPECT_EQ(b.Stones[0].dc, Shapes_C[c].offsets[0][0]);
    EXPECT_EQ(b.Stones[5].dr, Shapes_C[c].offsets[5][1]);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(b.Stones[i].kind, kind);
    // An ordinary block: A draw, then the kind.
    Blocks_Dealt = 0;
    Plat_Srand(7);
    a = Plat_Rand() % 7;
    kind = Plat_Rand() % 8 + 1;
    Plat_Srand(7);
    Block_Spawn(&b, 6);
    EXPECT_EQ(b.Stones[3].dc, Shapes_A[a].offsets[3][0]);
    EXPECT_EQ(b.Stones[0].kind, kind);
    EXPECT_EQ(b.X, 6);
    EXPECT_EQ(b.Y, 0);
    EXPECT_EQ(b.Fall_Delay, 50);
    EXPECT_EQ(b.Stones[0].period, 110);
}

// --- fits and landings -----------------------------------------------------------

TEST_F(Board_Test, FitsAndLandingsRespectWallsFloorStonesAndTheRowBelowWhenHanging) {
    // The flat bar covers columns X-2 .. X+1; places above the top are free.
    // landed -1: not asked (the block is in a wall).
    const struct {
        int x, y, sub;
        bool fits;
        int landed;
    } places[] = {{3, 5, 0, true, 0},    {2, 5, 0, false, -1}, {11, 5, 0, true, 0},
                  {12, 5, 0, false, -1}, {6, 11, 0, true, 1},  {6, 12, 0, false, 1},
                  {6, -3, 0, true, 0},   {6, 10, 0, true, 0},  {6, 11, 1, false, 1}};
    for (const auto& p : places) {
        Block b = I4;
        b.X = p.x, b.Y = p.y, b.Sub_Step = p.sub;
        EXPECT_EQ(Block_Fits(area, &b) != 0, p.fits) << p.x << "," << p.y << "+" << p.sub;
        if (p.landed >= 0) {
            EXPECT_EQ(Block_Landed(area, &b), p.landed) << p.x << "," << p.y;
        }
    }
    // An overhang in row 5: fine in row 4 until the block sinks a pixel; a stone
    // under it lands it.
    Area_Cell(area, 5, 5).kind = 2;
    Block b = I4;
    b.Y = 4;
    EXPECT_TRUE(Block_Fits(area, &b));
    EXPECT_TRUE(Block_Landed(area, &b));
    b.Sub_Step = 1;
    EXPECT_FALSE(Block_Fits(area, &b));
    // Hanging between two rows, it cannot slide under an overhang.
    Area_Cell(area, 9, 6).kind = 3;
    area->Current = Make({{0, 0}}, 8, 5);
    area->Current.Sub_Step = 10;
    Key(DIK_RIGHT, true);
    Tick();
    EXPECT_EQ(area->Current.X, 8);
    Key(DIK_RIGHT, false);
    area->Current.Sub_Step = 0;
    Tick();
    Key(DIK_RIGHT, true);
    Tick();
    EXPECT_EQ(area->Current.X, 9);
}

// --- turning and mirroring -------------------------------------------------------

TEST_F(Board_Test, TurningKeepsABlockAgainstTheWallItTouchedAndTurnsAsOnScreen) {
    // Upright and flat bars at each wall, turned either way, stay at their wall.
    const struct {
        std::initializer_list<std::pair<int, int>> offsets;
        int x, direction, min_col, max_col;
    } turns[] = {{{{0, -2}, {0, -1}, {0, 0}, {0, 1}}, 1, +1, 1, 4},
                 {{{0, -2}, {0, -1}, {0, 0}, {0, 1}}, 12, -1, 9, 12},
                 {{{-2, 0}, {-1, 0}, {0, 0}, {1, 0}}, 3, +1, 1, 1},
                 {{{-2, 0}, {-1, 0}, {0, 0}, {1, 0}}, 11, -1, 12, 12}};
    for (const auto& t : turns) {
        Block b = Make(t.offsets, t.x, 5);
        EXPECT_TRUE(Block_Rotate(area, t.direction, &b));
        const Block_Box box = Block_Bounds(&b);
        EXPECT_EQ(t.direction > 0 ? box.min_col : box.max_col,
                  t.direction > 0 ? t.min_col : t.max_col);
        if (t.min_col != t.max_col) {
            EXPECT_EQ(box.max_col - box.min_col, 3);
        }
    }
    // (1, 0) is right of the origin; clockwise on screen takes it below the origin.
    Block b = Make({{0, 0}, {1, 0}}, 6, 5);
    Block_Rotate(area, +1, &b);
    EXPECT_EQ(Places(b), (std::set<std::pair<int, int>>{{6, 5}, {6, 6}}));
    b = Make({{0, 0}, {1, 0}}, 6, 5);
    Block_Rotate(area, -1, &b);
    EXPECT_EQ(Places(b), (std::set<std::pair<int, int>>{{6, 5}, {6, 4}}));
}

TEST_F(Board_Test, MirroringAtEachWallKeepsTheBlockThere) {
    Block b = Make({{-1, -1}, {-1, 0}, {0, 0}, {1, 0}}, 2, 5);  // A2 touching the left wall
    EXPECT_TRUE(Block_Mirror(area, &b));
    EXPECT_EQ(Block_Bounds(&b).min_col, 1);
    EXPECT_EQ(Places(b), (std::set<std::pair<int, int>>{{3, 4}, {3, 5}, {2, 5}, {1, 5}}));
    b = Make({{-2, 0}, {-1, 0}, {0, 0}, {0, -1}}, 12, 5);  // A3 touching the right wall
    EXPECT_TRUE(Block_Mirror(area, &b));
    EXPECT_EQ(Block_Bounds(&b).max_col, 12);
    EXPECT_EQ(Block_Bounds(&b).min_col, 10);
    // A mirror into a stone does not fit.
    Area_Cell(area, 3, 4).kind = 5;
    b = Make({{-1, -1}, {-1, 0}, {0, 0}, {1, 0}}, 2, 5);
    EXPECT_FALSE(Block_Mirror(area, &b));
}

// --- one tick of play ---------------------------------------------------------------

TEST_F(Board_Test, HeldKeysActAtOnceThenAfterTheirFullDelayEveryTick) {
    area->Current = I4;
    area->Current.Y = 3;
    Key(DIK_LEFT, true);
    Tick(10);  // pressed: moves at once
    EXPECT_EQ(area->Current.X, 5);
    Tick(100);  // exactly 100 ms held: not yet
    EXPECT_EQ(area->Current.X, 5);
    Tick(1);  // past the delay: every tick from now on
    EXPECT_EQ(area->Current.X, 4);
    Tick();
    EXPECT_EQ(area->Current.X, 3);
    Tick();  // the wall stops it
    EXPECT_EQ(area->Current.X, 3);
    Key(DIK_LEFT, false);
    Tick();
    EXPECT_EQ(area->Key_Press[0], 0u);
    // Space toggles the fast drop once, then every tick after 400 ms.
    Key(DIK_SPACE, true);
    Tick(30);
    EXPECT_EQ(area->Drop_Bonus, 32);
    for (int i = 0; i < 13; ++i) Tick(30);  // up to 390 ms held
    EXPECT_EQ(area->Drop_Bonus, 32);
    Tick(30);
    EXPECT_EQ(area->Drop_Bonus, 0);
    Tick(30);
    EXPECT_EQ(area->Drop_Bonus, 32);
}

TEST_F(Board_Test, TriesOfOneTickShareTheTrialBlock) {
    // Left is blocked by a stone beside the bar; the turn is then tried one column
    // further left and, fitting there, the block turns and moves left.
    area->Current = Make({{0, -1}, {0, 0}, {0, 1}}, 6, 5);
    Area_Cell(area, 5, 6).kind = 4;
    Key(DIK_LEFT, true);
    Key(DIK_UP, true);
    Tick();
    EXPECT_EQ(Places(area->Current), (std::set<std::pair<int, int>>{{4, 5}, {5, 5}, {6, 5}}));
}

TEST_F(Board_Test, EachSteeringKeyDoesItsOwnMoveOnAnAsymmetricBlock) {
    // The L of shape A3: (-2,0) (-1,0) (0,0) (0,-1), in the middle of the board.
    const Block L = Make({{-2, 0}, {-1, 0}, {0, 0}, {0, -1}}, 6, 5);
    using Cells = std::set<std::pair<int, int>>;
    struct Case {
        int dik;
        Cells after;
    };
    const Case cases[] = {
        {DIK_LEFT, {{3, 5}, {4, 5}, {5, 5}, {5, 4}}},
        {DIK_RIGHT, {{5, 5}, {6, 5}, {7, 5}, {7, 4}}},
        // UP turns counter-clockwise on screen: (dc, dr) -> (dr, -dc).
        {DIK_UP, {{6, 7}, {6, 6}, {6, 5}, {5, 5}}},
        // DOWN turns clockwise: (dc, dr) -> (-dr, dc).
        {DIK_DOWN, {{6, 3}, {6, 4}, {6, 5}, {7, 5}}},
        // RETURN mirrors the columns.
        {DIK_RETURN, {{8, 5}, {7, 5}, {6, 5}, {6, 4}}},
    };
    for (const Case& c : cases) {
        area->Current = L;
        area->Current.Last_Fall = Plat_Tick() + 1000;  // no fall in this tick
        Key(c.dik, true);
        Tick();
        Key(c.dik, false);
        EXPECT_EQ(Places(area->Current), c.after) << "key " << c.dik;
        EXPECT_EQ(area->Drop_Bonus, 0) << "key " << c.dik;
    }
    Key(DIK_SPACE, true);
    Tick();
    Key(DIK_SPACE, false);
    EXPECT_EQ(area->Drop_Bonus, 32);
}

TEST_F(Board_Test, BlockFallsOnePixelPerStepOrARowWithFastDropAndLandsWhenItCannot) {
    area->Current = I4;
    area->Current.Y = 2;
    for (int i = 0; i < 32; ++i) Tick(50);
    EXPECT_EQ(area->Current.Y, 3);
    EXPECT_EQ(area->Current.Sub_Step, 0);
    // Ticks closer than the fall delay do not move it.
    Tick(50);
    Tick(20);
    EXPECT_EQ(area->Current.Sub_Step, 1);
    area->Drop_Bonus = 32;
    Tick(50);
    EXPECT_EQ(area->Current.Y, 4);  // 1 + 33 >= 32: a row, the excess dropped
    EXPECT_EQ(area->Current.Sub_Step, 0);
    // The block lands on the first tick it cannot move down.
    area->Current.Y = 11;
    Tick();
    EXPECT_EQ(area->Block_Points, 4);
    for (int c = 4; c <= 7; ++c) EXPECT_EQ(Area_Cell(area, c, 11).kind, 1);
}

// --- landing points -------------------------------------------------------------------

TEST_F(Board_Test, FlatBarOnTheFloorScoresOnePerStoneAndMoreAtWalls) {
    Block b = I4;
    b.Y = 11;
    EXPECT_EQ(Block_Land(area, &b), 4);
    ASSERT_EQ(Popups_Seen.size(), 1u);
    EXPECT_EQ(Popups_Seen[0].kind, 1);
    EXPECT_EQ(Popups_Seen[0].value, 4);
    EXPECT_EQ(Popups_Seen[0].x, 32 * 6);
    EXPECT_EQ(Popups_Seen[0].y, 32 * 11);
    Area_Reset(area);
    b.X = 3;  // columns 1..4: the left wall touches too
    EXPECT_EQ(Block_Land(area, &b), 5);
    // Landing on top of it: 4 from below, nothing from the block's own stones.
    b.Y = 10;
    EXPECT_EQ(Block_Land(area, &b), 5);
}

TEST_F(Board_Test, StonesAboveTheTopAreLostOnLanding) {
    Block b = Make({{0, -2}, {0, -1}, {0, 0}}, 6, 0);  // rows -2..0 in column 6
    Area_Cell(area, 6, 1).kind = 2;
    Block_Land(area, &b);
    EXPECT_EQ(Area_Cell(area, 6, 0).kind, 1);
    int stones = 0;
    for (const Stone_Cell& c : area->Cells) stones += c.kind == 1;
    EXPECT_EQ(stones, 1);
}

// --- full rows ---------------------------------------------------------------------------

TEST_F(Board_Test, TwoRowsFromOneLandingPayRunsAndABonusOf120To239) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Area_Reset(area);
        Popups_Seen.clear();
        Fill(10, 3, 11, 12);
        Fill(11, 3, 11, 12);
        Plat_Srand(seed);
        Block b = Make({{-1, -1}, {0, -1}, {-1, 0}, {0, 0}}, 12, 11);  // the square
        Block_Land(area, &b);
        EXPECT_EQ(area->Block_Rows, 2);
        EXPECT_EQ(area->Collect_Count, 2);
        ASSERT_EQ(Popups_Seen.size(), 4u);
        EXPECT_EQ(Popups_Seen[0].kind, 1);
        EXPECT_EQ(Popups_Seen[1].kind, 2);
        EXPECT_EQ(Popups_Seen[1].y, 32 * 10);
        EXPECT_EQ(Popups_Seen[2].y, 32 * 11);
        EXPECT_EQ(Popups_Seen[3].kind, 3);
        EXPECT_GE(Popups_Seen[3].value, 120);
        EXPECT_LE(Popups_Seen[3].value, 239);
        int sum = 0;
        for (const Popup_Seen& p : Popups_Seen) sum += p.value;
        EXPECT_EQ(area->Block_Points, sum);
    }
}

TEST_F(Board_Test, RowPointsFollowTheRunsOfOneColour) {
    // Twelve stones of one colour: 5..9 for the empty run before them, then
    // 10..19 for each of the twelve.
    Fill(11, 4);
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        Plat_Srand(seed);
        area->Collect_Count = 0;
        int pts = Row_Collect(area, 11);
        EXPECT_GE(pts, 5 + 10 * 12);
        EXPECT_LE(pts, 9 + 19 * 12);
    }
    // Alternating colours: every column ends a run of one, 5..9 each, and the last
    // lone stone pays nothing more.
    for (int c = 1; c <= 12; ++c) Area_Cell(area, c, 11).kind = 1 + c % 2;
    Plat_Srand(3);
    area->Collect_Count = 0;
    int pts = Row_Collect(area, 11);
    EXPECT_GE(pts, 12 * 5);
    EXPECT_LE(pts, 12 * 9);
    // Pairs: a run of two (m = 1) pays 5..9 at its end, the last pair too.
    for (int c = 1; c <= 12; ++c) Area_Cell(area, c, 11).kind = 1 + ((c - 1) / 2) % 2;
    Plat_Srand(3);
    area->Collect_Count = 0;
    pts = Row_Collect(area, 11);
    EXPECT_GE(pts, 7 * 5);  // the empty run, five inner pairs, the last pair
    EXPECT_LE(pts, 7 * 9);
}

TEST_F(Board_Test, CollectedRowStaysSolidForASecondThenGoes) {
    Fill(11, 2, 12, 12);  // row 11 but for column 12
    Area_Cell(area, 1, 10).kind = 5;
    Area_Cell(area, 12, 10).kind = 7;
    Block b = Make({{0, 0}}, 12, 11);
    Block_Land(area, &b);
    ASSERT_EQ(area->Collect_Count, 1);
    EXPECT_EQ(area->Collect_List[0].remove_at, Plat_Tick() + 1000);
    // A block lands on the waiting row like on any stone.
    Block on_top = I4;
    on_top.Y = 10;
    EXPECT_TRUE(Block_Landed(area, &on_top));
    Plat_Clock_Advance(1000);
    Rows_Leave(area, Plat_Tick());
    EXPECT_EQ(area->Collect_Count, 1);
    EXPECT_EQ(Area_Cell(area, 1, 11).kind, 2);
    Plat_Clock_Advance(1);
    Rows_Leave(area, Plat_Tick());
    EXPECT_EQ(area->Collect_Count, 0);
    // Row 10 came down into row 11.
    EXPECT_EQ(Area_Cell(area, 1, 11).kind, 5);
    EXPECT_EQ(Area_Cell(area, 12, 11).kind, 7);
    EXPECT_EQ(Area_Cell(area, 6, 11).kind, 0);
    EXPECT_EQ(Area_Cell(area, 1, 10).kind, 0);
}

TEST_F(Board_Test, WaitingRowsAboveMoveDownWhenALowerOneGoes) {
    Fill(5, 1);
    Fill(9, 2);
    Area_Cell(area, 3, 4).kind = 6;
    Plat_Srand(1);
    Row_Collect(area, 5);  // due at t+1000
    Plat_Clock_Advance(500);
    Row_Collect(area, 9);  // due at t+1500
    area->Collect_List[1].remove_at = Plat_Tick() - 1;
    area->Current = I4;
    area->Current.Y = 3;
    Plat_Clock_Advance(1);
    Rows_Leave(area, Plat_Tick());
    ASSERT_EQ(area->Collect_Count, 1);
    EXPECT_EQ(area->Collect_List[0].row, 6);
    EXPECT_EQ(Area_Cell(area, 1, 6).kind, 1);
    EXPECT_EQ(Area_Cell(area, 3, 5).kind, 6);
    // The falling block keeps its place.
    EXPECT_EQ(area->Current.Y, 3);
    EXPECT_EQ(area->Current.X, 6);
    Plat_Clock_Advance(600);
    Rows_Leave(area, Plat_Tick());
    EXPECT_EQ(area->Collect_Count, 0);
    EXPECT_EQ(Area_Cell(area, 1, 6).kind, 0);
    EXPECT_EQ(Area_Cell(area, 3, 6).kind, 6);
}

TEST_F(Board_Test, CollectedStonesAnimateWithinFramesZeroToSeven) {
    Fill(11, 3);
    Plat_Srand(5);
    Row_Collect(area, 11);
    for (int i = 0; i < 60; ++i) {
        Plat_Clock_Advance(11);
        area->Collect_List[0].remove_at = Plat_Tick() + 1000;
        Rows_Shimmer(area, Plat_Tick());
        Rows_Leave(area, Plat_Tick());
        for (int c = 1; c <= 12; ++c) {
            const Stone_Cell& s = Area_Cell(area, c, 11);
            ASSERT_GE(s.frame, 0);
            ASSERT_LE(s.frame, 7);
            ASSERT_EQ(s.last_step, Plat_Tick());
        }
    }
}

TEST_F(Board_Test, ResetEmptiesTheBoardAndEveryPointIsReported) {
    for (int i = 0; i < 12; ++i) {
        Block b = Make({{0, 0}}, 1 + i, 11);
        Block_Land(area, &b);
    }
    EXPECT_EQ(Popups_Seen.size(), 13u);  // twelve landings and the row they made
    EXPECT_EQ(Popups_Seen.back().kind, 2);
    EXPECT_EQ(area->Block_Rows, 1);
    EXPECT_GE(area->Block_Points, 12 + 5);
    Area_Cell(area, 2, 2).frame_step = -1;
    Area_Cell(area, 2, 2).step_period = 10;
    Area_Reset(area);
    EXPECT_EQ(area->Collect_Count, 0);
    EXPECT_EQ(area->Block_Points, 0);
    EXPECT_EQ(Area_Cell(area, 2, 2).frame_step, 1);
    EXPECT_EQ(Area_Cell(area, 2, 2).step_period, 10);  // kept
    for (const Stone_Cell& c : area->Cells) ASSERT_EQ(c.kind, 0);
}

}  // namespace
