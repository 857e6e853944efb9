// Key to character: both layouts, Shift, Tab and the 100 ms gate between presses.
#include <gtest/gtest.h>

#include "shared_state.h"

#include "platform/shell_input.h"
#include "platform/platform_internal.h"

namespace {

class Key_To_Char_Test : public Shared_State_Test {
  protected:
    void SetUp() override { Reset_Shared_State(1000); }

    // One key press 200 ms after the last, so the gate never interferes.
    uint8_t Press(int vk, bool shift = false) {
        Plat_Clock_Advance(200);
        Plat_In_Key(VK_SHIFT, DIK_LSHIFT, shift, false);
        Key_To_Char(vk);
        Plat_In_Key(VK_SHIFT, DIK_LSHIFT, false, false);
        return Typed_Char;
    }
};

// Each key in each layout, with and without Shift (0: the key types nothing).
TEST_F(Key_To_Char_Test, EveryKeyTypesItsCharacterInBothLayouts) {
    const struct {
        int vk;
        bool shift;
        int eng, rus;
    } keys[] = {
        {'A', true, 'a', 244},       {'2', true, '@', '"'},           {'4', true, '$', ';'},
        {'7', true, '&', '?'},       {VK_OEM_1, false, ';', 198},     {VK_OEM_3, true, '~', 184},
        {VK_OEM_7, true, '"', 253},  {VK_OEM_2, false, '/', '.'},     {VK_OEM_5, true, '|', '/'},
        {VK_OEM_6, false, ']', 218}, {VK_OEM_PERIOD, true, '>', 254}, {VK_OEM_PLUS, true, '=', '='},
        {VK_BACK, false, 8, 8},      {VK_SPACE, true, ' ', ' '},      {VK_DIVIDE, false, '/', '/'},
        {0x60, false, 0, 0},         {VK_F11, false, 0, 0},
    };
    for (const auto& k : keys) {
        Kbd_Layout = Kbd_Eng;
        EXPECT_EQ(Press(k.vk, k.shift), k.eng) << k.vk << (k.shift ? " shifted" : "");
        Kbd_Layout = Kbd_Rus;
        EXPECT_EQ(Press(k.vk, k.shift), k.rus) << k.vk << (k.shift ? " shifted" : "");
    }
    // The three letter rows of a Russian keyboard over the rows of a US one.
    const struct {
        const char* us;
        const char* ru;
    } rows[] = {{"QWERTYUIOP", "ЙЦУКЕНГШЩЗ"}, {"ASDFGHJKL", "ФЫВАПРОЛД"}, {"ZXCVBNM", "ЯЧСМИТЬ"}};
    for (const auto& row : rows)
        for (size_t i = 0; row.us[i] != '\0'; ++i) {
            const uint8_t capital = static_cast<uint8_t>(row.ru[i]);
            EXPECT_EQ(Press(row.us[i]), capital) << row.us[i];
            EXPECT_EQ(Press(row.us[i], true), capital + 32) << row.us[i];
        }
}

TEST_F(Key_To_Char_Test, AHeldKeyGivesACharacterAtMostEvery100Ms) {
    Clock_At(5000);
    Key_To_Char('B');
    EXPECT_EQ(Typed_Char, 'B');
    Clock_At(5050);
    Key_To_Char('B');
    // An ignored press still clears the character.
    EXPECT_EQ(Typed_Char, 0);
    // Shift alone between two presses does not reset the gap.
    Clock_At(5060);
    Key_To_Char(VK_SHIFT);
    Clock_At(5099);
    Key_To_Char('B');
    EXPECT_EQ(Typed_Char, 0);
    Clock_At(5100);
    Key_To_Char('B');
    EXPECT_EQ(Typed_Char, 'B');
}

TEST_F(Key_To_Char_Test, TabSwitchesLayoutOnceWithin100Ms) {
    Clock_At(7000);
    Key_To_Char(VK_TAB);
    EXPECT_EQ(Kbd_Layout, Kbd_Rus);
    EXPECT_EQ(Typed_Char, 0);
    Clock_At(7040);
    Key_To_Char(VK_TAB);
    EXPECT_EQ(Kbd_Layout, Kbd_Rus);
    Clock_At(7100);
    Key_To_Char(VK_TAB);
    EXPECT_EQ(Kbd_Layout, Kbd_Eng);
}

}  // namespace
