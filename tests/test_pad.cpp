// The game pad and the touch screen: what each button is outside play and while
// blocks fall, the cursor the sticks and the d-pad move, the gestures of a finger;
// then the real program played with the system's virtual pad and fingers alone.
#include <gtest/gtest.h>

#include "shared_state.h"

#include <string>

#include "platform/pad.h"
#include "platform/platform_internal.h"
#include "program_runner.h"
#include "shot_text.h"
#include "ui_fixture.h"

namespace {

class Pad_Test : public Shared_State_Test {
  protected:
    // One shown frame (16 ms on the virtual clock); playing: blocks fell in it.
    void Frame(bool playing = false) {
        if (playing) Plat_Pad_Blocks_Falling();
        Plat_Present(frame, 640, palette);
    }
    void Tap(int button) {
        Plat_Pad_Button(button, true);
        Plat_Pad_Button(button, false);
    }
    bool Down(int vk) { return (Plat_Async_Key_State(vk) & 0x8000) != 0; }
    bool Clicked(int vk) { return (Plat_Async_Key_State(vk) & 1) != 0; }
    std::pair<int, int> Cursor() {
        int x = 0, y = 0;
        Plat_In_Mouse_Position(&x, &y);
        return {x, y};
    }
    uint8_t frame[640 * 480] = {}, palette[1024] = {};
};

// Outside play A is the mouse button, B Escape, Start Enter, and the d-pad steps the
// cursor, repeating when held; while blocks fall the same pad steers them and a
// button keeps the key it pressed until it is let go, whatever comes between.
TEST_F(Pad_Test, ButtonsPointOutsidePlayAndSteerWhileBlocksFall) {
    Plat_In_Mouse_Move(100, 100);
    Frame();
    Plat_Pad_Button(PAD_A, true);
    EXPECT_TRUE(Down(VK_LBUTTON));
    Plat_Pad_Button(PAD_A, false);
    Frame();
    Frame();
    EXPECT_FALSE(Down(VK_LBUTTON));
    const std::pair<int, int> keys[] = {
        {PAD_B, VK_ESCAPE}, {PAD_START, VK_RETURN}, {PAD_BACK, VK_ESCAPE}, {PAD_X, VK_SPACE}};
    for (auto [button, vk] : keys) {
        Tap(button);
        EXPECT_TRUE(Clicked(vk)) << button;
        Frame();
        Frame();
    }
    Tap(PAD_DPRIGHT);
    Tap(PAD_DPDOWN);
    EXPECT_EQ(Cursor(), std::make_pair(108, 108));
    Plat_Pad_Button(PAD_DPLEFT, true);     // held: a step, then one every 80 ms after 300
    for (int i = 0; i < 30; ++i) Frame();  // 480 ms
    Plat_Pad_Button(PAD_DPLEFT, false);
    EXPECT_EQ(Cursor().first, 108 - 8 * 4);

    Frame(true);
    uint8_t di[256];
    const std::pair<int, int> play[] = {{PAD_DPLEFT, DIK_LEFT}, {PAD_DPRIGHT, DIK_RIGHT},
                                        {PAD_A, DIK_DOWN},      {PAD_B, DIK_UP},
                                        {PAD_X, DIK_RETURN},    {PAD_DPDOWN, DIK_SPACE},
                                        {PAD_START, DIK_PAUSE}, {PAD_BACK, DIK_APPS}};
    for (auto [button, dik] : play) {
        Plat_Pad_Button(button, true);
        Plat_Keyboard_State(di);
        EXPECT_EQ(di[dik], 0x80) << button;
        Plat_Pad_Button(button, false);
        Frame(true);
        Frame(true);
    }
    // Held from play into a box: the key it pressed is the one let go.
    Plat_Pad_Button(PAD_DPLEFT, true);
    Frame();
    Frame();
    Plat_Pad_Button(PAD_DPLEFT, false);
    Frame();
    Frame();
    Plat_Keyboard_State(di);
    EXPECT_EQ(di[DIK_LEFT], 0);
    // The left stick steers too, with some play around its middle.
    Frame(true);
    Plat_Pad_Axis(PAD_LEFTX, -20000);
    Plat_Keyboard_State(di);
    EXPECT_EQ(di[DIK_LEFT], 0x80);
    Plat_Pad_Axis(PAD_LEFTX, -13000);  // between letting go and pressing: still held
    Plat_Keyboard_State(di);
    EXPECT_EQ(di[DIK_LEFT], 0x80);
    Plat_Pad_Axis(PAD_LEFTX, 0);
    Frame(true);
    Frame(true);
    Plat_Keyboard_State(di);
    EXPECT_EQ(di[DIK_LEFT], 0);
}

// Pulled out while blocks fall: everything it held is let go and the game pauses;
// outside play nothing more happens.
TEST_F(Pad_Test, APadPulledOutInPlayLetsGoAndPauses) {
    Frame(true);
    Plat_Pad_Button(PAD_DPRIGHT, true);
    Plat_Pad_Unplugged();
    EXPECT_TRUE(Clicked(VK_PAUSE));
    Frame(true);
    Frame(true);
    uint8_t di[256];
    Plat_Keyboard_State(di);
    EXPECT_EQ(di[DIK_RIGHT], 0);
    Frame();
    Frame();
    Plat_Pad_Unplugged();
    EXPECT_FALSE(Clicked(VK_PAUSE));
}

// The stick creeps near its middle and races when pushed, faster the longer it
// is held; in play only the right stick moves the cursor.
TEST_F(Pad_Test, TheCursorIsSlowNearTheMiddleAndSpeedsUpWhenHeld) {
    EXPECT_LT(Pad_Cursor_Speed(0.1, 0), 50);
    EXPECT_GT(Pad_Cursor_Speed(1, 0), 500);
    EXPECT_GT(Pad_Cursor_Speed(1, 800), 1.9 * Pad_Cursor_Speed(1, 0));
    Plat_In_Mouse_Move(10, 240);
    Frame();
    Plat_Pad_Axis(PAD_LEFTX, 3000);  // inside the dead zone: no move
    for (int i = 0; i < 10; ++i) Frame();
    EXPECT_EQ(Cursor().first, 10);
    Plat_Pad_Axis(PAD_LEFTX, 32767);
    int at[4] = {};
    for (int& x : at) {
        for (int i = 0; i < 10; ++i) Frame();
        x = Cursor().first;
    }
    EXPECT_GT(at[0], 10);
    EXPECT_GT(at[3] - at[2], at[1] - at[0]);  // faster in its second half
    EXPECT_EQ(Cursor().second, 240);
    Frame(true);
    const int x = Cursor().first;
    Frame(true);  // the left stick steers the block in play, not the cursor
    EXPECT_EQ(Cursor().first, x);
    Plat_Pad_Axis(PAD_RIGHTY, -32767);
    Frame(true);
    EXPECT_LT(Cursor().second, 240);
}

// A tap clicks where it touched; a drag takes the cursor along without a click; a
// finger held still holds the button until it lifts.
TEST_F(Pad_Test, ATapClicksADragMovesAndAFingerHeldStillHolds) {
    Plat_Touch_Down(200, 150);
    Plat_Touch_Up(201, 151);
    EXPECT_EQ(Cursor(), std::make_pair(201, 151));
    EXPECT_TRUE(Down(VK_LBUTTON));
    Frame();
    Frame();
    EXPECT_FALSE(Down(VK_LBUTTON));
    Plat_Touch_Down(100, 100);
    Plat_Touch_Move(104, 104);  // a tremble is no drag
    EXPECT_EQ(Cursor(), std::make_pair(100, 100));
    Plat_Touch_Move(300, 200);
    Plat_Touch_Up(310, 210);
    EXPECT_EQ(Cursor(), std::make_pair(300, 200));
    EXPECT_FALSE(Clicked(VK_LBUTTON));
    Plat_Touch_Down(50, 60);
    for (int i = 0; i < 30; ++i) Frame();
    EXPECT_TRUE(Down(VK_LBUTTON));
    Plat_Touch_Move(80, 60);  // held, then dragged: the button stays down
    EXPECT_EQ(Cursor(), std::make_pair(80, 60));
    Plat_Touch_Up(80, 60);
    Frame();
    Frame();
    EXPECT_FALSE(Down(VK_LBUTTON));
}

// --- the real program, with the system's virtual pad ---------------------------------

class Pad_Run_Test : public Ui_Test {
  protected:
    Program_Run Play(const std::string& script) {
        return Run_Program(dir, script, {"VELTRAN_SEED=1"});
    }
    bool Shows(const char* shot, const char* text, const Font& font = Font_8x16, int c = 2) {
        return Shot_Find_Text(Shot_Read(dir.Read(shot)), text, font, c);
    }
    Scratch_Dir dir;
};

// A whole round with the pad alone gives what the same moments on the keyboard and
// mouse give, shot for shot: НОВАЯ ИГРА with A (the mouse brought there), the
// first book with B, the block moved, turned both ways, mirrored and dropped,
// ПАУЗА by Start and closed by B, МЕНЮ by Back, ДА by Start, НЕТ by B.
TEST_F(Pad_Run_Test, TheGameWithThePadAloneIsTheGameWithTheKeyboard) {
    dir.Link_Bundled_Data(true);
    const std::string steps[][2] = {
        // (the mouse then goes out of the way of the boxes' texts)
        {"move 320 210\npad a\nmove 5 470", "move 320 210\nclick 320 210\nmove 5 470"},
        {"wait 1500\npad b", "wait 1500\nkey ESCAPE"},
        {"wait 1000\npad dpleft\nwait 100\npad dpleft\nwait 100\npad dpleft\nwait 100\npad dpdown",
         "wait 1000\nkey LEFT\nwait 100\nkey LEFT\nwait 100\nkey LEFT\nwait 100\nkey SPACE"},
        {"wait 3000\npad a\nwait 100\npad x\nwait 100\npad leftshoulder\nwait 100\npad y",
         "wait 3000\nkey DOWN\nwait 100\nkey RETURN\nwait 100\nkey UP\nwait 100\nkey SPACE"},
        {"wait 2500\nshot s1.bmp\npad start\nwait 800\nshot s2.bmp\npad b",
         "wait 2500\nshot s1.bmp\nkey PAUSE\nwait 800\nshot s2.bmp\nkey ESCAPE"},
        {"wait 800\npad back\nwait 800\nshot s3.bmp\npad start\nwait 800\npad b",
         "wait 800\nkey APPS\nwait 800\nshot s3.bmp\nkey RETURN\nwait 800\nkey ESCAPE"},
        {"wait 1500\nshot s4.bmp\n", "wait 1500\nshot s4.bmp\n"}};
    std::string pad = "wait 500\n", keys = "wait 500\n";
    for (const auto& step : steps) {
        pad += step[0] + "\n";
        keys += step[1] + "\n";
    }
    const Program_Run by_keys = Play(keys);
    ASSERT_EQ(by_keys.status, 0) << by_keys.err;
    std::string shots[4];
    for (int i = 0; i < 4; ++i) shots[i] = dir.Read("s" + std::to_string(i + 1) + ".bmp");
    const Program_Run by_pad = Play(pad);
    ASSERT_EQ(by_pad.status, 0) << by_pad.err;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dir.Read("s" + std::to_string(i + 1) + ".bmp"), shots[i]) << "shot " << i + 1;
    EXPECT_TRUE(Log_In_Order(
        by_pad.report, {"\n Подключен игровой пульт: Veltran virtual pad", "\n Start New Game",
                        "\n Чтение книги: HScripts/Bytie.txt", "\n Close Game"}));
    EXPECT_TRUE(Shows("s2.bmp", "ПАУЗА"));
    EXPECT_TRUE(Shows("s3.bmp", "ВЫЙТИ В МЕНЮ?"));
    EXPECT_TRUE(Shows("s4.bmp", "ученик Иисуса ...", Font_16x16, 3));
}

// The reading box, the results, the viewer and the game's end close with B.
// Plugged in during the game it plays at once; pulled out, the game pauses until
// the player goes on (here with the pad plugged in again).
TEST_F(Pad_Run_Test, APadPluggedInMidGamePlaysAndPulledOutPauses) {
    dir.Link_Bundled_Data(true);
    const Program_Run run = Play(
        "wait 500\nclick 320 210\nmove 5 470\nwait 1500\nkey ESCAPE\nwait 1000\nshot before.bmp\n"
        "padplug\nwait 200\npad dpleft\nwait 100\nshot moved.bmp\npadunplug\nwait 600\n"
        "shot paused.bmp\nwait 2000\nshot still.bmp\npadplug\nwait 200\npad b\nwait 800\n"
        "shot on.bmp\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Shot before = Shot_Read(dir.Read("before.bmp")), moved = Shot_Read(dir.Read("moved.bmp"));
    EXPECT_GT(Shot_Diff(before, moved, 30, 60, 400, 200), 0);  // the block moved
    EXPECT_TRUE(Shows("paused.bmp", "ПАУЗА"));
    EXPECT_EQ(Shot_Diff(Shot_Read(dir.Read("paused.bmp")), Shot_Read(dir.Read("still.bmp")), 0, 0,
                        640, 480),
              0);
    EXPECT_FALSE(Shows("on.bmp", "ПАУЗА"));
    EXPECT_TRUE(Log_In_Order(run.report, {"\n Подключен игровой пульт", "\n Игровой пульт отключен",
                                          "\n Подключен игровой пульт", "\n Close Game"}));
}

// A tap on a book's label opens the book; a drag over the list opens nothing.
TEST_F(Pad_Run_Test, ATapOnABookLabelOpensIt) {
    dir.Link_Bundled_Data(true);
    const Program_Run run = Play(
        "wait 500\ntap 320 210\nwait 1500\ndrag 100 100 300 300\nwait 500\n"
        "tap 195 319\nwait 1500\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(
        Log_In_Order(run.report, {"\n Start New Game", "\n Чтение книги: HScripts/Avdey.txt"}));
    EXPECT_EQ(Log_Count(run.report, "\n Чтение книги:"), 1u);
}

}  // namespace
