// The real window on an X server of the test's own (Xvfb), with and without a
// window manager's help, on both ways of presenting (the window surface and SDL's
// renderer): full screen covers the display, the picture is scaled by a whole
// number with bars and every change reaches the screen, mouse positions map back
// onto the picture, and a click or key tap quicker than a frame is still seen.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/shell_input.h"
#include "platform/platform_internal.h"
#include "platform/sdl_system.h"
#include "platform/view.h"
#include "shared_state.h"
#include "program_runner.h"
#include "x_pointer.h"
#include "xvfb.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// The system's X libraries that SDL loads for a real window keep a little memory
// for good and are unloaded before the leak check can name them.
void Ignore_System_Leaks(bool on) {
    if (on)
        __lsan_disable();
    else
        __lsan_enable();
}
#else
void Ignore_System_Leaks(bool) {}
#endif

namespace {

class X11_Test : public Shared_State_Test, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        if (!Xvfb_Server::Installed()) GTEST_SKIP() << "Xvfb is not installed";
        Shared_State_Test::SetUp();
        Ignore_System_Leaks(true);
        ignoring = true;
        Plat_Clock_Set_Virtual(false);
        ASSERT_TRUE(server.Running());
        setenv("DISPLAY", server.Display().c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("VELTRAN_SCRIPT");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // On the renderer path SDL's own software renderer keeps the system's OpenGL
        // libraries out of the test.
        setenv("SDL_RENDER_DRIVER", "software", 1);
        setenv("VELTRAN_PRESENT", GetParam(), 1);
        Plat_Use_Sdl();
    }
    void TearDown() override {
        Plat_Close();
        Plat_Set_System(nullptr);
        if (ignoring) Ignore_System_Leaks(false);
        unsetenv("VELTRAN_WINDOWED");
        unsetenv("SDL_RENDER_DRIVER");
        unsetenv("VELTRAN_PRESENT");
        Shared_State_Test::TearDown();
    }
    // Moves the pointer on the server and returns the picture position the program
    // sees for it.
    bool Pointer_At(int x, int y, int* px, int* py, const Xvfb_Server* on = nullptr) {
        if (!X_Warp_Pointer((on != nullptr ? *on : server).Display().c_str(), x, y)) return false;
        for (int i = 0; i < 200; ++i) {
            Plat_Msg m;
            while (Plat_Peek_Message(&m))
                if (m.message == WM_MOUSEMOVE) {
                    *px = static_cast<int>(m.lparam & 0xFFFF);
                    *py = static_cast<int>((m.lparam >> 16) & 0xFFFF);
                    return true;
                }
            Plat_Sleep_Ns(5000000);
        }
        return false;
    }
    Xvfb_Server server{"1280x1024x24"};
    bool ignoring = false;
};

// A picture of many colours, and a palette that gives each index its own colour.
struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(640 * 480);
    uint8_t palette[1024] = {};
    Picture() {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) pixels[y * 640 + x] = static_cast<uint8_t>(x / 7 + y / 5);
        for (int i = 0; i < 256; ++i) {
            palette[4 * i] = static_cast<uint8_t>(i);
            palette[4 * i + 1] = static_cast<uint8_t>(255 - i);
            palette[4 * i + 2] = static_cast<uint8_t>(i * 7);
        }
    }
    uint32_t Colour(int x, int y) const {
        const uint8_t* p = &palette[4 * pixels[y * 640 + x]];
        return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
};

// Presents the picture a few frames running (the window settles on the first) and
// reads the screen.
bool Present_And_Read(const Picture& picture, const std::string& display, int* w, int* h,
                      std::vector<uint32_t>* screen) {
    for (int i = 0; i < 5; ++i) {
        Plat_Msg m;
        while (Plat_Peek_Message(&m)) {
        }
        Plat_Present(picture.pixels.data(), 640, picture.palette);
        Plat_Sleep_Ns(20000000);
    }
    return X_Read_Screen(display.c_str(), w, h, screen);
}

// Counts the screen pixels that are not the picture at twice its size in the
// middle of a 1280 x 1024 display, with black above and below.
::testing::AssertionResult Shown(const Picture& picture, const std::string& display) {
    int w = 0, h = 0;
    std::vector<uint32_t> screen;
    if (!Present_And_Read(picture, display, &w, &h, &screen))
        return ::testing::AssertionFailure() << "the screen could not be read";
    int wrong = 0, first_x = -1, first_y = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool in_picture = y >= 32 && y < 992;
            const uint32_t want = in_picture ? picture.Colour(x / 2, (y - 32) / 2) : 0;
            if (screen[static_cast<size_t>(y) * w + x] == want) continue;
            if (wrong++ == 0) {
                first_x = x;
                first_y = y;
            }
        }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << wrong << " pixels wrong, the first at (" << first_x << ", " << first_y << ")";
}

// Full screen covers the display without a window manager's help: the picture
// twice its size with bars of 32 pixels, the pointer mapped back onto it.
TEST_P(X11_Test, FullScreenIsThePictureTwiceItsSizeWithBarsAndEveryChangeReachesTheScreen) {
    ASSERT_EQ(Plat_Open("Veltran Window", Window_Proc), PLAT_OPEN_OK) << Plat_Error();
    EXPECT_NE(std::string(Plat_Present_Way()).find(GetParam()), std::string::npos)
        << Plat_Present_Way();
    int w = 0, h = 0, x = -1, y = -1;
    ASSERT_TRUE(Plat_Current_System()->window_size(&w, &h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
    ASSERT_TRUE(Pointer_At(640, 512, &x, &y));
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    ASSERT_TRUE(Pointer_At(10, 5, &x, &y));  // in the bar: the picture's nearest edge
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 0);
    Picture picture;
    EXPECT_TRUE(Shown(picture, server.Display()));
    // Small changes here and there, at the picture's corners and edges too.
    for (int y = 100; y < 103; ++y)
        for (int x = 100; x < 103; ++x) picture.pixels[y * 640 + x] ^= 0x55;
    picture.pixels[0] ^= 1;
    picture.pixels[639] ^= 1;
    picture.pixels[479 * 640] ^= 1;
    picture.pixels[479 * 640 + 639] ^= 1;
    for (int x = 31; x < 33; ++x) picture.pixels[240 * 640 + x] ^= 0x80;
    for (int y = 15; y < 17; ++y) picture.pixels[y * 640 + 320] ^= 0x80;
    EXPECT_TRUE(Shown(picture, server.Display()));
    // A new palette changes every colour.
    for (int i = 0; i < 256; ++i) picture.palette[4 * i + 2] ^= 0xFF;
    EXPECT_TRUE(Shown(picture, server.Display()));
    // A whole new picture.
    for (uint8_t& p : picture.pixels) p = static_cast<uint8_t>(p * 3 + 1);
    EXPECT_TRUE(Shown(picture, server.Display()));
}

// Many frames handed over one after another, with no wait between them: each
// change reaches the screen, whether the window's pixels are in memory shared with
// the server or, where the server offers none (as one on another machine), go
// through SDL's window surface.
TEST_P(X11_Test, QuickFramesReachTheScreenWithSharedMemoryOrWithout) {
    if (std::string(GetParam()) != "surface") GTEST_SKIP() << "the renderer shares nothing";
    Xvfb_Server plain("1280x1024x24", "MIT-SHM");
    ASSERT_TRUE(plain.Running());
    for (const Xvfb_Server* on : {&server, &plain}) {
        const bool shared = on == &server;
        SCOPED_TRACE(shared ? "shared memory" : "no shared memory");
        setenv("DISPLAY", on->Display().c_str(), 1);
        ASSERT_EQ(Plat_Open("Veltran Window", Window_Proc), PLAT_OPEN_OK) << Plat_Error();
        EXPECT_EQ(std::string(Plat_Present_Way()).find("shared") != std::string::npos, shared)
            << Plat_Present_Way();
        Picture picture;
        for (int frame = 0; frame < 30; ++frame) {
            for (int x = frame % 7; x < 640; x += 37)
                picture.pixels[static_cast<size_t>(frame * 23 % 480) * 640 + x] ^= 0x3C;
            Plat_Present(picture.pixels.data(), 640, picture.palette);
        }
        EXPECT_TRUE(Shown(picture, on->Display()));
        Plat_Close();
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
}

// The real program on the server, its pointer driven as a tool or a touch screen
// does: each click comes as a move, a press and a release at once.
class Program_On_X {
  public:
    explicit Program_On_X(const Scratch_Dir& dir) : dir_(dir) {
        dir.Remove("Report.txt");
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(dir.path().c_str()) != 0) _exit(127);
            unsetenv("VELTRAN_SCRIPT");
            execl(VELTRAN_EXE, VELTRAN_EXE, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Program_On_X() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    // Waits up to 20 s for the log to hold the line.
    bool Logged(const std::string& line) const {
        for (int i = 0; i < 400; ++i) {
            if (dir_.Read("Report.txt").find(line) != std::string::npos) return true;
            usleep(50000);
        }
        return false;
    }

  private:
    const Scratch_Dir& dir_;
    pid_t pid_ = -1;
};

TEST_P(X11_Test, AnInstantClickReachesTheTitleTheBookListsLabelsAndItsButton) {
    // Full screen on 1280 x 1024: the picture twice its size, 32 pixels down.
    auto on_screen = [](int x, int y) { return std::pair<int, int>{2 * x, 32 + 2 * y}; };
    for (bool label : {true, false}) {
        SCOPED_TRACE(label ? "a book's label" : "the button under the list");
        Scratch_Dir dir;
        dir.Link_Bundled_Data(true);
        Program_On_X program(dir);
        ASSERT_TRUE(program.Logged("хорошо исполнена"));
        usleep(300000);
        auto [nx, ny] = on_screen(320, 210);  // НОВАЯ ИГРА
        if (!X_Quick_Click(server.Display().c_str(), nx, ny)) GTEST_SKIP() << "built without XTest";
        ASSERT_TRUE(program.Logged("Select_HSBook"));
        usleep(300000);
        // Авдий, or "По порядку, начиная с первой" (Бытие).
        auto [bx, by] = label ? on_screen(195, 319) : on_screen(320, 440);
        ASSERT_TRUE(X_Quick_Click(server.Display().c_str(), bx, by));
        EXPECT_TRUE(program.Logged(label ? "HScripts/Avdey.txt" : "HScripts/Bytie.txt"));
    }
}

// F11 switches to a window and the next start remembers it. On a 1700 x 1300 screen full screen
// fills the width and reaches (100, 100); the window is twice the picture, in the middle.
TEST_P(X11_Test, F11IsRememberedAcrossARestart) {
    Xvfb_Server big("1700x1300x24");
    ASSERT_TRUE(big.Running());
    setenv("DISPLAY", big.Display().c_str(), 1);
    Scratch_Dir dir;
    dir.Link_Bundled_Data(true);
    auto corner_lit = [&] {
        int w = 0, h = 0;
        std::vector<uint32_t> px;
        for (int i = 0; i < 100; ++i) {
            usleep(50000);
            if (X_Read_Screen(big.Display().c_str(), &w, &h, &px) && px[100 * w + 100] != 0)
                return true;
        }
        return false;
    };
    auto settings_say = [&](const char* line) {
        for (int i = 0; i < 100; ++i, usleep(50000))
            if (dir.Read("settings.conf").find(line) != std::string::npos) return true;
        return false;
    };
    {
        Program_On_X program(dir);
        ASSERT_TRUE(program.Logged("хорошо исполнена"));
        EXPECT_TRUE(corner_lit());
        if (!X_Quick_Key(big.Display().c_str(), "F11")) GTEST_SKIP() << "built without XTest";
        EXPECT_TRUE(settings_say("fullscreen = no"));
        ASSERT_TRUE(X_Quick_Key(big.Display().c_str(), "F9"));  // whole factors, and back
        EXPECT_TRUE(settings_say("scale = whole"));
        ASSERT_TRUE(X_Quick_Key(big.Display().c_str(), "F9"));
        EXPECT_TRUE(settings_say("scale = sharp"));
    }
    {
        Program_On_X program(dir);
        ASSERT_TRUE(program.Logged("хорошо исполнена"));
        usleep(500000);
        EXPECT_FALSE(corner_lit());  // a window, remembered
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
}

// Full screen on a 1280 x 800 screen (a handheld, a small laptop): the 4:3 picture
// as high as the screen, 1067 pixels wide in the middle, every block of the picture
// in its colour; the mouse lands where the picture shows it.
TEST_P(X11_Test, FullScreenFillsTheHeightOfA1280x800Screen) {
    Xvfb_Server small("1280x800x24");
    ASSERT_TRUE(small.Running());
    setenv("DISPLAY", small.Display().c_str(), 1);
    ASSERT_EQ(Plat_Open("Veltran Window", Window_Proc), PLAT_OPEN_OK) << Plat_Error();
    Picture picture;
    int w = 0, h = 0;
    std::vector<uint32_t> screen;
    ASSERT_TRUE(Present_And_Read(picture, small.Display(), &w, &h, &screen));
    const Plat_Layout l = Plat_Layout_For(1280, 800, Plat_Scale::Sharp);
    ASSERT_EQ(l.w, 1067);
    int wrong = 0;
    for (int by = 0; by < 480; by += 5)
        for (int bx = 0; bx < 637; bx += 7) {  // the middle of each 7 x 5 block
            const int x = l.x + (2 * (bx + 3) + 1) * l.w / 1280;
            const int y = l.y + (2 * (by + 2) + 1) * l.h / 960;
            wrong += screen[static_cast<size_t>(y) * w + x] != picture.Colour(bx + 3, by + 2);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(screen[400 * w + l.x / 2], 0u);  // the bars are black
    EXPECT_EQ(screen[400 * w + l.x + l.w + l.x / 2], 0u);
    if (std::string(GetParam()) == "surface") {
        // Quick frames of changes in several places apart, and whole new pictures
        // one after another, more than the memory shared with the server holds:
        // the screen is, to the byte, the picture scaled whole.
        for (int frame = 0; frame < 40; ++frame) {
            if (frame % 13 >= 10)
                for (uint8_t& p : picture.pixels) p = static_cast<uint8_t>(p * 5 + frame);
            // The right edge too, where the scaler draws columns to the left.
            picture.pixels[static_cast<size_t>(frame * 11 % 480) * 640 + 638] ^= 0x33;
            for (int k = 0; k < 4; ++k) {
                const int x = (frame * 37 + k * 160) % 637, y = (frame * 23 + k * 120) % 477;
                for (int dy = 0; dy < 3; ++dy)
                    for (int dx = 0; dx < 3; ++dx)
                        picture.pixels[static_cast<size_t>(y + dy) * 640 + x + dx] ^= 0x5A;
            }
            Plat_Present(picture.pixels.data(), 640, picture.palette);
        }
        ASSERT_TRUE(Present_And_Read(picture, small.Display(), &w, &h, &screen));
        uint32_t lut[256];
        for (int i = 0; i < 256; ++i)
            lut[i] = (uint32_t{picture.palette[4 * i]} << 16) |
                     (uint32_t{picture.palette[4 * i + 1]} << 8) | picture.palette[4 * i + 2];
        Plat_Sharp_Scaler scaler;
        scaler.Prepare(l);
        std::vector<uint32_t> want(static_cast<size_t>(w) * h, 0);
        scaler.Draw(picture.pixels.data(), lut, scaler.Window_Rect(Plat_Rect{0, 0, 640, 480}),
                    want.data(), w);
        EXPECT_TRUE(screen == want);
    }
    int px = 0, py = 0;
    ASSERT_TRUE(Pointer_At(l.x + 533, 400, &px, &py, &small));
    EXPECT_EQ(px, 319);
    EXPECT_EQ(py, 240);
    ASSERT_TRUE(Pointer_At(l.x + l.w - 1, 799, &px, &py, &small));
    EXPECT_EQ(px, 639);
    EXPECT_EQ(py, 479);
    Plat_Close();
    setenv("DISPLAY", server.Display().c_str(), 1);
}

// A finger's tap is a click where the picture shows the point, scaled sharp or by
// whole factors: the script's taps come as a touch screen's events through SDL.
TEST_P(X11_Test, ATapOpensTheBookUnderItInEitherScaling) {
    Xvfb_Server small("1280x800x24");
    ASSERT_TRUE(small.Running());
    setenv("DISPLAY", small.Display().c_str(), 1);
    for (const char* scale : {"sharp", "whole"}) {
        Scratch_Dir dir;
        dir.Link_Bundled_Data(true);
        dir.Write("settings.conf", std::string("scale = ") + scale + "\n");
        const Program_Run run = Run_Program(
            dir, "wait 500\ntap 320 210\nwait 1500\ntap 195 319\nwait 1500\n", {"VELTRAN_SHOW=1"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.report.find("\n Чтение книги: HScripts/Avdey.txt"), std::string::npos)
            << scale;
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, X11_Test, ::testing::Values("surface", "renderer"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

}  // namespace
