// Name entry: typed characters from the layout rules of the input state, editing
// keys from the live key state, a blinking cursor and a scrolling view.
#include "ui/name_line.h"

#include <cstring>

#include "platform/shell_input.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "ui/widgets.h"

Name_Line::Name_Line(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {
    std::strcpy(text, "ученик Иисуса ...");
    cursor = static_cast<int32_t>(std::strlen(text));
    Font_Copy(&font, &Font_16x16);
    Font_Set_Colour(&font, 3);
    const Sprite* frame = Sprite_Get("Hrz_Label_Frame");
    const int h = frame != nullptr ? frame->height : 0;
    const int need = 3 * h + 2 + font.cell_h;
    if (bottom - top < need) bottom = top + need;
}

Name_Line::~Name_Line() {
    Font_Release(&font);
}

void Name_Line::Edit() {
    const int32_t len = static_cast<int32_t>(std::strlen(text));
    if (Key_Clicked(VK_BACK) && cursor > 0) {
        if (cursor < len)
            std::memmove(text + cursor - 1, text + cursor, static_cast<size_t>(len - cursor + 1));
        else
            text[len - 1] = '\0';
        if (first_visible > 0) --first_visible;
        --cursor;
        return;
    }
    if (Key_Clicked(VK_DELETE)) {
        // At the end of the text there is nothing to delete: the text stays.
        if (cursor < len)
            std::memmove(text + cursor, text + cursor + 1, static_cast<size_t>(len - cursor));
        return;
    }
    if (Key_Clicked(VK_LEFT) && cursor > 0) {
        --cursor;
        return;
    }
    if (Key_Clicked(VK_RIGHT) && cursor < len) {
        ++cursor;
        return;
    }
    if (Typed_Char >= 32 && len < max_length) {
        std::memmove(text + cursor + 1, text + cursor, static_cast<size_t>(len - cursor + 1));
        text[cursor++] = static_cast<char>(Typed_Char);
        Typed_Char = 0;
    }
}

int Name_Line::Update_And_Draw(Surface* s) {
    if (Left_Button_Down()) focused = Mouse_Inside(left, top, right, bottom) ? 1 : 0;
    if (focused) Edit();
    ++blink;
    const Sprite* hrz = Sprite_Get("Hrz_Label_Frame");
    const Sprite* vrt = Sprite_Get("Vrt_Label_Frame");
    Sprite_Tile(hrz, left, top, right, top + 3, s);
    Sprite_Tile(hrz, left, bottom - 3, right, bottom, s);
    Sprite_Tile(vrt, left, top + 1, left + 3, bottom - 1, s);
    Sprite_Tile(vrt, right - 3, top + 1, right, bottom - 1, s);
    if (font.cell_w <= 0) return 1;
    const int visible = (right - left - 10) / font.cell_w;
    if (first_visible > cursor)
        first_visible = cursor;
    else if (cursor - first_visible >= visible)
        first_visible = cursor - visible + 1;
    char shown[256] = {};
    std::strncpy(shown, text + first_visible, static_cast<size_t>(visible > 1 ? visible - 1 : 0));
    Text_Draw(left + 5, top + 4, shown, &font, s);
    if (focused && blink % 40 >= 16)
        Text_Draw(left + 5 + (cursor - first_visible) * font.cell_w, top + 4, "_", &font, s);
    return 1;
}
