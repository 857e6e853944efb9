// Composing only what changed. While it is on, what the screens draw into the back
// buffer is kept as a list of copies and fills instead of being drawn; at the
// frame's end the list is compared with the last frame's, tile by tile, and only
// the tiles whose list differs are drawn. The others already hold what their list
// draws: every copy and fill paints pixels without reading the ones under them,
// so drawing the same list over its own result changes nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/surface.h"

enum class Compose_Mode {
    Full,     // every copy drawn as it is asked for
    Partial,  // only the tiles whose list changed
    Check     // partial, and every frame compared with a full composition beside it
};
void Compose_Set_Mode(Compose_Mode mode);
Compose_Mode Compose_Get_Mode();

// The surface whose copies and fills are kept (the back buffer, or none): the
// composer keeps them through the surfaces' keeper hook (surface.h).
void Compose_Set_Target(Surface* back_buffer);
// The back buffer was made anew (or changed behind the list's back): the next
// frame is drawn whole.
void Compose_Reset();

// The frame's end: draws what changed into the back buffer. Gives the rectangles
// drawn, or false when the whole picture may have changed.
bool Compose_Flush(std::vector<Rect>* drawn);

// Check mode: frames whose partial composition differed from the full one, and the
// full composition of the last frame, for the present to be checked against.
int Compose_Check_Failures();
const Surface* Compose_Check_Reference();
