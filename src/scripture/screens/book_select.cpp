// The book list's layout, drawing and loop.
#include "scripture/screens/book_select.h"

#include <cstring>
#include <utility>

#include "audio/music.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "ui/screen_loop.h"

void Book_Select_Dialog::Title_Place(const cls_Desk_Rect& panel, int book, int* x, int* y) {
    int il, it, ir, ib;
    const int inner_width = panel.Inner_Rect(&il, &it, &ir, &ib);
    // Four columns of 17 rows; the New Testament starts a column's eighth row.
    const int i = book - 1;
    const int slot = book <= 39 ? i : i + 2;
    *x = slot / 17 * (inner_width / 4) + il + 10;
    *y = slot % 17 * (Font_8x16.cell_h + 4) + panel.top + Sprite_Height("desk_bord_Tp") + 40;
}

Book_Select_Dialog::Book_Select_Dialog(const uint8_t disabled[HS_Book_Count], int mode) {
    panel = std::make_unique<cls_Desk_Rect>(0, 0, Screen_Width - 1, Screen_Height - 1);
    for (int k = 1; k <= HS_Book_Count; ++k) {
        int x, y;
        Title_Place(*panel, k, &x, &y);
        labels[k - 1] = std::make_unique<Label_Button>(x, y, HS_Titles[k - 1], disabled[k - 1]);
    }
    const char* caption = mode == Mode_Cancel ? "Отмена" : "По порядку, начиная с первой";
    int il, it, ir, ib;
    const int inner_width = panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_8x16, 2);
    const int len = static_cast<int>(std::strlen(caption));
    bottom = std::make_unique<cls_Button_Standart>(
        il + (inner_width - 8 * len - 8) / 2, panel->bottom - Sprite_Height("desk_bord_Tp") - 30,
        caption, &Font_8x16);
}

void Book_Select_Dialog::Offer_Bible(std::function<void()> show) {
    show_bible = std::move(show);
    Font_Set_Colour(&Font_8x16, 2);
    bible = std::make_unique<cls_Button_Standart>(bottom->right + 16, bottom->top, "ВСЯ БИБЛИЯ",
                                                  &Font_8x16);
}

Book_Select_Dialog::~Book_Select_Dialog() {
    Music_Stop();
}

void Book_Select_Dialog::Draw(Surface* s) {
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    Surface_Fill(s, nullptr, 0);
    panel->Draw(s);
    Font_Set_Colour(&Font_8x16, 5);
    Panel_Centred_Text(*panel, it + 4, "Выберите книгу для чтения", &Font_8x16, s);
    Panel_Rule(*panel, it + 20, s);
    for (const auto& label : labels) label->Draw(s);
    Panel_Rule(*panel, ib - 40, s);
    bottom->Draw(s);
    if (bible != nullptr) bible->Draw(s);
}

int Book_Select_Dialog::Run() {
    if (Key_Clicked(VK_ESCAPE)) return 0;
    for (;;) {
        if (Screens_Leaving() || Screen_Pump() == Pump::Leave) return 0;
        const Screen_Target targets[] = {Centre_Of(*bottom),
                                         bible ? Centre_Of(*bible) : Centre_Of(*bottom)};
        Screen_Announce({"book list", targets, bible ? 2 : 1, this});
        Draw(Back_Buffer);
        Frame_End();
        if (bottom->Update()) return 0;
        if (bible != nullptr && (bible->Update() || Key_Clicked(VK_TAB))) show_bible();
        const int clicked = Labels_Update(labels, HS_Book_Count);
        if (clicked >= 0) return clicked + 1;
        Music_Update();
        if (Key_Clicked(VK_ESCAPE)) return 0;
    }
}
