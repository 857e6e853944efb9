// The book viewer's layout, its chapter text, arrows, scroll bar and loop.
#include "scripture/screens/book_viewer.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "audio/music.h"
#include "graphics/display.h"
#include "graphics/sprites.h"
#include "ui/screen_loop.h"

Book_Viewer::Book_Viewer(int start_chapter, int last, const HS_Book* book_) {
    if (Music != nullptr && Music->playing) Music_Stop();
    Music_Play("MUSIC/ReadHSript.mp3", 1);
    book = book_;
    if (book == nullptr) return;
    Font_Copy(&font, &Font_16x16);
    Font_Set_Colour(&font, 6);
    text.reset(new (std::nothrow) Text_Lines(10000, Line_Width));
    if (text == nullptr || !text->Ok() || last < 1) return;
    last_chapter = last;
    Show_Chapter(start_chapter);
    panel = std::make_unique<cls_Desk_Rect>(20, 20, Screen_Width - 20, Screen_Height - 20);
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_16x16, 2);
    ok = std::make_unique<cls_Button_Standart>(ir - 60, ib - 27, "OK", &Font_16x16);
    text_x = il + 10;
    text_y = it + 25;
    lines_per_page = (ib - it - 60) / (font.cell_h + 1);
    scroll = std::make_unique<cls_VScroll_Control>(ir - 22, it + 23, ib - 36, 0, 100, 0);
    Reset_Scroll();
    left_arrow = std::make_unique<cls_Button_Arrow>(il + 130, ib - 27, 0, 1);
    right_arrow = std::make_unique<cls_Button_Arrow>(il + 206, ib - 27, 0, 2);
    ready = 1;
}

Book_Viewer::~Book_Viewer() {
    Font_Release(&font);
    Music_Stop();
}

void Book_Viewer::Reset_Scroll() {
    scroll->Set_Range(text->Line_Count() - lines_per_page);
}

int Book_Viewer::Show_Chapter(int n) {
    if (n < 1) n = 1;
    if (n > last_chapter) n = last_chapter;
    chapter = n;
    first_line = 0;
    text->Clear();
    const int verses = Verse_Count(book, chapter);
    for (int v = 1; v <= verses; ++v) {
        const char* line = Verse_Text(book, chapter, v);
        if (line != nullptr) text->Add_Text(line);
    }
    return chapter;
}

void Book_Viewer::Draw(Surface* s) {
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    panel->Draw(s);
    for (int i = 0; i < lines_per_page; ++i) {
        const char* line = text->Get_Line(first_line + i);
        if (line == nullptr) break;
        Text_Draw(text_x, text_y + i * (font.cell_h + 1), line, &font, s);
    }
    ok->Draw(s);
    Panel_Rule(*panel, it + 20, s);
    Panel_Rule(*panel, ib - 35, s);
    char label[32];
    std::snprintf(label, sizeof label, "Глава  %03d", chapter);
    Font_Set_Colour(&Font_16x16, 55);
    Text_Draw(il + 40, ib - 25, label, &Font_16x16, s);
    Font_Set_Colour(&Font_8x16, 32);
    Panel_Centred_Text(*panel, it + 3, book->Head_Line, &Font_8x16, s);
    left_arrow->Draw(s);
    right_arrow->Draw(s);
    scroll->Draw(s);
}

int Book_Viewer::Run() {
    bool fired = false;  // OK fired in the pass before: that frame was the last
    return Box_Loop([&](int* result) { return *result = 1, fired; },
                    [&](int*) {
                        Music_Update();
                        Ok_Keys_Press(ok.get());
                        fired = ok->Update() != 0;
                        if (left_arrow->Update()) {
                            if (chapter > 1) Show_Chapter(chapter - 1);
                            Reset_Scroll();
                        }
                        if (right_arrow->Update()) {
                            if (chapter < last_chapter) Show_Chapter(chapter + 1);
                            Reset_Scroll();
                        }
                        scroll->Update();
                        first_line = scroll->position;
                        return false;
                    },
                    [&](Surface* s) { Draw(s); }, 1);
}
