// Widget state machines and drawing.
#include "ui/widgets.h"

#include <algorithm>
#include <cstring>

#include "platform/shell_input.h"
#include "audio/sound.h"
#include "graphics/display.h"
#include "platform/platform.h"

bool Mouse_Inside(int left, int top, int right, int bottom) {
    return Mouse_X >= left && Mouse_X <= right && Mouse_Y >= top && Mouse_Y <= bottom;
}
bool Left_Button_Down() {
    return (Plat_Async_Key_State(VK_LBUTTON) & 0x8000) != 0;
}
bool Left_Button_Clicked() {
    return Key_Clicked(VK_LBUTTON);
}

namespace {
void Play(int slot) {
    if (slot >= 0) Sound_Play(slot);
}
const Sprite* Named(const char* name) {
    return Sprite_Get(name);
}
// A whole sprite copied without its transparent colour.
void Put_Opaque(Surface* dst, int x, int y, const Sprite* s) {
    if (s == nullptr || s->surface == nullptr) return;
    const Rect src{0, 0, s->width, s->height};
    const Rect to{x, y, x + s->width, y + s->height};
    Surface_Blt(dst, &to, s->surface, &src, 0);
}
}  // namespace

// --- panel ------------------------------------------------------------------
cls_Desk_Rect::cls_Desk_Rect(int x1, int y1, int x2, int y2) {
    left = std::min(x1, x2);
    right = std::max(x1, x2);
    top = std::min(y1, y2);
    bottom = std::max(y1, y2);
    if (right - left < 80) right = left + 80;
    if (bottom - top < 80) bottom = top + 80;
}

void cls_Desk_Rect::Draw(Surface* s) {
    Sprite_Tile(Named("Desk"), left, top, right, bottom, s);
    Sprite_Draw(s, left, top, Named("desk_bord_LfTp"));
    Sprite_Draw(s, left, bottom - 40, Named("desk_bord_LfBm"));
    Sprite_Draw(s, right - 40, top, Named("desk_bord_RtTp"));
    Sprite_Draw(s, right - 40, bottom - 40, Named("desk_bord_RtBm"));
    const int h = Sprite_Height("desk_bord_Tp"), w = Sprite_Width("desk_bord_Lf");
    Sprite_Tile(Named("desk_bord_Tp"), left + 40, top, right - 40, top + h, s);
    Sprite_Tile(Named("desk_bord_Bm"), left + 40, bottom - h, right - 40, bottom, s);
    Sprite_Tile(Named("desk_bord_Lf"), left, top + 40, left + w, bottom - 40, s);
    Sprite_Tile(Named("desk_bord_Rt"), right - w, top + 40, right, bottom - 40, s);
}

int cls_Desk_Rect::Inner_Rect(int* l, int* t, int* r, int* b) const {
    *l = left + Sprite_Width("desk_bord_Lf");
    *t = top + Sprite_Height("desk_bord_Tp");
    *r = right - Sprite_Width("desk_bord_Lf");
    *b = bottom - Sprite_Height("desk_bord_Tp");
    return *r - *l;
}

cls_Desk_Rect Centred_Panel(int width, int height) {
    return cls_Desk_Rect(Screen_Width / 2 - width / 2, Screen_Height / 2 - height / 2,
                         Screen_Width / 2 + width / 2, Screen_Height / 2 + height / 2);
}

void Panel_Centred_Text(const cls_Desk_Rect& panel, int y, const char* text, const Font* font,
                        Surface* s) {
    int il, it, ir, ib;
    const int inner_width = panel.Inner_Rect(&il, &it, &ir, &ib);
    const int width = font->cell_w * static_cast<int>(std::strlen(text));
    Text_Draw(il + (inner_width - width) / 2, y, text, font, s);
}

void Panel_Rule(const cls_Desk_Rect& panel, int y, Surface* s) {
    int il, it, ir, ib;
    panel.Inner_Rect(&il, &it, &ir, &ib);
    Sprite_Tile(Named("Hrz_Label_Frame"), il, y, ir, y + 3, s);
}

// --- text button --------------------------------------------------------------
cls_Button_Standart::cls_Button_Standart(int x, int y, const char* label, const Font* font) {
    const int n = static_cast<int>(std::strlen(label));
    const int W = n * font->cell_w + 8, H = font->cell_h + 7;
    left = x;
    top = y;
    right = x + W;
    bottom = y + H;
    if (Sprite_Create_Surface(W, H, &image_up)) {
        Surface* s = image_up.surface;
        Sprite_Tile(Named("Desk"), 0, 0, W, H, s);
        Sprite_Tile(Named("BtnStd_LfTp"), 0, 0, 2, 2, s);
        Sprite_Tile(Named("BtnStd_RtTp"), W - 2, 0, W, 2, s);
        Sprite_Tile(Named("BtnStd_LfBm"), 0, H - 2, 2, H, s);
        Sprite_Tile(Named("BtnStd_RtBm"), W - 2, H - 2, W, H, s);
        Sprite_Tile(Named("BtnStd_Tp"), 2, 0, W - 2, 2, s);
        Sprite_Tile(Named("BtnStd_Bm"), 2, H - 2, W - 2, H, s);
        Sprite_Tile(Named("BtnStd_Lf"), 0, 2, 2, H - 2, s);
        Sprite_Tile(Named("BtnStd_Rt"), W - 2, 2, W, H - 2, s);
        Text_Draw(4, 4, label, font, s);
    }
    // Pressed: the whole face one pixel right and down.
    if (Sprite_Create_Surface(W, H, &image_down) && image_up.surface != nullptr) {
        const Rect src{0, 0, W - 1, H - 1};
        const Rect to{1, 1, W, H};
        Surface_Blt(image_down.surface, &to, image_up.surface, &src, 0);
    }
}

cls_Button_Standart::~cls_Button_Standart() {
    Sprite_Release(&image_up);
    Sprite_Release(&image_down);
}

void cls_Button_Standart::Draw(Surface* s) {
    Put_Opaque(s, left, top, pressed ? &image_down : &image_up);
}

void cls_Button_Standart::Press() {
    if (pressed) return;
    pressed = 1;
    press_time = Plat_Tick();
    Play(Snd_16);
}

int cls_Button_Standart::Update() {
    if (fired) fired = 0;
    if (!pressed) {
        if (Mouse_Inside(left, top, right, bottom) && Left_Button_Clicked()) Press();
        return 0;
    }
    // It acts 300 ms after the press, whatever the mouse does meanwhile.
    if (press_time + press_duration <= Plat_Tick()) {
        fired = 1;
        pressed = 0;
        return 1;
    }
    return 0;
}

// --- arrow button -----------------------------------------------------------------
cls_Button_Arrow::cls_Button_Arrow(int x_, int y_, int, int direction) : x(x_), y(y_) {
    const char* names[4][2] = {{"spr_BtnArrowU_unpres", "spr_BtnArrowU_pres"},
                               {"spr_BtnArrowL_unpres", "spr_BtnArrowL_pres"},
                               {"spr_BtnArrowR_unpres", "spr_BtnArrowR_pres"},
                               {"spr_BtnArrowD_unpres", "spr_BtnArrowD_pres"}};
    const int k = direction >= 1 && direction <= 3 ? direction : 0;
    sprite_up = Named(names[k][0]);
    sprite_down = Named(names[k][1]);
}

void cls_Button_Arrow::Draw(Surface* s) {
    Put_Opaque(s, x, y, pressed ? sprite_down : sprite_up);
}

int cls_Button_Arrow::Update() {
    const uint32_t now = Plat_Tick();
    if (fired) fired = 0;
    const int w = sprite_up != nullptr ? sprite_up->width : 0,
              h = sprite_up != nullptr ? sprite_up->height : 0;
    const bool inside = Mouse_Inside(x, y, x + w, y + h);
    const bool down = Left_Button_Down();
    if (!pressed) {
        if (inside && down) {
            pressed = 1;
            press_time = now;
            Play(Snd_7);
        }
        return 0;
    }
    if (!inside) {
        fired = pressed = 0;
        return 0;
    }
    if (press_time + repeat_delay >= now) {
        if (down) return 0;
        // A short click acts once, on release.
        pressed = 0;
        fired = 1;
        return 1;
    }
    fired = 0;
    if (down) {
        fired = 1;  // held past the delay: acts on every update
        return 1;
    }
    pressed = 0;
    return 0;
}

// --- main-menu button -----------------------------------------------------------------
cls_BtnMainTitle::cls_BtnMainTitle(const Sprite* label_, int l, int t, int r, int b)
    : label(label_), left(l), top(t), right(r), bottom(b) {}

void cls_BtnMainTitle::Draw(Surface* s) {
    if (state < Click_Pressed) {
        Sprite_Draw(s, left, top, Named("Btn_MMenu_unpress"));
        Sprite_Draw(s, left + 24, top + 5, label);
    } else {
        Sprite_Draw(s, left, top, Named("Btn_MMenu_press"));
        Sprite_Draw(s, left + 25, top + 6, label);
    }
}

namespace {
// The press-then-release-inside machine of the main-menu buttons and labels.
int Click_Update(int32_t* state, bool inside, bool down, int press_sound) {
    if (*state == Click_Pressed) {
        if (!inside) {
            *state = Click_Idle;
            return 0;
        }
        if (!down) {
            *state = Click_Clicked;
            return 1;
        }
        return 0;
    }
    if (*state == Click_Clicked || !inside) {
        *state = Click_Idle;
        return 0;
    }
    if (*state == Click_Idle) Play(Snd_17);
    *state = Click_Hover;
    if (down) {
        *state = Click_Pressed;
        Play(press_sound);
    }
    return 0;
}
}  // namespace

int cls_BtnMainTitle::Update() {
    return Click_Update(&state, Mouse_Inside(left, top, right, bottom), Left_Button_Down(), Snd_16);
}

// --- scroll bar --------------------------------------------------------------------------
cls_VScroll_Control::cls_VScroll_Control(int x, int y, int bottom_, int, int maximum_, int)
    : left(x),
      top(y),
      right(x + 22),
      bottom(bottom_),
      track_top(y + 19),
      track_bottom(bottom_ - 35),
      maximum(std::max(1, maximum_)),
      up(left + 3, top + 3, 0, 0),
      down(left + 3, bottom - 19, 0, 3) {}

void cls_VScroll_Control::Set_Range(int maximum_) {
    minimum = 0;
    maximum = std::max(1, maximum_);
    position = 0;
}

int cls_VScroll_Control::Thumb_Y() const {
    return std::min(track_bottom, track_top + (position - minimum) * (track_bottom - track_top) /
                                                  (maximum - minimum));
}

void cls_VScroll_Control::Draw(Surface* s) {
    Put_Opaque(s, left, top, Named("spr_VTrack_top"));
    Sprite_Tile(Named("Desk"), left, top + 3, right, bottom - 3, s);
    Sprite_Tile(Named("spr_VTrack_mid"), left, top + 3, right, bottom - 3, s);
    Put_Opaque(s, left, bottom - 3, Named("spr_VTrack_btm"));
    up.Draw(s);
    down.Draw(s);
    Put_Opaque(s, left + 3, Thumb_Y(), Named("spr_Track_pos"));
}

int cls_VScroll_Control::Update() {
    if (up.Update()) {
        position = std::max(minimum, position - 1);
        return 1;
    }
    if (down.Update()) {
        position = std::min(maximum, position + 1);
        return 1;
    }
    if (Mouse_X >= left && Mouse_X <= right && Mouse_Y >= track_top &&
        Mouse_Y <= track_bottom + 15 && Left_Button_Down()) {
        const int track = std::max(1, track_bottom - track_top);
        position = (maximum - minimum) * (Mouse_Y - track_top) / track + minimum;
        position = std::clamp(position, minimum, maximum);
        return 1;
    }
    return 0;
}

// --- labels ---------------------------------------------------------------------------------
namespace {
Font Label_Fonts[4];
int Living_Labels = 0;
}  // namespace

Label_Button::Label_Button(int x, int y, const char* text_, int disabled_) : disabled(disabled_) {
    std::strncpy(text, text_, sizeof text - 1);
    left = x;
    top = y;
    right = x + static_cast<int32_t>(std::strlen(text)) * Font_8x16.cell_w;
    bottom = y + Font_8x16.cell_h;
    if (Living_Labels++ == 0)
        for (int i = 0; i < 4; ++i) {
            Font_Copy(&Label_Fonts[i], &Font_8x16);
            Font_Set_Colour(&Label_Fonts[i], colours[i]);
        }
}

Label_Button::~Label_Button() {
    if (--Living_Labels < 1) {
        Living_Labels = 0;
        for (Font& f : Label_Fonts) Font_Release(&f);
    }
}

void Label_Button::Draw(Surface* s) const {
    if (disabled)
        Text_Draw(left, top, text, &Label_Fonts[0], s);
    else if (state == Click_Idle)
        Text_Draw(left, top, text, &Label_Fonts[1], s);
    else if (state == Click_Hover)
        Text_Draw(left, top, text, &Label_Fonts[2], s);
    else
        Text_Draw(left + 2, top + 2, text, &Label_Fonts[3], s);
}

int Label_Button::Update() {
    if (disabled) return 0;
    return Click_Update(&state, Mouse_Inside(left, top, right, bottom), Left_Button_Down(), Snd_7);
}

int Labels_Update(const std::unique_ptr<Label_Button>* labels, int count) {
    int clicked = -1;
    for (int i = 0; i < count; ++i) {
        labels[i]->Update();
        if (labels[i]->state == Click_Clicked) clicked = i;
    }
    return clicked;
}
