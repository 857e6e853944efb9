// The pictures of the game's pieces, each drawn at the size its archive entries
// are cut from.
#pragma once

#include "canvas.h"
#include "glyphs.h"

namespace art {

Canvas Make_Desk();
Canvas Make_Desk_Border();
Canvas Make_Button_Border();
Canvas Make_Label_Frames();
Canvas Make_Main_Menu_Buttons(const Glyph_Set& big);
Canvas Make_Stones();
Canvas Make_Digits(int n);
Canvas Make_Walls();
Canvas Make_Frame_Horizontal();
Canvas Make_Frame_Vertical();
Canvas Make_Frame_Corner();
Canvas Make_Cursor();
Canvas Make_Scroll_Track();
Canvas Make_Vertical_Strip();
Canvas Make_Horizontal_Strip();
Canvas Make_Logo(const Glyph_Set& big);
Canvas Make_Font_Picture(const Glyph_Set& g, int rows);
// The help and salvation pages; verses are given in Windows-1251.
Canvas Make_Help_Page(const Glyph_Set& small, const Glyph_Set& big);
struct Quote {
    std::string text, reference;
};
Canvas Make_Salvation_Page(const Glyph_Set& small, const Glyph_Set& big,
                           const std::vector<Quote>& quotes);
Canvas Make_Background(int number);
// The desktop icon at a size of size x size pixels; index 0 is transparent.
Canvas Make_Icon(int size);
// Writes the picture as an RGBA PNG through the palette, index 0 transparent.
void Write_Png(const std::string& path, const Canvas& c, const uint8_t palette[1024]);
std::vector<uint8_t> Png_Bytes(const Canvas& c, const uint8_t palette[1024]);
// A Windows icon file holding the icon drawn at each size.
void Write_Ico(const std::string& path, const std::vector<int>& sizes, const uint8_t palette[1024]);

}  // namespace art
