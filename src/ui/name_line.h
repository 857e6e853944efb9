// The one-line text field of the main menu where the player types a name.
#pragma once

#include <cstdint>

#include "graphics/font.h"
#include "graphics/surface.h"

class Name_Line {
  public:
    Name_Line(int left, int top, int right, int bottom);
    ~Name_Line();
    Name_Line(const Name_Line&) = delete;
    Name_Line& operator=(const Name_Line&) = delete;
    // Handles the keys (only while focused) and draws; once per frame.
    int Update_And_Draw(Surface* surface);
    char text[256] = {};
    Font font;
    int32_t left, top, right, bottom;
    int32_t max_length = 30;
    int32_t cursor = 0;
    int32_t first_visible = 0;
    int32_t blink = 0;
    int32_t focused = 0;

  private:
    void Edit();
};
