// One reset of the program-wide state for every test fixture: the shared input
// state with the platform's queue and key states, the script, and a virtual clock
// standing at a known time.
#pragma once

#include <gtest/gtest.h>

#include "platform/shell_input.h"
#include "platform/platform_internal.h"

// The virtual clock, standing at ms.
inline void Clock_At(uint32_t ms) {
    Plat_Clock_Set_Virtual(true);
    Plat_Clock_Advance(ms);
}

class Shared_State_Test : public ::testing::Test {
  protected:
    void SetUp() override { Reset_Shared_State(); }
    void TearDown() override { Reset_Shared_State(); }

    // The clock is virtual and reads `now` afterwards.
    static void Reset_Shared_State(uint32_t now = 10000);
};
