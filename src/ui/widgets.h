// The widgets every screen is made of: a bordered panel, a text button, an arrow
// button with auto-repeat, the main-menu button, a vertical scroll bar and a
// clickable text label. Each is updated once per frame from the shared input
// state and draws itself with its one virtual operation. The classes are final:
// each is deleted as its own type.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/font.h"
#include "graphics/sprites.h"
#include "graphics/surface.h"

// The states of the buttons that click when released over them (main-menu buttons
// and labels). Clicked lasts exactly one update.
enum Click_State : int32_t {
    Click_Idle = -1,
    Click_Hover = 0,
    Click_Pressed = 1,
    Click_Clicked = 2,
};

// The mouse inside a rectangle, edges included.
bool Mouse_Inside(int left, int top, int right, int bottom);
bool Left_Button_Down();
bool Left_Button_Clicked();

class cls_Desk_Rect final {
  public:
    cls_Desk_Rect(int x1, int y1, int x2, int y2);
    virtual void Draw(Surface* surface);
    // The rectangle inside the border; returns its width.
    int Inner_Rect(int* left, int* top, int* right, int* bottom) const;
    int32_t left, top, right, bottom;
};

// A panel of width x height in the middle of the screen.
cls_Desk_Rect Centred_Panel(int width, int height);
// Text centred across the panel's inner rectangle at y, in the font as coloured.
void Panel_Centred_Text(const cls_Desk_Rect& panel, int y, const char* text, const Font* font,
                        Surface* surface);
// The thin rule across the panel's inner rectangle, 3 pixels from y down.
void Panel_Rule(const cls_Desk_Rect& panel, int y, Surface* surface);

class cls_Button_Standart final {
  public:
    cls_Button_Standart(int x, int y, const char* label, const Font* font);
    ~cls_Button_Standart();
    cls_Button_Standart(const cls_Button_Standart&) = delete;
    cls_Button_Standart& operator=(const cls_Button_Standart&) = delete;
    virtual void Draw(Surface* surface);
    int Update();
    void Press();
    int32_t left, top, right, bottom;
    Sprite image_up, image_down;
    int32_t fired = 0, pressed = 0;
    uint32_t press_time = 0, press_duration = 300;
};

class cls_Button_Arrow final {
  public:
    cls_Button_Arrow(int x, int y, int ignored, int direction);
    virtual void Draw(Surface* surface);
    int Update();
    int32_t x, y;
    int32_t fired = 0, pressed = 0;
    uint32_t press_time = 0, repeat_delay = 300;
    const Sprite* sprite_up;
    const Sprite* sprite_down;
};

class cls_BtnMainTitle final {
  public:
    cls_BtnMainTitle(const Sprite* label, int left, int top, int right, int bottom);
    virtual void Draw(Surface* surface);
    int Update();
    const Sprite* label;
    int32_t left, top, right, bottom;
    int32_t state = Click_Idle;
};

class cls_VScroll_Control final {
  public:
    cls_VScroll_Control(int x, int y, int bottom, int ignored, int maximum, int ignored2);
    virtual void Draw(Surface* surface);
    int Update();
    void Set_Range(int maximum);
    int Thumb_Y() const;
    int32_t left, top, right, bottom, track_top, track_bottom;
    int32_t minimum = 0, maximum = 1, position = 0;
    cls_Button_Arrow up, down;
};

class Label_Button {
  public:
    Label_Button(int x, int y, const char* text, int disabled);
    // One label less uses the shared fonts; they are freed with the last.
    ~Label_Button();
    Label_Button(const Label_Button&) = delete;
    Label_Button& operator=(const Label_Button&) = delete;
    void Draw(Surface* surface) const;
    int Update();
    char text[128] = {};
    int32_t state = Click_Idle;
    int32_t colours[4] = {69, 56, 96, 80};  // disabled, idle, under the cursor, pressed
    int32_t left, top, right, bottom;
    int32_t disabled;
};

// Updates a list of labels; the index of the (last) label clicked, or -1.
int Labels_Update(const std::unique_ptr<Label_Button>* labels, int count);
