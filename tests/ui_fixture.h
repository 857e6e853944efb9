// A scratch working folder with the bundled pictures built into sprites, the
// display up and the input on the virtual clock: widgets can be driven and drawn.
#pragma once

#include <gtest/gtest.h>

#include "shared_state.h"

#include <filesystem>

#include "platform/shell_input.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform_internal.h"
#include "scratch_cwd.h"

class Ui_Test : public Shared_State_Test {
  protected:
    void SetUp() override {
        Reset_Shared_State();
        Test_Link(std::string(VELTRAN_SOURCE_DIR) + "/data/images", "images");
        ASSERT_EQ(Report_Open(), 1);
        ASSERT_EQ(Display_Init(), 1);
        ASSERT_EQ(Sprites_Build_Archive(), 1);
        Sprites_Load_All();
    }
    void TearDown() override {
        Sprites_Release_All();
        Display_Release();
        Shared_State_Test::TearDown();
    }
    void Move(int x, int y) {
        Mouse_X = x;
        Mouse_Y = y;
    }
    void Button(bool down) { Plat_In_Mouse_Button(VK_LBUTTON, down); }
    void Advance(uint32_t ms) { Plat_Clock_Advance(ms); }
    Scratch_Cwd cwd;
};
