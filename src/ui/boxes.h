// Modal boxes: a notice with OK, a yes/no question, and the session results.
// Each runs its own loop over what the caller left in the back buffer.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/font.h"
#include "ui/screen_loop.h"
#include "ui/text_lines.h"
#include "ui/widgets.h"

class Message_Box {
  public:
    explicit Message_Box(const char* text);
    Message_Box(const Message_Box&) = delete;
    Message_Box& operator=(const Message_Box&) = delete;
    int Run();
    void Draw(Surface* surface);
    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> ok;
    int32_t ready = 0;
    char text[71] = {};
};

// What a question was answered: ДА, НЕТ, or nothing because the program (or the
// screens over a game) are being left.
enum class Answer { No, Yes, Left };

class Confirm_Box {
  public:
    explicit Confirm_Box(const char* text);
    Confirm_Box(const Confirm_Box&) = delete;
    Confirm_Box& operator=(const Confirm_Box&) = delete;
    Answer Run();
    void Draw(Surface* surface);
    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> yes, no;
    char text[71] = {};
    int32_t ready = 0;
};

class Results_Box {
  public:
    explicit Results_Box(Text_Lines* lines);
    ~Results_Box();
    Results_Box(const Results_Box&) = delete;
    Results_Box& operator=(const Results_Box&) = delete;
    int Run();
    void Draw(Surface* surface);
    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<cls_Button_Standart> ok;
    Font font;
    int32_t ready = 0;
    Text_Lines* lines;
    char title[71] = {};
};

// The loop of a box with one OK button: Space, Enter or Escape press it too; 1.
template <typename Draw>
int Run_Ok_Box(cls_Button_Standart* ok, Draw draw) {
    Box_Loop([](int*) { return false; },
             [&](int* result) {
                 Ok_Keys_Press(ok);
                 *result = 1;
                 return ok->Update() != 0;
             },
             draw, 1);
    return 1;
}

// Panel sizes of the boxes, from their texts.
int Message_Box_Width(const char* text);
int Confirm_Box_Width(const char* text);
