// The book list: the 66 titles in four columns, the books that may be chosen
// lit, and one button at the bottom ("Отмена", or "По порядку, начиная с первой"
// when a new book is to be played).
#pragma once

#include <functional>
#include <memory>

#include <cstdint>

#include "scripture/book_table.h"
#include "ui/widgets.h"

class Book_Select_Dialog {
  public:
    static constexpr int Mode_Cancel = 1;  // the bottom button reads "Отмена"
    static constexpr int Mode_In_Order = 2;

    // disabled[k - 1] = 1 when book k may not be chosen.
    Book_Select_Dialog(const uint8_t disabled[HS_Book_Count], int mode);
    // Releases the panel, the labels and the button, and stops the music.
    ~Book_Select_Dialog();
    Book_Select_Dialog(const Book_Select_Dialog&) = delete;
    Book_Select_Dialog& operator=(const Book_Select_Dialog&) = delete;

    // The book chosen, 1..66, or 0 when the player leaves without choosing.
    int Run();
    void Draw(Surface* surface);

    // A button beside the bottom one, and Tab, show the whole Bible's reading; the
    // list goes on after it.
    void Offer_Bible(std::function<void()> show);

    // Where the title of book k stands (its label's top-left corner).
    static void Title_Place(const cls_Desk_Rect& panel, int book, int* x, int* y);

    std::unique_ptr<cls_Desk_Rect> panel;
    std::unique_ptr<Label_Button> labels[HS_Book_Count];
    std::unique_ptr<cls_Button_Standart> bottom;
    std::unique_ptr<cls_Button_Standart> bible;
    std::function<void()> show_bible;
};
