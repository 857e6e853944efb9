// The emulated Win32 input and the script reader: queue order, coalesced mouse
// moves, the sticky quit, async key bits, the DirectInput bytes, script timing.
#include <gtest/gtest.h>

#include <filesystem>

#include "shared_state.h"

#include "platform/pad.h"
#include "platform/platform_internal.h"
#include "platform/settings.h"
#include "platform/view.h"
#include "program_runner.h"
#include "scratch_cwd.h"

namespace {

class Platform_Test : public Shared_State_Test {
  protected:
    std::vector<Plat_Msg> Drain() {
        std::vector<Plat_Msg> out;
        Plat_Msg m;
        while (out.size() < 100 && Plat_Peek_Message(&m)) {
            out.push_back(m);
            if (m.message == WM_QUIT) break;
        }
        return out;
    }
};

TEST_F(Platform_Test, KeyDownsArriveInOrderAndMouseMovesCoalesce) {
    Plat_In_Mouse_Move(10, 20);
    Plat_In_Key('A', 0x1E, true, false);
    Plat_In_Mouse_Move(30, 40);
    Plat_In_Key('A', 0x1E, true, true);  // auto-repeat
    Plat_In_Key('A', 0x1E, false, false);
    Plat_In_Mouse_Move(600, 470);
    auto msgs = Drain();
    ASSERT_EQ(msgs.size(), 3u);
    EXPECT_EQ(msgs[0].message, WM_MOUSEMOVE);
    EXPECT_EQ(msgs[0].lparam, (470 << 16) | 600);
    EXPECT_EQ(msgs[1].message, WM_KEYDOWN);
    EXPECT_EQ(msgs[1].wparam, static_cast<uintptr_t>('A'));
    EXPECT_EQ(msgs[2].message, WM_KEYDOWN);
    EXPECT_NE(msgs[2].lparam & (1 << 30), 0);
}

TEST_F(Platform_Test, AsyncKeyStateReportsDownNowAndPressedSinceLastQuery) {
    EXPECT_EQ(Plat_Async_Key_State(VK_SPACE), 0);
    Plat_In_Key(VK_SPACE, DIK_SPACE, true, false);
    EXPECT_EQ(static_cast<uint16_t>(Plat_Async_Key_State(VK_SPACE)), 0x8001);
    EXPECT_EQ(static_cast<uint16_t>(Plat_Async_Key_State(VK_SPACE)), 0x8000);
    // A press and release between two queries leaves only the low bit.
    Plat_In_Key(VK_SPACE, DIK_SPACE, false, false);
    Plat_In_Key(VK_SPACE, DIK_SPACE, true, false);
    Plat_In_Key(VK_SPACE, DIK_SPACE, false, false);
    EXPECT_EQ(Plat_Async_Key_State(VK_SPACE), 1);
    // Querying one key does not clear another's bit.
    Plat_In_Mouse_Button(VK_LBUTTON, true);
    Plat_In_Key(VK_RETURN, DIK_RETURN, true, false);
    Plat_Async_Key_State(VK_RETURN);
    EXPECT_EQ(static_cast<uint16_t>(Plat_Async_Key_State(VK_LBUTTON)), 0x8001);
    // Either Shift key holds Shift down; the DirectInput bytes follow scan codes.
    Plat_In_Key(VK_SHIFT, DIK_LSHIFT, true, false);
    Plat_In_Key(VK_SHIFT, DIK_RSHIFT, true, false);
    Plat_In_Key(VK_SHIFT, DIK_LSHIFT, false, false);
    EXPECT_NE(Plat_Async_Key_State(VK_SHIFT) & 0x8000, 0);
    uint8_t state[256];
    Plat_Keyboard_State(state);
    EXPECT_EQ(state[DIK_RSHIFT], 0x80);
    EXPECT_EQ(state[DIK_LSHIFT], 0);
    EXPECT_EQ(state[DIK_RETURN], 0x80);
    Plat_In_Key(VK_SHIFT, DIK_RSHIFT, false, false);
    EXPECT_EQ(Plat_Async_Key_State(VK_SHIFT) & 0x8000, 0);
}

// A tap (press and release between two frames) stays down from one shown frame to
// the next, whichever order a screen looks and draws in; a long press is let go at
// once; a second press before the release makes one press.
TEST_F(Platform_Test, AQuickTapStaysDownThroughOneWholeFrame) {
    const uint8_t pixels[640 * 480] = {}, palette[1024] = {};
    auto shown = [&] { Plat_Present(pixels, 640, palette); };
    auto down = [] { return (Plat_Async_Key_State(VK_LBUTTON) & 0x8000) != 0; };
    Plat_In_Event(VK_LBUTTON, 0, true, false);
    Plat_In_Event(VK_LBUTTON, 0, false, false);
    EXPECT_TRUE(down());  // a screen that looks, then draws
    shown();
    EXPECT_TRUE(down());  // ...and one that draws, then looks
    shown();
    EXPECT_FALSE(down());
    // Held across two frames, the release is not held back.
    Plat_In_Event(VK_SPACE, DIK_SPACE, true, false);
    shown();
    shown();
    Plat_In_Event(VK_SPACE, DIK_SPACE, false, false);
    uint8_t keys[256];
    Plat_Keyboard_State(keys);
    EXPECT_EQ(keys[DIK_SPACE], 0);
    // Pressed again before its release came through: still down, and up once.
    Plat_In_Event(VK_RETURN, DIK_RETURN, true, false);
    Plat_In_Event(VK_RETURN, DIK_RETURN, false, false);
    Plat_In_Event(VK_RETURN, DIK_RETURN, true, false);
    shown();
    shown();
    Plat_Keyboard_State(keys);
    EXPECT_EQ(keys[DIK_RETURN], 0x80);
    Plat_In_Event(VK_RETURN, DIK_RETURN, false, false);
    Plat_Keyboard_State(keys);
    EXPECT_EQ(keys[DIK_RETURN], 0);
}

TEST(Script, KeyAndClickExpandIntoPressWaitRelease) {
    std::vector<Script_Command> c;
    std::string err;
    ASSERT_TRUE(
        Script_Parse("# comment\n\nkey A   # trailing\nclick 5 6\nshot x.bmp\nquit\n", &c, &err))
        << err;
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(c[0].op, SC_DOWN);
    EXPECT_EQ(c[0].key->vk, 'A');
    EXPECT_EQ(c[1].op, SC_WAIT);
    EXPECT_EQ(c[1].a, 50);
    EXPECT_EQ(c[2].op, SC_UP);
    EXPECT_EQ(c[3].op, SC_MOVE);
    EXPECT_EQ(c[3].b, 6);
    EXPECT_EQ(c[4].key->vk, VK_LBUTTON);
    EXPECT_EQ(c[7].path, "x.bmp");
    EXPECT_EQ(c[8].op, SC_QUIT);
    // The pad's buttons and the finger expand the same way.
    ASSERT_TRUE(
        Script_Parse("padhold dpleft 300\naxis righty -32768\ntap 5 6\ndrag 0 0 8 4\n", &c, &err))
        << err;
    ASSERT_EQ(c.size(), 3u + 1 + 2 + 10);
    EXPECT_EQ(c[0].op, SC_PAD_BUTTON);
    EXPECT_EQ(c[0].a, PAD_DPLEFT);
    EXPECT_EQ(c[1].a, 300);
    EXPECT_EQ(c[2].b, 0);
    EXPECT_EQ(c[3].b, -32768);
    EXPECT_EQ(c[5].c, TOUCH_UP);
    EXPECT_EQ(c[12].a, 6);  // the drag's third step
    EXPECT_EQ(c[15].op, SC_TOUCH);
    EXPECT_EQ(c[15].b, 4);
}

TEST(Script, ErrorsNameTheLine) {
    std::vector<Script_Command> c;
    std::string err;
    EXPECT_FALSE(Script_Parse("wait 10\nkey NOSUCH\n", &c, &err));
    EXPECT_EQ(err.rfind("line 2:", 0), 0u) << err;
    EXPECT_FALSE(Script_Parse("move 640 10\n", &c, &err));
    EXPECT_FALSE(Script_Parse("wait -5\n", &c, &err));
    EXPECT_FALSE(Script_Parse("wait 5x\n", &c, &err));
    EXPECT_FALSE(Script_Parse("jump\n", &c, &err));
    EXPECT_FALSE(Script_Parse("quit now\n", &c, &err));
    for (const char* bad : {"pad nosuch\n", "padhold a\n", "axis leftx 40000\n", "axis up 1\n",
                            "tap 640 1\n", "drag 1 2 3\n", "padplug now\n"})
        EXPECT_FALSE(Script_Parse(bad, &c, &err)) << bad;
}

TEST_F(Platform_Test, ScriptCommandsRunWhenTheVirtualClockReachesThem) {
    std::vector<Script_Command> c;
    std::string err;
    ASSERT_TRUE(Script_Parse("wait 100\ndown RIGHT\nwait 40\nup RIGHT\n", &c, &err));
    Clock_At(0);
    Script_Start(c);
    uint8_t state[256];
    Clock_At(99);
    Plat_Keyboard_State(state);
    EXPECT_EQ(state[DIK_RIGHT], 0);
    Clock_At(100);
    Plat_Keyboard_State(state);
    EXPECT_EQ(state[DIK_RIGHT], 0x80);
    // Waits count from when the command was due, not when it was seen.
    Clock_At(139);
    Plat_Keyboard_State(state);
    EXPECT_EQ(state[DIK_RIGHT], 0x80);
    Clock_At(140);
    Plat_Msg m;
    ASSERT_TRUE(Plat_Peek_Message(&m));
    EXPECT_EQ(m.message, WM_KEYDOWN);
    // The script is over: the quit message follows.
    ASSERT_TRUE(Plat_Peek_Message(&m));
    EXPECT_EQ(m.message, WM_QUIT);
    Script_Stop();
}

// A window that shows frames and reports whether each was new, and waits no time.
std::vector<uint32_t> Waits;
bool Next_Frame_Changed = true;
bool Fake_Show(const uint8_t*, int, const uint8_t*, const Plat_Rect*, int) {
    return Next_Frame_Changed;
}
std::string Calls;  // 's' for a frame service, 'w' for a wait
void Fake_Wait(uint32_t ms) {
    Waits.push_back(ms);
    Calls += 'w';
}
void Note_Service() {
    Calls += 's';
}
const Plat_Backend Fake_Window = {nullptr, Fake_Show, nullptr,   nullptr, nullptr,
                                  nullptr, nullptr,   Fake_Wait, nullptr, nullptr};

TEST_F(Platform_Test, AStillScreenWaitsForInputAndMovesAgainAtOnce) {
    Plat_Clock_Set_Virtual(false);
    Plat_Set_Backend(&Fake_Window);
    Waits.clear();
    uint8_t frame[640 * 480] = {}, palette[1024] = {};
    auto present = [&](bool changed, int times) {
        Next_Frame_Changed = changed;
        for (int i = 0; i < times; ++i) Plat_Present(frame, 640, palette);
    };
    present(true, 5);
    EXPECT_TRUE(Waits.empty());
    // Three frames the same as the screen: the fourth present waits for input, up
    // to a tenth of a second after the last frame.
    present(false, 3);
    EXPECT_TRUE(Waits.empty());
    Plat_Add_Frame_Service(Note_Service);
    Calls.clear();
    present(false, 2);
    ASSERT_EQ(Waits.size(), 2u);
    for (uint32_t ms : Waits) EXPECT_LE(ms, 100u);
    // The services look at each frame before the wait (the music's watch sees the
    // poll its screen just made).
    EXPECT_EQ(Calls, "swsw");
    Plat_Remove_Frame_Service(Note_Service);
    // After ten more, four frames a second.
    present(false, 10);
    Waits.clear();
    present(false, 1);
    ASSERT_EQ(Waits.size(), 1u);
    EXPECT_GT(Waits[0], 100u);
    EXPECT_LE(Waits[0], 250u);
    // A changed frame puts the screen back to full speed.
    present(true, 1);
    Waits.clear();
    present(true, 3);
    EXPECT_TRUE(Waits.empty());
    Plat_Set_Backend(nullptr);
    Plat_Clock_Set_Virtual(true);
}

// The classic generator, so that a seed plays the same game everywhere: seed 1
// starts 41, 18467, 6334.
TEST(Random, TheClassicSequence) {
    Plat_Srand(1);
    EXPECT_EQ(Plat_Rand(), 41);
    EXPECT_EQ(Plat_Rand(), 18467);
    EXPECT_EQ(Plat_Rand(), 6334);
}

}  // namespace

// --- the picture in a window without a GPU ------------------------------------------

namespace {

struct Span {
    int y, a, b;
    bool operator==(const Span& o) const { return y == o.y && a == o.a && b == o.b; }
};

// Each changed run is converted alone; the runs of a band go out in rectangles
// just around them, those close together in one; only the hinted parts are looked at.
TEST(View, OnlyChangedRunsAreConvertedAndSentInRectanglesAroundThem) {
    std::vector<uint8_t> shown(640 * 480, 0), frame(640 * 480, 0);
    std::vector<Span> spans;
    Plat_Rect rects[Plat_Max_Change_Rects];
    auto find = [&](const Plat_Rect* hint = nullptr, int hints = 0) {
        spans.clear();
        return Plat_Find_Changes(
            shown.data(), frame.data(), 640, hint, hints,
            [](void* out, int y, int a, int b) {
                static_cast<std::vector<Span>*>(out)->push_back(Span{y, a, b});
            },
            &spans, rects);
    };
    EXPECT_EQ(find(), 0);  // the same frame: nothing to do
    frame[20 * 640 + 40] = 7;
    frame[21 * 640 + 70] = 7;   // near the first: one rectangle around both
    frame[20 * 640 + 300] = 9;  // far off in the same band: one of its own
    frame[21 * 640 + 301] = 9;
    ASSERT_EQ(find(), 2);
    EXPECT_EQ(spans,
              (std::vector<Span>{{20, 40, 41}, {20, 300, 301}, {21, 70, 71}, {21, 301, 302}}));
    EXPECT_EQ(std::vector<int>({rects[0].x, rects[0].y, rects[0].w, rects[0].h}),
              std::vector<int>({40, 20, 31, 2}));
    EXPECT_EQ(std::vector<int>({rects[1].x, rects[1].y, rects[1].w, rects[1].h}),
              std::vector<int>({300, 20, 2, 2}));
    EXPECT_EQ(shown, frame);  // brought up to date: nothing changes a second time
    EXPECT_EQ(find(), 0);
    // A block across two bands is one rectangle.
    for (int y = 40; y < 56; ++y)
        for (int x = 200; x < 232; ++x) frame[y * 640 + x] = 3;
    ASSERT_EQ(find(), 1);
    EXPECT_EQ(std::vector<int>({rects[0].x, rects[0].y, rects[0].w, rects[0].h}),
              std::vector<int>({200, 40, 32, 16}));
    // Told where the frame changed, the rest is not looked at.
    frame[100 * 640 + 100] = 5;
    frame[300 * 640 + 500] = 5;
    const Plat_Rect hint{96, 96, 16, 16};
    ASSERT_EQ(find(&hint, 1), 1);
    EXPECT_EQ(spans, (std::vector<Span>{{100, 100, 101}}));
    EXPECT_EQ(shown[300 * 640 + 500], 0);
    // A hint narrower than a piece, at the start of its row: only its own pixels.
    frame[200 * 640 + 3] = 6;
    frame[200 * 640 + 13] = 6;
    const Plat_Rect narrow{2, 200, 10, 1};
    ASSERT_EQ(find(&narrow, 1), 1);
    EXPECT_EQ(spans, (std::vector<Span>{{200, 3, 4}}));
    frame[200 * 640 + 13] = 0;
    // Changes scattered over a band go out in a few rectangles, not one a change.
    frame[300 * 640 + 500] = 0;
    for (int y = 64; y < 80; ++y)
        for (int x = y % 2 * 32; x < 640; x += 64) frame[y * 640 + x] = 4;
    ASSERT_EQ(find(), 1);
    EXPECT_EQ(std::vector<int>({rects[0].x, rects[0].y, rects[0].w, rects[0].h}),
              std::vector<int>({0, 64, 609, 16}));
    EXPECT_EQ(spans.size(), 160u);
    EXPECT_EQ(shown, frame);
}

}  // namespace

// --- the player's settings ---------------------------------------------------------

namespace {

TEST(Settings_File, ReadsWritesAndKeepsWhatItDoesNotKnow) {
    std::vector<std::string> complaints;
    const std::string text =
        "# mine\nfullscreen = no\n  music_volume=40\nzoom = 3\neffects_volume = 250\nnonsense\n";
    const Plat_Settings s = Settings_Parse(text, &complaints);
    EXPECT_FALSE(s.fullscreen);
    EXPECT_EQ(s.music_volume, 40);
    EXPECT_EQ(s.effects_volume, 100);  // out of range: the default
    EXPECT_EQ(complaints, (std::vector<std::string>{"effects_volume = 250", "строка 6"}));
    // Written back: the comment and the unknown key stay, known keys take their
    // values in place, a missing one is added.
    Plat_Settings changed = s;
    changed.fullscreen = true;
    EXPECT_EQ(Settings_Text(changed, {"# mine", "fullscreen = no", "zoom = 3"}),
              "# mine\nfullscreen = yes\nzoom = 3\nscale = sharp\nmusic_volume = 40\n"
              "effects_volume = 100\n");
    // A new file starts with a comment that says what it is.
    const std::string fresh = Settings_Text(Plat_Settings{}, {});
    EXPECT_EQ(fresh.rfind("# Veltran settings", 0), 0u);
    std::vector<std::string> none;
    const Plat_Settings again = Settings_Parse(fresh, &none);
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(again.fullscreen);
}

TEST(Settings_File, ADamagedFileGivesTheDefaultsAndTheVolumeKeysSaveAtOnce) {
    Scratch_Cwd cwd;
    ASSERT_EQ(Report_Open(), 1);
    cwd.Write("settings.conf", std::string("\x01\x02 binary\nfullscreen = maybe\n"));
    Settings_Load("settings.conf");
    EXPECT_TRUE(Settings.fullscreen);
    EXPECT_EQ(Log_Count(cwd.Log(), "\n Файл настроек settings.conf: непонятные записи ("), 1u);
    EXPECT_NE(cwd.Log().find("fullscreen = maybe), взяты значения по умолчанию"),
              std::string::npos);
    Settings_Step_Volume(true, -1);
    Settings_Step_Volume(true, -1);
    Settings_Step_Volume(false, +1);  // already at the top
    EXPECT_EQ(Settings.music_volume, 80);
    EXPECT_EQ(Settings.effects_volume, 100);
    EXPECT_FALSE(std::filesystem::exists("settings.conf.new"));
    Settings = Plat_Settings{};
    Settings_Load("settings.conf");
    EXPECT_EQ(Settings.music_volume, 80);
    for (int i = 0; i < 20; ++i) Settings_Step_Volume(true, -1);
    EXPECT_EQ(Settings.music_volume, 0);
    Settings = Plat_Settings{};
}

// Every common screen: sharp fills its height (or width) with the 4:3 picture;
// whole keeps the largest whole factor with bars.
TEST(View, TheLayoutsOfTheCommonScreens) {
    struct Case {
        int w, h;
        Plat_Layout sharp;
        int whole_k;
    };
    const Case cases[] = {{1280, 800, {1, 106, 0, 1067, 800}, 1},
                          {1366, 768, {1, 171, 0, 1024, 768}, 1},
                          {1440, 900, {1, 120, 0, 1200, 900}, 1},
                          {1600, 900, {1, 200, 0, 1200, 900}, 1},
                          {1920, 1080, {2, 240, 0, 1440, 1080}, 2},
                          {2560, 1440, {3, 320, 0, 1920, 1440}, 3},
                          {3840, 2160, {4, 480, 0, 2880, 2160}, 4},
                          {1024, 1024, {1, 0, 128, 1024, 768}, 1}};  // width the limit
    for (const Case& c : cases) {
        const Plat_Layout s = Plat_Layout_For(c.w, c.h, Plat_Scale::Sharp);
        EXPECT_EQ(std::vector<int>({s.k, s.x, s.y, s.w, s.h}),
                  std::vector<int>({c.sharp.k, c.sharp.x, c.sharp.y, c.sharp.w, c.sharp.h}))
            << c.w << "x" << c.h;
        const Plat_Layout whole = Plat_Layout_For(c.w, c.h, Plat_Scale::Whole);
        EXPECT_EQ(whole.k, c.whole_k);
        EXPECT_EQ(whole.w, 640 * c.whole_k);
        EXPECT_EQ(whole.x, (c.w - 640 * c.whole_k) / 2);
    }
    // Whole factors: bars above and below, or a window smaller than the picture
    // showing its middle; sharp, such a window (a phone's page) shows all of it.
    EXPECT_EQ(Plat_Layout_For(1280, 1024, Plat_Scale::Whole).y, 32);
    EXPECT_EQ(Plat_Layout_For(600, 400, Plat_Scale::Whole).x, -20);
    const Plat_Layout phone = Plat_Layout_For(844, 390, Plat_Scale::Sharp);
    EXPECT_EQ(std::vector<int>({phone.k, phone.x, phone.y, phone.w, phone.h}),
              std::vector<int>({1, 162, 0, 520, 390}));
    // The mouse lands where the picture shows it.
    const Plat_Layout l = Plat_Layout_For(1280, 800, Plat_Scale::Sharp);
    int x = 0, y = 0;
    Plat_Layout_To_Picture(l, 106 + 1066, 799, &x, &y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    Plat_Layout_To_Picture(l, 106 + 533, 400, &x, &y);
    EXPECT_EQ(x, 319);
    EXPECT_EQ(y, 240);
    Plat_Layout_To_Picture(l, 10, 10, &x, &y);  // the bar: the left edge
    EXPECT_EQ(x, 0);
    // A window with its frame fits the work area.
    EXPECT_EQ(Plat_Window_Factor(1920, 1040, 2, 30), 2);
    EXPECT_EQ(Plat_Window_Factor(1280, 960, 0, 0), 2);
    EXPECT_EQ(Plat_Window_Factor(1280, 960, 0, 30), 1);
    EXPECT_EQ(Plat_Window_Factor(3840, 2100, 2, 40), 4);
    EXPECT_EQ(Plat_Window_Factor(600, 400, 0, 0), 1);
}

// Sharp scaling: a whole factor stays exact; a fractional one blends at most one
// window pixel at each edge between picture pixels, and a pixel's change reaches
// only the window pixels it colours.
TEST(View, SharpScalingBlendsOnlyAtEdgesAndDrawsWhatChanged) {
    std::vector<uint8_t> picture(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            picture[static_cast<size_t>(y) * 640 + x] = (x / 7 + y / 5) % 2;
    uint32_t lut[256] = {};
    lut[0] = 0x00000000u;
    lut[1] = 0x00FFFFFFu;
    for (int w : {1280, 1920, 1067, 1440}) {
        const Plat_Layout l = Plat_Layout_For(w, w * 3 / 4, Plat_Scale::Sharp);
        Plat_Sharp_Scaler scaler;
        scaler.Prepare(l);
        std::vector<uint32_t> out(static_cast<size_t>(l.w) * l.h);
        scaler.Draw(picture.data(), lut, Plat_Rect{0, 0, l.w, l.h}, out.data(), l.w);
        int blended = 0;
        const int row = static_cast<int>((242 + 0.5) * l.h / 480);  // inside a band of rows
        for (int x = 0; x < l.w; ++x) {
            const uint32_t c = out[static_cast<size_t>(row) * l.w + x];
            blended += c != lut[0] && c != lut[1];
        }
        // A run of 7 picture pixels ends in an edge; only the last, fractional step
        // blends across it, over at most as many window pixels as it enlarges.
        const int per_edge = (l.w + 640 * l.k - 1) / (640 * l.k);
        EXPECT_LE(blended, l.w == 640 * l.k ? 0 : (640 / 7 + 1) * per_edge) << w;
        // One picture pixel colours a window rectangle of about its enlarged size.
        const Plat_Rect r = scaler.Window_Rect(Plat_Rect{320, 240, 1, 1});
        EXPECT_LE(r.w, l.w / 640 + 2) << w;
        EXPECT_GE(r.w, l.w / 640) << w;
        EXPECT_GE(r.x, l.x + l.w / 2 - 3);
    }
}

// The scaled frames keep their bytes, whatever way the scaler computes them: a whole
// frame of scattered colours (every byte of a pixel used, alpha too) at the sizes
// players meet hashes as it always has, and a frame built from only its changed
// rectangles over the frame before is the frame built whole, whether they are drawn
// in place or each packed into a buffer of its own and laid where it belongs.
TEST(View, SharpFramesKeepTheirBytesAndChangedRectanglesMakeTheWholeFrame) {
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    uint32_t lut[256];
    for (uint32_t& c : lut) c = next();
    std::vector<uint8_t> before(640 * 480), after;
    for (uint8_t& p : before) p = static_cast<uint8_t>(next() >> 24);
    after = before;
    // A falling block's tiles, a ticker's column and a single pixel change.
    const Plat_Rect changed[] = {{160, 96, 96, 64}, {0, 0, 56, 480}, {639, 479, 1, 1}};
    for (const Plat_Rect& r : changed)
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                after[static_cast<size_t>(y) * 640 + x] = static_cast<uint8_t>(next() >> 24);
    auto fnv = [](const std::vector<uint32_t>& v) {
        uint64_t h = 1469598103934665603ull;
        for (uint32_t c : v)
            for (int i = 0; i < 4; ++i) h = (h ^ ((c >> (8 * i)) & 0xFF)) * 1099511628211ull;
        return h;
    };
    const struct {
        int w, h;
        uint64_t hash;
    } sizes[] = {{1280, 800, 4339421210394782595ull},
                 {1366, 768, 15701585764795370140ull},
                 {1920, 1080, 11144025981815984691ull},
                 {2560, 1600, 10110988182250813536ull},
                 {800, 600, 1749327805532785291ull},
                 {390, 844, 2778633914656829906ull},
                 // Less than half the picture: some of its pixels colour no window pixel.
                 {300, 225, 12809832412127502704ull}};
    // Eight pixels at a time where the processor can, or four: the same bytes.
    for (const bool wide : {true, false})
        for (const auto& size : sizes) {
            const Plat_Layout l = Plat_Layout_For(size.w, size.h, Plat_Scale::Sharp);
            Plat_Sharp_Scaler scaler;
            scaler.Prepare(l, wide);
            const Plat_Rect all = scaler.Window_Rect(Plat_Rect{0, 0, 640, 480});
            std::vector<uint32_t> whole(static_cast<size_t>(size.w) * size.h, 0);
            std::vector<uint32_t> partial = whole;
            scaler.Draw(after.data(), lut, all, whole.data(), size.w);
            scaler.Draw(before.data(), lut, all, partial.data(), size.w);
            std::vector<uint32_t> packed = partial;
            EXPECT_EQ(fnv(whole), size.hash) << size.w << " x " << size.h;
            std::vector<uint8_t> shown = before;
            Plat_Rect rects[Plat_Max_Change_Rects];
            const int n = Plat_Find_Changes(
                shown.data(), after.data(), 640, changed, 3, [](void*, int, int, int) {}, nullptr,
                rects);
            for (int i = 0; i < n; ++i) {
                const Plat_Rect w = scaler.Window_Rect(rects[i]);
                scaler.Draw(after.data(), lut, w, partial.data(), size.w);
                if (w.w <= 0) continue;
                // Packed: the rectangle as drawn, its rows one after another.
                const Plat_Rect d = scaler.Drawn_Rect(w);
                ASSERT_TRUE(d.x <= w.x && d.x + d.w >= w.x + w.w && d.w - w.w < 8 && d.x >= l.x &&
                            d.x + d.w <= l.x + l.w && d.y == w.y && d.h == w.h);
                std::vector<uint32_t> room(static_cast<size_t>(d.w) * d.h);
                scaler.Draw(after.data(), lut, d, room.data(), d.w, d.x, d.y);
                for (int y = 0; y < d.h; ++y)
                    std::copy_n(&room[static_cast<size_t>(y) * d.w], d.w,
                                &packed[static_cast<size_t>(d.y + y) * size.w + d.x]);
            }
            EXPECT_TRUE(partial == whole) << size.w << " x " << size.h;
            EXPECT_TRUE(packed == whole) << size.w << " x " << size.h;
        }
}

}  // namespace
