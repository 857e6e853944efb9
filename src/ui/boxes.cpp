// The three modal boxes and their shared loop.
#include "ui/boxes.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/shell_input.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "ui/screen_loop.h"

namespace {

void Copy_Text(char* dst, const char* src) {
    std::strncpy(dst, src, 70);
    dst[70] = '\0';
}

std::unique_ptr<cls_Desk_Rect> Panel_Of(int width, int height) {
    return std::make_unique<cls_Desk_Rect>(Centred_Panel(width, height));
}

// A title or text in colour 2, centred on the inner rectangle.
void Centred_Text(const cls_Desk_Rect& panel, int y, const char* text, Surface* s) {
    Font_Set_Colour(&Font_8x16, 2);
    Panel_Centred_Text(panel, y, text, &Font_8x16, s);
}

// The panel of a notice or question: its text and the rule under it.
void Draw_Question(cls_Desk_Rect& panel, const char* text, Surface* s) {
    int il, it, ir, ib;
    panel.Inner_Rect(&il, &it, &ir, &ib);
    panel.Draw(s);
    Centred_Text(panel, it + 4, text, s);
    Panel_Rule(panel, it + 23, s);
}

std::unique_ptr<cls_Button_Standart> Caption_Button(int x, int y, const char* caption) {
    Font_Set_Colour(&Font_16x16, 2);  // the captions' colour, whoever used the font last
    return std::make_unique<cls_Button_Standart>(x, y, caption, &Font_16x16);
}

}  // namespace

int Message_Box_Width(const char* text) {
    return static_cast<int>(std::min<size_t>(std::strlen(text), 70)) * Font_8x16.cell_w + 70;
}

int Confirm_Box_Width(const char* text) {
    return std::max(
        130, static_cast<int>(std::min<size_t>(std::strlen(text), 70)) * Font_8x16.cell_w + 40);
}

Message_Box::Message_Box(const char* t) {
    Copy_Text(text, t);
    panel = Panel_Of(Message_Box_Width(text), 80);
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    ok = Caption_Button((il + ir) / 2 - 20, ib - 27, "OK");
    ready = 1;
}

void Message_Box::Draw(Surface* s) {
    Draw_Question(*panel, text, s);
    ok->Draw(s);
}

int Message_Box::Run() {
    return ready ? Run_Ok_Box(ok.get(), [&](Surface* s) { Draw(s); }) : 1;
}

Confirm_Box::Confirm_Box(const char* t) {
    Copy_Text(text, t);
    panel = Panel_Of(Confirm_Box_Width(text), 80);
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    yes = Caption_Button(il + 5, ib - 27, "ДА");
    no = Caption_Button(ir - 61, ib - 27, "НЕТ");
    ready = 1;
}

void Confirm_Box::Draw(Surface* s) {
    Draw_Question(*panel, text, s);
    yes->Draw(s);
    no->Draw(s);
}

Answer Confirm_Box::Run() {
    if (!ready) return Answer::Left;
    return Box_Loop(
        // A choice fired in the pass before is taken at the start of this one, before
        // anything could end the box otherwise.
        [&](Answer* result) {
            if (yes->fired) return *result = Answer::Yes, true;
            if (no->fired) return *result = Answer::No, true;
            return false;
        },
        [&](Answer*) {
            const Screen_Target targets[] = {Centre_Of(*yes), Centre_Of(*no)};
            Screen_Announce({"question", targets, 2, this});
            if (Any_Key_Clicked({VK_SPACE, VK_RETURN})) yes->Press();
            if (Key_Clicked(VK_ESCAPE)) no->Press();
            yes->Update();
            no->Update();
            return false;
        },
        [&](Surface* s) { Draw(s); }, Answer::Left);
}

Results_Box::Results_Box(Text_Lines* lines_) : lines(lines_) {
    Copy_Text(title, "Сессия завершена.");
    Font_Copy(&font, &Font_8x16);
    Font_Set_Colour(&font, 3);
    const int width = font.cell_w * lines->Width() + 40;
    const int height = (font.cell_h + 1) * lines->Line_Count() + 82;
    panel = Panel_Of(width, height);
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    ok = Caption_Button(il + (ir - il - 40) / 2, ib - 28, "OK");
    ready = 1;
}

Results_Box::~Results_Box() {
    Font_Release(&font);
}

void Results_Box::Draw(Surface* s) {
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    panel->Draw(s);
    Centred_Text(*panel, it + 4, title, s);
    Panel_Rule(*panel, it + 20, s);
    for (int i = 0; i < lines->Line_Count(); ++i)
        Panel_Centred_Text(*panel, it + 25 + i * (font.cell_h + 1), lines->Get_Line(i), &font, s);
    Panel_Rule(*panel, ib - 35, s);
    ok->Draw(s);
}

int Results_Box::Run() {
    return ready ? Run_Ok_Box(ok.get(), [&](Surface* s) { Draw(s); }) : 1;
}
