// The SDL window's pieces, shared by its files and by nothing else: the window's
// state, and what each file does for the others (the keys, the window's size and
// full screen, pads and fingers, the two ways of showing frames, their choice).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform_internal.h"
#include "platform/view.h"

constexpr int Pic_W = Plat_Frame_W, Pic_H = Plat_Frame_H;

// How frames reach the window: through SDL's renderer (a texture the GPU scales),
// or, where there is no GPU to do it, converted and scaled by the program straight
// into the window's own surface, only the parts that changed since the last frame.
enum class Sdl_Way { Unopened, Through_Renderer, Through_Surface };

// The one window, from its opening to its closing.
struct Sdl_Window_State {
    SDL_Window* win = nullptr;
    bool sdl_up = false;
    bool headless = false;  // scripted without VELTRAN_SHOW: frames are kept, not drawn
    bool fullscreen = true;
    bool covering = false;  // full screen as a borderless window over the display
    bool lost = false;
    bool need_redraw = true;
    Plat_Scale scale = Plat_Scale::Sharp;
    Sdl_Way way = Sdl_Way::Unopened;
    std::string way_text;
    // The frame on the screen and its palette.
    std::vector<uint8_t> shown_pixels = std::vector<uint8_t>(Pic_W * Pic_H, 0);
    uint8_t shown_palette[1024] = {};
};
extern Sdl_Window_State Sdl;

// sdl_state.cpp: the state, and the failures. Every failure of the window's pieces is told one way:
// Sdl_Fail keeps what failed with SDL's reason (and answers false); opening the window hands the
// reason on, and a failure later in the run goes to the log.
bool Sdl_Fail(const std::string& what);
const std::string& Sdl_Error();
void Sdl_Clear_Error();

// sdl_keys.cpp: the key of a physical key position (US layout), or null; keys
// without a name of the script's are made up in *extra.
const Key_Def* Key_For_Scancode(SDL_Scancode scancode, Key_Def* extra);

// sdl_display.cpp (a desktop: over the window manager, or straight over X11 where
// there is none) or sdl_page.cpp (a web page's canvas): the window's size and
// full screen.
bool Starts_Full_Screen();
uint32_t Window_Flags();  // for SDL_CreateWindow
void Window_Size_For_Windowed(int* w, int* h);
void Go_Full_Screen();
void Toggle_Fullscreen();  // F11, Alt+Enter; remembered on a desktop
bool Window_Size(int* w, int* h);
// Whether the display could have a GPU behind OpenGL at all, asked without loading
// OpenGL: a GPU device, and on X a server that hands out direct rendering.
bool Gpu_Possible();

// sdl_x11_frame.cpp: on X with shared memory, the window's pixels in a segment of the
// program's own, handed to the server without waiting for its answer each frame
// (SDL's window surface waits every frame); null where there is none (SDL's is used
// then). And whether the display surely has nothing for SDL's pump (on X: nothing
// read and nothing on the connection); false where that cannot be told.
// A frame's rectangles are each drawn into room of their own in the segment, rows
// packed (Shared_Frame_Stage: room for r, of which the part put reaches the window;
// null for a rectangle outside the window; the whole window's room is the surface),
// and handed over together (Shared_Frame_Show_Staged).
SDL_Surface* Shared_Frame_Surface();  // the window's size; made anew when that changes
uint32_t* Shared_Frame_Stage(const SDL_Rect& r, const SDL_Rect& put);
void Shared_Frame_Show_Staged();
void Shared_Frame_Close();
bool Display_Quiet();

// sdl_scale.cpp: the way of scaling, and window points to picture pixels (the bars
// around the picture give its nearest edge).
void Toggle_Scale();  // F9; remembered
void To_Picture(int wx, int wy, int* x, int* y);

// sdl_pads.cpp: game pads and fingers, and the script's virtual pad and finger
// (their events taken at the next pump).
bool Pads_Open();  // the game-controller subsystem; false when it is not there
void Pads_Poll();  // reads the pads when it is time
bool Handle_Pad_Or_Finger(const SDL_Event& e);
void Virtual_Pad(int what, int index, int value);
void Virtual_Touch(int phase, int x, int y);
void Close_Pads();

// sdl_renderer.cpp: frames through SDL's renderer.
bool Open_Renderer(bool accelerated);
// Whether the renderer made is one a GPU runs; also names its OpenGL driver.
bool Renderer_Accelerated();
void Close_Renderer();
void Draw_Shown();  // the frame shown, drawn again

// sdl_surface.cpp: frames scaled by the program into the window's surface.
bool Open_Surface();
bool Show_Surface(const uint8_t* pixels, int pitch, const uint8_t* palette,
                  const Plat_Rect* changed, int count);
void Close_Surface();
