// Which book is read next, and reading finished books again from the game screen.
#pragma once

#include "game/game_state.h"

// Lets the player choose among the unread books that are there; the choice is
// also the new Book_Index. 0 when no book is left or the screens give way
// (Book_Index unchanged then).
int Select_HSBook(Game_State* state);
// Reading back from the game screen: the finished chapters of the current book, or
// a finished book (or the current one) chosen from the list. Never changes the
// current book. 1, or 0 when the book chosen could not be loaded.
int Read_Books(Game_State* state);
