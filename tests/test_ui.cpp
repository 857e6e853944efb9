// The UI toolkit: line wrapping and the tickers' arithmetic, the widgets' state
// machines driven with a fake mouse and clock, box sizes, and the name field.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/title.h"
#include "scripture/book_table.h"
#include "scripture/hs_book.h"
#include "ui/boxes.h"
#include "ui/name_line.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"
#include "ui_fixture.h"

namespace {

// --- text lines and tickers ---------------------------------------------------------

TEST(Text_Lines_Store, CutsHardWithoutBlanksAndGrowsWhenFull) {
    Text_Lines t(64, 300);
    const std::string long_word(350, 'x');
    ASSERT_EQ(t.Add_Text(long_word.c_str()), 1);
    ASSERT_EQ(t.Line_Count(), 2);
    EXPECT_EQ(std::strlen(t.Get_Line(0)), 300u);
    EXPECT_EQ(std::string(t.Get_Line(1)), " " + std::string(50, 'x'));
    for (int i = 0; i < 40; ++i) ASSERT_EQ(t.Add_Text("line of some length"), 1);
    EXPECT_STREQ(t.Get_Line(41), "line of some length");
    EXPECT_EQ(std::strlen(t.Get_Line(1)), 51u);
}

TEST_F(Ui_Test, VerticalTickerMovesEvery10MsAndStartsOverAtTheEnd) {
    Text_Lines lines(64, 300);
    lines.Add_Text("ab");  // the stream is "ab" and two blanks: 4 letters
    Vertical_Ticker ticker(&lines, 0, 480);
    Advance(10);
    ticker.Draw(Back_Buffer);
    EXPECT_EQ(ticker.y, 476);
    ticker.Draw(Back_Buffer);  // no time passed: no move
    EXPECT_EQ(ticker.y, 476);
    ticker.y = -3 * 32;  // the last letter cell is still in view
    Advance(10);
    ticker.Draw(Back_Buffer);
    EXPECT_EQ(ticker.y, -3 * 32 - 4);
    ticker.y = -4 * 32 + 4;
    Advance(10);
    ticker.Draw(Back_Buffer);  // the whole stream has left the column
    EXPECT_EQ(ticker.y, 480);
}

TEST_F(Ui_Test, HorizontalTickerWithNoTextReturnsToItsStartEveryFrame) {
    Horizontal_Ticker ticker;
    ticker.Draw(Back_Buffer);
    EXPECT_EQ(ticker.x, 640);
    ASSERT_EQ(ticker.Add_Text("Глава 1"), 1);
    EXPECT_EQ(ticker.Length(), 9);
    ticker.Draw(Back_Buffer);
    EXPECT_EQ(ticker.x, 635);
    const std::string big(25000, 'q');
    ASSERT_EQ(ticker.Add_Text(big.c_str()), 1);
    EXPECT_EQ(ticker.Length(), 9 + 25002);
}

// --- widgets --------------------------------------------------------------------------

TEST_F(Ui_Test, TextButtonFires300MsAfterItsPressWhateverTheMouseDoes) {
    cls_Button_Standart b(100, 100, "OK", &Font_8x16);
    EXPECT_EQ(b.right - b.left, 24);
    EXPECT_EQ(b.bottom - b.top, 23);
    Move(110, 110);
    Button(true);
    EXPECT_EQ(b.Update(), 0);
    EXPECT_EQ(b.pressed, 1);
    Move(400, 400);  // leaves it, still holding
    Advance(299);
    EXPECT_EQ(b.Update(), 0);
    Advance(1);
    EXPECT_EQ(b.Update(), 1);
    EXPECT_EQ(b.fired, 1);
    EXPECT_EQ(b.Update(), 0);
    EXPECT_EQ(b.fired, 0);
    // The pressed face is the rest face shifted one pixel right and down (and not
    // the same picture: the label's pixels move).
    const Surface* up = b.image_up.surface;
    const Surface* down = b.image_down.surface;
    int shifted_same = 0, unshifted_same = 0, inner = 0;
    for (int y = 1; y < up->height; ++y)
        for (int x = 1; x < up->width; ++x) {
            ++inner;
            shifted_same +=
                down->pixels[y * down->pitch + x] == up->pixels[(y - 1) * up->pitch + x - 1];
            unshifted_same += down->pixels[y * down->pitch + x] == up->pixels[y * up->pitch + x];
        }
    EXPECT_EQ(shifted_same, inner);
    EXPECT_LT(unshifted_same, inner);
}

TEST_F(Ui_Test, ArrowActsOnceOnAShortClickAndEveryUpdateWhenHeld) {
    cls_Button_Arrow a(200, 200, 0, 3);
    Move(205, 205);
    Button(true);
    EXPECT_EQ(a.Update(), 0);  // a press never acts in its own update
    Advance(100);
    EXPECT_EQ(a.Update(), 0);
    Button(false);
    EXPECT_EQ(a.Update(), 1);  // released within 300 ms: acts once
    EXPECT_EQ(a.Update(), 0);
    Button(true);
    a.Update();
    int acts = 0;
    for (int i = 0; i < 10; ++i) {
        Advance(100);
        acts += a.Update();
    }
    EXPECT_EQ(acts, 7);  // after the 300 ms, every update
    Button(false);
    Advance(30);
    EXPECT_EQ(a.Update(), 0);  // no extra action on release
}

TEST_F(Ui_Test, MainMenuButtonCancelsWhenDraggedOff) {
    cls_BtnMainTitle b(nullptr, 160, 185, 481, 235);
    Move(300, 200);
    EXPECT_EQ(b.Update(), 0);
    EXPECT_EQ(b.state, 0);
    Button(true);
    b.Update();
    EXPECT_EQ(b.state, 1);
    Move(10, 10);
    b.Update();
    EXPECT_EQ(b.state, -1);
    Button(false);  // released off the button: no click
    b.Update();
    EXPECT_EQ(b.state, -1);
    Move(300, 200);
    EXPECT_EQ(b.Update(), 0);
    EXPECT_EQ(b.state, 0);
    Button(true);
    b.Update();
    Button(false);
    EXPECT_EQ(b.Update(), 1);
    EXPECT_EQ(b.state, 2);
    b.Update();
    EXPECT_EQ(b.state, -1);  // clicked lasts one update
}

TEST_F(Ui_Test, ScrollBarMapsTheTrackOntoItsRange) {
    cls_VScroll_Control bar(600, 100, 400, 0, 0, 0);
    EXPECT_EQ(bar.maximum, 1);
    bar.Set_Range(10);
    Move(605, bar.track_top);
    Button(true);
    EXPECT_EQ(bar.Update(), 1);
    EXPECT_EQ(bar.position, 0);
    Move(605, bar.track_bottom + 15);
    EXPECT_EQ(bar.Update(), 1);
    EXPECT_EQ(bar.position, 10);
    EXPECT_EQ(bar.Thumb_Y(), bar.track_bottom);
    Move(605, bar.track_bottom + 16);
    EXPECT_EQ(bar.Update(), 0);
}

// --- boxes ------------------------------------------------------------------------------

class Box_Test : public Ui_Test {
  protected:
    // Plays the script against the boxes run next.
    void Script(const std::string& text) {
        std::vector<Script_Command> c;
        std::string err;
        ASSERT_TRUE(Script_Parse(text, &c, &err)) << err;
        Script_Start(c);
        start = Plat_Tick();
    }
    uint32_t Took() const { return Plat_Tick() - start; }
    uint32_t start = 0;
};

TEST_F(Box_Test, AYesThatFiredStandsEvenWhenTheQuitComesRightAfter) {
    // ДА fires 300 ms after Enter; the quit is queued in the very next frame.
    Script("key RETURN\nwait 330\nquit\n");
    Confirm_Box q("ВЫЙТИ В МЕНЮ?");
    EXPECT_EQ(q.Run(), Answer::Yes);
    Script_Stop();
    Input_State_Reset();
    Script("wait 100\nquit\n");
    Confirm_Box q2("ВЫЙТИ В МЕНЮ?");
    EXPECT_EQ(q2.Run(), Answer::Left);  // left without an answer
}

TEST_F(Box_Test, NoticeAndResultsCloseOnTheirKeysThreeHundredMsLater) {
    for (const char* key : {"SPACE", "RETURN", "ESCAPE"}) {
        Script(std::string("wait 100\nkey ") + key + "\nwait 5000\n");
        Message_Box m("ПАУЗА");
        EXPECT_EQ(m.Run(), 1);
        EXPECT_GE(Took(), 400u) << key;
        EXPECT_LE(Took(), 440u) << key;
        Script_Stop();
    }
    Text_Lines lines(1024, 40);
    lines.Add_Text("Сессия успешно выполнена.");
    Results_Box r(&lines);
    const int x = (r.ok->left + r.ok->right) / 2, y = (r.ok->top + r.ok->bottom) / 2;
    Script("wait 200\nclick " + std::to_string(x) + " " + std::to_string(y) + "\nwait 5000\n");
    EXPECT_EQ(r.Run(), 1);
    EXPECT_GE(Took(), 500u);
    EXPECT_LE(Took(), 540u);
    Script_Stop();
    Script("wait 50\nquit\n");
    Message_Box gone("КОНЕЦ ИГРЫ");
    EXPECT_EQ(gone.Run(), 1);  // the quit closes it at once
    EXPECT_LE(Took(), 100u);
}

TEST_F(Box_Test, AKeyThatClosedABoxIsNotLeftForTheNextScreen) {
    // Space and Enter pressed together and held: Space presses OK, and Enter's
    // press must not wait behind it for the screen that comes next.
    Script("down SPACE\ndown RETURN\nwait 5000\n");
    Message_Box m("ПАУЗА");
    m.Run();
    EXPECT_LT(Took(), 400u);
    EXPECT_FALSE(Key_Clicked(VK_RETURN));
    Confirm_Box q("ВЫЙТИ В МЕНЮ?");
    Script_Stop();
    Input_State_Reset();
    Script("down ESCAPE\ndown RETURN\nwait 5000\n");
    EXPECT_EQ(q.Run(), Answer::Yes);  // Enter is asked before Escape in a question
    EXPECT_FALSE(Key_Clicked(VK_SPACE));
}

// --- name field ------------------------------------------------------------------------------

class Name_Test : public Ui_Test {
  protected:
    // One frame in which the key is pressed (and typed, for characters).
    void Key(int vk, int dik = 0) {
        Plat_In_Key(vk, dik, true, false);
        Advance(150);
        Key_To_Char(vk);
        line->Update_And_Draw(Back_Buffer);
        Plat_In_Key(vk, dik, false, false);
    }
    void SetUp() override {
        Ui_Test::SetUp();
        line = std::make_unique<Name_Line>(70, 150, 570, 160);
        Move(100, 155);
        Button(true);
        line->Update_And_Draw(Back_Buffer);
        Button(false);
        ASSERT_EQ(line->focused, 1);
    }
    std::unique_ptr<Name_Line> line;
};

// It starts with the disciple's name, grown to fit its font; typing and editing;
// thirty characters at most.
TEST_F(Name_Test, TypingEditingAndTheLimitOfThirtyCharacters) {
    EXPECT_STREQ(line->text, "ученик Иисуса ...");
    EXPECT_EQ(line->cursor, 17);
    EXPECT_EQ(line->bottom - line->top, 3 * 3 + 2 + 16);
    Key(VK_BACK);
    EXPECT_STREQ(line->text, "ученик Иисуса ..");
    Key('A');
    EXPECT_STREQ(line->text, "ученик Иисуса ..A");
    Key(VK_LEFT);
    Key(VK_LEFT);
    Key(VK_DELETE);
    Key(VK_BACK);  // in the middle: the letter before the cursor goes
    EXPECT_STREQ(line->text, "ученик Иисуса A");
    EXPECT_EQ(line->cursor, 14);
    for (int i = 0; i < 20; ++i) Key(VK_RIGHT);
    EXPECT_EQ(line->cursor, 15);
    Key(VK_DELETE);  // at the end: nothing to delete, the text stays
    EXPECT_STREQ(line->text, "ученик Иисуса A");
    while (std::strlen(line->text) < 30) Key('Z');
    Key('Q');  // a 31st character stays pending
    EXPECT_EQ(std::strlen(line->text), 30u);
    EXPECT_EQ(Typed_Char, 'Q');
    // 500 pixels of 16-pixel letters: 30 visible cells, the view follows the cursor.
    EXPECT_EQ(line->first_visible, 1);
    for (int i = 0; i < 40; ++i) Key(VK_LEFT);
    EXPECT_EQ(line->cursor, 0);
    EXPECT_EQ(line->first_visible, 0);
    Key(VK_BACK);  // at 0: nothing removed
    EXPECT_EQ(std::strlen(line->text), 30u);
}

TEST_F(Name_Test, AClickElsewhereTakesTheFocusAway) {
    Move(10, 400);
    Button(true);
    line->Update_And_Draw(Back_Buffer);
    Button(false);
    EXPECT_EQ(line->focused, 0);
    Key('A');
    EXPECT_STREQ(line->text, "ученик Иисуса ...");
}

// --- the title screen's decorations -------------------------------------------------------------

TEST(Title, CreditVersesAreTheBundledSynodalText) {
    struct Ref {
        int line, book, chapter, first, last;
    };
    const Ref refs[] = {
        {9, 2, 16, 4, 5},     {10, 2, 23, 10, 10},  {11, 3, 25, 3, 3},   {12, 3, 26, 5, 5},
        {13, 5, 24, 21, 21},  {14, 8, 2, 19, 19},   {15, 20, 6, 8, 8},   {16, 20, 13, 11, 11},
        {17, 24, 40, 10, 10}, {18, 34, 2, 1, 1},    {19, 40, 6, 19, 20}, {20, 40, 12, 30, 30},
        {21, 43, 4, 36, 36},  {22, 44, 11, 26, 26}, {23, 61, 6, 19, 19}, {24, 66, 19, 17, 17}};
    for (const Ref& r : refs) {
        HS_Book b;
        const std::string path = std::string(VELTRAN_SOURCE_DIR) + "/data/HScripts/" +
                                 HS_File_Names[r.book - 1] + ".txt";
        ASSERT_EQ(HS_Book_Load(&b, path.c_str()), 1);
        std::string verses;
        for (int v = r.first; v <= r.last; ++v) {
            const char* t = Verse_Text(&b, r.chapter, v);
            while (*t >= '0' && *t <= '9') ++t;
            verses += (v > r.first ? " " : "") + std::string(t + 1);
        }
        const std::string line = Credit_Lines[r.line - 1];
        ASSERT_EQ(line.rfind("   ", 0), 0u);
        EXPECT_NE(line.find(" " + verses), std::string::npos) << "credit line " << r.line;
        EXPECT_EQ(line.size() > 300, r.line == 9) << "credit line " << r.line;
    }
    EXPECT_STREQ(Credit_Lines[24], "     ");
    Text_Lines store(1024, 300);
    for (const char* l : Credit_Lines) ASSERT_EQ(store.Add_Text(l), 1);
    EXPECT_EQ(store.Line_Count(), 26);  // line 9 wraps into two
}

using Title_Test = Shared_State_Test;

TEST_F(Title_Test, LogoSlicesBobBetweenTheirBoundsInOppositeDirections) {
    Surface* s = Surface_Create_Plain(640, 480);
    // Slice 2 at the bottom of its way, moving up (where the program starts it).
    for (int i = 0; i < 82 && (Logo_Offset[1] != 40 || Logo_Speed[1] != -1); ++i) Logo_Draw(s);
    ASSERT_EQ(Logo_Offset[1], 40);
    ASSERT_EQ(Logo_Speed[1], -1);
    ASSERT_EQ(Logo_Offset[0], 0);  // its neighbours at the top, moving down
    for (int i = 0; i < 40; ++i) Logo_Draw(s);
    EXPECT_EQ(Logo_Offset[1], 0);
    Logo_Draw(s);
    EXPECT_EQ(Logo_Offset[1], 0);
    EXPECT_EQ(Logo_Speed[1], 1);
    Logo_Draw(s);
    EXPECT_EQ(Logo_Offset[1], 1);
    EXPECT_EQ(Logo_Offset[0], 38);  // its neighbour turned at the bottom and went back
    Surface_Destroy(s);
}

}  // namespace
