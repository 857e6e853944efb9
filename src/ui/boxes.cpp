// The three modal boxes and their shared loop.
#include "ui/boxes.h"

#include <algorithm>
#include <cstring>

#include "app/input.h"
#include "graphics/display.h"
#include "platform/platform.h"
#include "ui/screen_loop.h"

namespace {

void Copy_Text(char* dst, const char* src) {
    std::strncpy(dst, src, 70);
    dst[70] = '\0';
}

cls_Desk_Rect* Centred_Panel(int width, int height) {
    return new cls_Desk_Rect(Screen_Width / 2 - width / 2, Screen_Height / 2 - height / 2,
                             Screen_Width / 2 + width / 2, Screen_Height / 2 + height / 2);
}

// A title or text in colour 2, centred on the inner rectangle at 8 pixels a letter.
void Centred_Text(const cls_Desk_Rect* panel, int y, const char* text, Surface* s) {
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_8x16, 2);
    const int x = il + (ir - il - 8 * static_cast<int>(std::strlen(text))) / 2;
    Text_Draw(x, y, text, &Font_8x16, s);
}

// The panel of a notice or question: its text and the rule under it.
void Draw_Question(cls_Desk_Rect* panel, const char* text, Surface* s) {
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    panel->Draw(s);
    Centred_Text(panel, it + 4, text, s);
    Sprite_Tile(Sprite_Get("Hrz_Label_Frame"), il, it + 23, ir, it + 26, s);
}

// The loop of a box with one OK button: Space, Enter or Escape press it too.
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
    panel = Centred_Panel(Message_Box_Width(text), 80);
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_16x16, 2);  // the captions' colour, whoever used the font last
    ok = new cls_Button_Standart((il + ir) / 2 - 20, ib - 27, "OK", &Font_16x16);
    ready = 1;
}

Message_Box::~Message_Box() {
    delete ok;
    delete panel;
}

void Message_Box::Draw(Surface* s) {
    Draw_Question(panel, text, s);
    ok->Draw(s);
}

int Message_Box::Run() {
    return ready ? Run_Ok_Box(ok, [&](Surface* s) { Draw(s); }) : 1;
}

Confirm_Box::Confirm_Box(const char* t) {
    Copy_Text(text, t);
    panel = Centred_Panel(Confirm_Box_Width(text), 80);
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_16x16, 2);  // the captions' colour, whoever used the font last
    yes = new cls_Button_Standart(il + 5, ib - 27, "ДА", &Font_16x16);
    no = new cls_Button_Standart(ir - 61, ib - 27, "НЕТ", &Font_16x16);
    ready = 1;
}

Confirm_Box::~Confirm_Box() {
    delete yes;
    delete no;
    delete panel;
}

void Confirm_Box::Draw(Surface* s) {
    Draw_Question(panel, text, s);
    yes->Draw(s);
    no->Draw(s);
}

int Confirm_Box::Run() {
    if (!ready) return 1;
    return Box_Loop(
        // A choice fired in the pass before is taken at the start of this one, before
        // anything could end the box otherwise.
        [&](int* result) {
            if (yes->fired) return *result = 2, true;
            if (no->fired) return *result = 0, true;
            return false;
        },
        [&](int*) {
            const Screen_Target targets[] = {Centre_Of(*yes), Centre_Of(*no)};
            Screen_Announce({"question", targets, 2, this});
            if (Any_Key_Clicked({VK_SPACE, VK_RETURN})) yes->Press();
            if (Key_Clicked(VK_ESCAPE)) no->Press();
            yes->Update();
            no->Update();
            return false;
        },
        [&](Surface* s) { Draw(s); }, 1);
}

Results_Box::Results_Box(Text_Lines* lines_) : lines(lines_) {
    Copy_Text(title, "Сессия завершена.");
    Font_Copy(&font, &Font_8x16);
    Font_Set_Colour(&font, 3);
    const int width = font.cell_w * lines->Width() + 40;
    const int height = (font.cell_h + 1) * lines->Line_Count() + 82;
    panel = Centred_Panel(width, height);
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    Font_Set_Colour(&Font_16x16, 2);  // the captions' colour, whoever used the font last
    ok = new cls_Button_Standart(il + (ir - il - 40) / 2, ib - 28, "OK", &Font_16x16);
    ready = 1;
}

Results_Box::~Results_Box() {
    delete ok;
    delete panel;
    Font_Release(&font);
}

void Results_Box::Draw(Surface* s) {
    int il, it, ir, ib;
    panel->Inner_Rect(&il, &it, &ir, &ib);
    panel->Draw(s);
    Centred_Text(panel, it + 4, title, s);
    const Sprite* rule = Sprite_Get("Hrz_Label_Frame");
    Sprite_Tile(rule, il, it + 20, ir, it + 23, s);
    for (int i = 0; i < lines->Line_Count(); ++i) {
        const char* line = lines->Get_Line(i);
        const int x = il + (ir - il - font.cell_w * static_cast<int>(std::strlen(line))) / 2;
        Text_Draw(x, it + 25 + i * (font.cell_h + 1), line, &font, s);
    }
    Sprite_Tile(rule, il, ib - 35, ir, ib - 32, s);
    ok->Draw(s);
}

int Results_Box::Run() {
    return ready ? Run_Ok_Box(ok, [&](Surface* s) { Draw(s); }) : 1;
}
