// The real window on an X server of the test's own (Xvfb), with and without a
// window manager's help: full screen covers the display, the picture is scaled by
// a whole number with bars, and mouse positions map back onto the picture.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/input.h"
#include "platform/platform_internal.h"
#include "shared_state.h"
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

class X11_Test : public Shared_State_Test {
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
        // The size of the window is the point here, not how it is drawn: SDL's own
        // renderer keeps the system's OpenGL libraries out of the test.
        setenv("SDL_RENDER_DRIVER", "software", 1);
    }
    void TearDown() override {
        Plat_Close();
        if (ignoring) Ignore_System_Leaks(false);
        unsetenv("VELTRAN_WINDOWED");
        unsetenv("SDL_RENDER_DRIVER");
        Shared_State_Test::TearDown();
    }
    // Moves the pointer on the server and returns the picture position the program
    // sees for it.
    bool Pointer_At(int x, int y, int* px, int* py) {
        if (!X_Warp_Pointer(server.Display().c_str(), x, y)) return false;
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

TEST_F(X11_Test, FullScreenCoversTheDisplayWithoutAWindowManager) {
    ASSERT_EQ(Plat_Open("Veltran Window", Window_Proc), PLAT_OPEN_OK) << Plat_Error();
    int w = 0, h = 0;
    ASSERT_TRUE(Plat_Window_Size(&w, &h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
    // Scaled twice with bars of 32 pixels above and below.
    int x = -1, y = -1;
    ASSERT_TRUE(Pointer_At(640, 512, &x, &y));
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    ASSERT_TRUE(Pointer_At(10, 5, &x, &y));  // in the bar: the picture's nearest edge
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 0);
}

TEST_F(X11_Test, AWindowIsTwiceThePictureWhenTheDisplayHasRoom) {
    setenv("VELTRAN_WINDOWED", "1", 1);
    ASSERT_EQ(Plat_Open("Veltran Window", Window_Proc), PLAT_OPEN_OK) << Plat_Error();
    int w = 0, h = 0;
    ASSERT_TRUE(Plat_Window_Size(&w, &h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 960);
}

}  // namespace
