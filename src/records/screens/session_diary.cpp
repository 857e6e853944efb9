// The diary screen: its layout, drawing and loop.
#include "records/screens/session_diary.h"

#include <initializer_list>
#include <new>
#include <utility>

#include "graphics/display.h"
#include "platform/platform.h"
#include "graphics/sprites.h"
#include "scripture/book_table.h"
#include "ui/screen_loop.h"

// --- the diary screen ------------------------------------------------------------------

namespace {
// The widths of the row format's first nine columns, each followed by one blank.
const int Column_Widths[9] = {4, 5, 5, 7, 6, 6, 5, 5, 5};
const char* const Sort_Captions[4] = {"НОМЕР", "БАЛЛ", "БЛОК", "ЛИНИЯ"};
const int Sort_X[4] = {120, 186, 244, 302};
}  // namespace

Session_Diary::Session_Diary(Session_List* list_) : list(list_) {
    rows.reset(new (std::nothrow) Text_Lines(4096, 78));
    if (rows == nullptr) return;
    Fill_Rows();
    panel = std::make_unique<cls_Desk_Rect>(0, 0, Screen_Width - 1, Screen_Height - 1);
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    Font_Copy(&label_font, &Font_8x16);
    // The buttons' captions in their own colours, whatever screen coloured the shared
    // fonts last.
    Font_Set_Colour(&Font_16x16, 2);
    ok = std::make_unique<cls_Button_Standart>(r - 60, b - 27, "OK", &Font_16x16);
    Font_Set_Colour(&Font_8x16, 231);
    for (int k = 0; k < 4; ++k)
        sort_buttons[k] = std::make_unique<cls_Button_Standart>(l + Sort_X[k], b - 27,
                                                                Sort_Captions[k], &Font_8x16);
    const int ch = Font_8x16.cell_h;
    text_x = l + 5;
    text_top = t + 25;
    rows_per_page = (b - t - 52) / (ch + 5);
    scroll = std::make_unique<cls_VScroll_Control>(r - 22, t + 25 + ch + 3, b - 32, 0,
                                                   rows->Line_Count(), 0);
    Font_Copy(&good_font, &Font_8x16);
    Font_Set_Colour(&good_font, 3);
    Font_Copy(&fail_font, &Font_8x16);
    Font_Set_Colour(&fail_font, 2);
    Font_Copy(&header_font, &Font_8x16);
    Font_Set_Colour(&header_font, 1);
    ready = 1;
}

Session_Diary::~Session_Diary() {
    for (Font* f : {&good_font, &fail_font, &header_font, &label_font}) Font_Release(f);
}

void Session_Diary::Offer_Bible(std::function<void()> show) {
    show_bible = std::move(show);
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    Font_Set_Colour(&Font_8x16, 231);
    bible = std::make_unique<cls_Button_Standart>(l + 400, b - 27, "ВСЯ БИБЛИЯ", &Font_8x16);
}

void Session_Diary::Fill_Rows() {
    rows->Clear();
    char row[80];
    for (const Session_Record& r : *list) {
        Session_Row_Text(r, row, sizeof row);
        rows->Add_Text(row);
    }
}

void Session_Diary::Draw(Surface* s) {
    int l, t, r, b;
    panel->Inner_Rect(&l, &t, &r, &b);
    const int cw = Font_8x16.cell_w, ch = Font_8x16.cell_h;
    panel->Draw(s);
    ok->Draw(s);
    for (auto& button : sort_buttons) button->Draw(s);
    if (bible != nullptr) bible->Draw(s);
    Panel_Centred_Text(*panel, t + 3, "Дневник сессий", &good_font, s);
    const Sprite* h = Sprite_Get("Hrz_Label_Frame");
    const Sprite* v = Sprite_Get("Vrt_Label_Frame");
    Panel_Rule(*panel, t + 20, s);
    for (int k = 1; k <= rows_per_page; ++k) {
        const int y = text_top + k * (ch + 5) - 2;
        Sprite_Tile(h, l, y, r, y + 3, s);
    }
    int before = 0;  // characters of the earlier columns and their blanks
    for (int width : Column_Widths) {
        const int x = text_x + cw * (before + width) + cw / 2;
        Sprite_Tile(v, x, t + 23, x + 3, t + 23 + (ch + 5) * rows_per_page, s);
        before += width + 1;
    }
    Text_Draw(text_x, text_top + 2, Session_Header_Text, &header_font, s);
    Text_Draw(l + 5, b - 25, "СОРТИРОВКА ПО:", &label_font, s);
    // A page of rows from the first one shown; never past the last record.
    int y = text_top + ch + 7;
    const int count = static_cast<int>(list->size());
    for (int i = first_row, shown = 0; i < count && shown < rows_per_page - 1;
         ++i, ++shown, y += ch + 5) {
        const char* line = rows->Get_Line(i);
        if (line == nullptr) break;
        Text_Draw(text_x, y, line, (*list)[i].success ? &good_font : &fail_font, s);
    }
    scroll->Draw(s);
}

int Session_Diary::Run() {
    return Box_Loop([&](int* result) { return *result = 1, ok->fired != 0; },
                    [&](int*) {
                        Ok_Keys_Press(ok.get());
                        ok->Update();
                        bool sorted = false;
                        for (int k = 0; k < 4; ++k)
                            if (sort_buttons[k]->Update()) {
                                Session_List_Sort(list, k);
                                sorted = true;
                            }
                        if (sorted) Fill_Rows();
                        if (bible != nullptr && (bible->Update() || Key_Clicked(VK_TAB)))
                            show_bible();
                        scroll->Update();
                        first_row =
                            static_cast<int>(list->size()) < rows_per_page ? 0 : scroll->position;
                        return false;
                    },
                    [&](Surface* s) { Draw(s); }, 1);
}
