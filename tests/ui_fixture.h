// A scratch working folder with the bundled pictures built into sprites, the
// display up and the input on the virtual clock: widgets can be driven and drawn.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "app/input.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform_internal.h"
#include "scratch_cwd.h"

class Ui_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(std::string(VELTRAN_SOURCE_DIR) + "/data/images",
                                                  "images");
        ASSERT_EQ(Report_Open(), 1);
        ASSERT_EQ(Display_Init(), 1);
        ASSERT_EQ(Sprites_Build_Archive(), 1);
        Sprites_Load_All();
        Plat_In_Reset();
        Plat_Clock_Set_Virtual(true);
        Plat_Clock_Set(10000);
        Mouse_X = Mouse_Y = 0;
        Typed_Char = 0;
        Kbd_Layout = Kbd_Eng;
        Key_Repeat_Time = 0;
    }
    void TearDown() override {
        Sprites_Release_All();
        Display_Release();
        Plat_In_Reset();
    }
    void Move(int x, int y) {
        Mouse_X = x;
        Mouse_Y = y;
    }
    void Button(bool down) { Plat_In_Mouse_Button(VK_LBUTTON, down); }
    void Advance(uint32_t ms) { Plat_Clock_Advance(ms); }
    Scratch_Cwd cwd;
};
