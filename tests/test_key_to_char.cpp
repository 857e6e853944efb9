// Key to character: both layouts, Shift, Tab and the 100 ms gate between presses.
#include <gtest/gtest.h>

#include "shared_state.h"

#include "app/input.h"
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

TEST_F(Key_To_Char_Test, LettersAreCapitalWithoutShiftAndSmallWithIt) {
    EXPECT_EQ(Press('A'), 'A');
    EXPECT_EQ(Press('A', true), 'a');
    EXPECT_EQ(Press('Z', true), 'z');
    Kbd_Layout = Kbd_Rus;
    EXPECT_EQ(Press('A'), 212);        // Ф
    EXPECT_EQ(Press('A', true), 244);  // ф
    EXPECT_EQ(Press('Q'), 201);        // Й
    EXPECT_EQ(Press('Z'), 223);        // Я
    EXPECT_EQ(Press('Z', true), 255);  // я
}

TEST_F(Key_To_Char_Test, TheRussianLettersSitWhereTheRussianKeyboardHasThem) {
    // The three letter rows of a Russian keyboard over the rows of a US one.
    const struct {
        const char* us;
        const char* ru;
    } rows[] = {{"QWERTYUIOP", "ЙЦУКЕНГШЩЗ"}, {"ASDFGHJKL", "ФЫВАПРОЛД"}, {"ZXCVBNM", "ЯЧСМИТЬ"}};
    Kbd_Layout = Kbd_Rus;
    int letters = 0;
    for (const auto& row : rows)
        for (size_t i = 0; row.us[i] != '\0'; ++i, ++letters) {
            const uint8_t capital = static_cast<uint8_t>(row.ru[i]);
            EXPECT_EQ(Press(row.us[i]), capital) << row.us[i];
            EXPECT_EQ(Press(row.us[i], true), capital + 32) << row.us[i];
        }
    EXPECT_EQ(letters, 26);
    // And the punctuation keys that carry letters there.
    EXPECT_EQ(Press(VK_OEM_4), static_cast<uint8_t>('Х'));
    EXPECT_EQ(Press(VK_OEM_6), static_cast<uint8_t>('Ъ'));
    EXPECT_EQ(Press(VK_OEM_7), static_cast<uint8_t>('Э'));
    EXPECT_EQ(Press(VK_OEM_COMMA), static_cast<uint8_t>('Б'));
    EXPECT_EQ(Press(VK_OEM_PERIOD, true), static_cast<uint8_t>('ю'));
}

TEST_F(Key_To_Char_Test, DigitsAndTheirShiftedSymbolsFollowTheLayout) {
    EXPECT_EQ(Press('7'), '7');
    EXPECT_EQ(Press('2', true), '@');
    EXPECT_EQ(Press('0', true), ')');
    Kbd_Layout = Kbd_Rus;
    EXPECT_EQ(Press('2', true), '"');
    EXPECT_EQ(Press('3', true), '#');
    EXPECT_EQ(Press('4', true), ';');
    EXPECT_EQ(Press('7', true), '?');
    EXPECT_EQ(Press('5'), '5');
}

TEST_F(Key_To_Char_Test, PunctuationDependsOnTheLayout) {
    EXPECT_EQ(Press(VK_OEM_1), ';');
    EXPECT_EQ(Press(VK_OEM_7, true), '"');
    EXPECT_EQ(Press(VK_OEM_5, true), '|');
    Kbd_Layout = Kbd_Rus;
    EXPECT_EQ(Press(VK_OEM_1), 198);        // Ж
    EXPECT_EQ(Press(VK_OEM_3), 168);        // Ё
    EXPECT_EQ(Press(VK_OEM_3, true), 184);  // ё
    EXPECT_EQ(Press(VK_OEM_2), '.');
    EXPECT_EQ(Press(VK_OEM_2, true), ',');
    EXPECT_EQ(Press(VK_OEM_5, true), '/');
}

TEST_F(Key_To_Char_Test, LayoutFreeKeysAreTheSameInBoth) {
    for (int layout : {Kbd_Eng, Kbd_Rus}) {
        Kbd_Layout = layout;
        EXPECT_EQ(Press(VK_OEM_PLUS), '+');
        EXPECT_EQ(Press(VK_OEM_PLUS, true), '=');
        EXPECT_EQ(Press(VK_OEM_MINUS, true), '_');
        EXPECT_EQ(Press(VK_BACK), 8);
        EXPECT_EQ(Press(VK_SPACE, true), ' ');
        EXPECT_EQ(Press(VK_DIVIDE), '/');
    }
}

TEST_F(Key_To_Char_Test, OtherKeysProduceNothing) {
    EXPECT_EQ(Press(0x60), 0);  // numeric keypad 0
    EXPECT_EQ(Press(VK_LEFT), 0);
    EXPECT_EQ(Press(VK_F11), 0);
}

TEST_F(Key_To_Char_Test, AHeldKeyGivesACharacterAtMostEvery100Ms) {
    Plat_Clock_Set(5000);
    Key_To_Char('B');
    EXPECT_EQ(Typed_Char, 'B');
    Plat_Clock_Set(5050);
    Key_To_Char('B');
    // An ignored press still clears the character.
    EXPECT_EQ(Typed_Char, 0);
    // Shift alone between two presses does not reset the gap.
    Plat_Clock_Set(5060);
    Key_To_Char(VK_SHIFT);
    Plat_Clock_Set(5099);
    Key_To_Char('B');
    EXPECT_EQ(Typed_Char, 0);
    Plat_Clock_Set(5100);
    Key_To_Char('B');
    EXPECT_EQ(Typed_Char, 'B');
}

TEST_F(Key_To_Char_Test, TabSwitchesLayoutOnceWithin100Ms) {
    Plat_Clock_Set(7000);
    Key_To_Char(VK_TAB);
    EXPECT_EQ(Kbd_Layout, Kbd_Rus);
    EXPECT_EQ(Typed_Char, 0);
    Plat_Clock_Set(7040);
    Key_To_Char(VK_TAB);
    EXPECT_EQ(Kbd_Layout, Kbd_Rus);
    Plat_Clock_Set(7100);
    Key_To_Char(VK_TAB);
    EXPECT_EQ(Kbd_Layout, Kbd_Eng);
}

TEST_F(Key_To_Char_Test, WindowProcKeepsMouseAndTypedCharacter) {
    Plat_Clock_Set(9000);
    Window_Proc(WM_MOUSEMOVE, 0, (479 << 16) | 639);
    EXPECT_EQ(Mouse_X, 639);
    EXPECT_EQ(Mouse_Y, 479);
    Window_Proc(WM_KEYDOWN, 'K', 1);
    EXPECT_EQ(Typed_Char, 'K');
}

}  // namespace
