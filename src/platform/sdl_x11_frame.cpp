// On X, the window's pixels in shared memory of the program's own, handed to the X
// server without waiting for its answer each frame, and whether the connection
// holds anything for SDL's pump. Elsewhere neither: SDL's window surface and pump.
#include "platform/sdl_parts.h"

#include <algorithm>

#if VELTRAN_HAVE_XSHM
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "core/report_log.h"
#include "platform/sdl_x11.h"

namespace {

// A server that takes the rectangles in its own time is waited for once in this
// many frames, so that one that cannot keep up is never further behind.
constexpr int Frames_Between_Waits = 8;

struct Shared_Frame {
    Display* display = nullptr;
    ::Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    SDL_Surface* surface = nullptr;  // the segment's pixels as SDL draws into them
    int unanswered = 0;              // frames handed over since the server last answered
    bool refused = false;            // not on X, or no shared memory with this server
    // The connection SDL's pump reads, looked up once for each window.
    const SDL_Window* events_of = nullptr;
    Display* events = nullptr;
};
Shared_Frame Frame;

bool Attach_Failed = false;
int Trap_Attach(Display*, XErrorEvent*) {
    Attach_Failed = true;
    return 0;
}

void Free_Image() {
    if (Frame.surface != nullptr) SDL_FreeSurface(Frame.surface);
    Frame.surface = nullptr;
    if (Frame.image == nullptr) return;
    XDestroyImage(Frame.image);  // the structure only: the pixels are the segment's
    Frame.image = nullptr;
    XShmDetach(Frame.display, &Frame.segment);
    XSync(Frame.display, False);
    shmdt(Frame.segment.shmaddr);
}

// A segment of w x h pixels in the window's format, attached by the server.
bool Make_Image(int w, int h) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(Frame.display, Frame.window, &a)) return false;
    if (a.visual->red_mask != 0xFF0000 || a.visual->green_mask != 0xFF00 ||
        a.visual->blue_mask != 0xFF)
        return false;
    XImage* image =
        XShmCreateImage(Frame.display, a.visual, static_cast<unsigned>(a.depth), ZPixmap, nullptr,
                        &Frame.segment, static_cast<unsigned>(w), static_cast<unsigned>(h));
    if (image == nullptr) return false;
    image->byte_order = SDL_BYTEORDER == SDL_BIG_ENDIAN ? MSBFirst : LSBFirst;
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(h);
    Frame.segment.shmid =
        image->bits_per_pixel == 32 ? shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600) : -1;
    void* at = Frame.segment.shmid >= 0 ? shmat(Frame.segment.shmid, nullptr, 0) : nullptr;
    if (at == nullptr || at == reinterpret_cast<void*>(-1)) {
        if (Frame.segment.shmid >= 0) shmctl(Frame.segment.shmid, IPC_RMID, nullptr);
        XDestroyImage(image);
        return false;
    }
    Frame.segment.shmaddr = image->data = static_cast<char*>(at);
    Frame.segment.readOnly = False;
    // A server on another machine cannot reach the segment and says so; what went
    // wrong before is answered to the handler it belongs to first.
    XSync(Frame.display, False);
    Attach_Failed = false;
    int (*before)(Display*, XErrorEvent*) = XSetErrorHandler(Trap_Attach);
    const bool asked = XShmAttach(Frame.display, &Frame.segment) != 0;
    XSync(Frame.display, False);
    XSetErrorHandler(before);
    shmctl(Frame.segment.shmid, IPC_RMID, nullptr);  // gone once both sides let go
    if (!asked || Attach_Failed) {
        XDestroyImage(image);
        shmdt(at);
        return false;
    }
    Frame.image = image;
    Frame.surface = SDL_CreateRGBSurfaceWithFormatFrom(at, w, h, 32, image->bytes_per_line,
                                                       SDL_PIXELFORMAT_RGB888);
    if (Frame.surface == nullptr) {
        Free_Image();
        return false;
    }
    return true;
}

}  // namespace

SDL_Surface* Shared_Frame_Surface() {
    if (Frame.refused || Sdl.win == nullptr) return nullptr;
    int w = 0, h = 0;
    SDL_GetWindowSize(Sdl.win, &w, &h);
    if (Frame.surface != nullptr && Frame.surface->w == w && Frame.surface->h == h)
        return Frame.surface;
    Free_Image();
    if (Frame.display == nullptr) {
        if (!X11_Window(&Frame.display, &Frame.window) || !XShmQueryExtension(Frame.display)) {
            Frame.display = nullptr;
            Frame.refused = true;
            return nullptr;
        }
        XGCValues values;
        values.graphics_exposures = False;
        Frame.gc = XCreateGC(Frame.display, Frame.window, GCGraphicsExposures, &values);
    }
    Frame.unanswered = 0;
    if (w <= 0 || h <= 0 || Frame.gc == nullptr || !Make_Image(w, h)) {
        Report_Log("\n Общая память с X-сервером недоступна: кадры идут через окно SDL.");
        Frame.refused = true;
        return nullptr;
    }
    return Frame.surface;
}

void Shared_Frame_Show(const SDL_Rect* rects, int count) {
    if (Frame.image == nullptr) return;
    const int w = Frame.image->width, h = Frame.image->height;
    for (int i = 0; i < count; ++i) {
        const int x0 = std::max(rects[i].x, 0), y0 = std::max(rects[i].y, 0);
        const int x1 = std::min(rects[i].x + rects[i].w, w);
        const int y1 = std::min(rects[i].y + rects[i].h, h);
        if (x1 > x0 && y1 > y0)
            XShmPutImage(Frame.display, Frame.window, Frame.gc, Frame.image, x0, y0, x0, y0,
                         static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0), False);
    }
    // The pixels of the next frame are written 30 ms later, long after the server
    // has taken these; were it slower, it would show the newer pixels, which go to
    // it again with their own frame.
    if (++Frame.unanswered >= Frames_Between_Waits) {
        XSync(Frame.display, False);
        Frame.unanswered = 0;
    } else {
        XFlush(Frame.display);
    }
}

void Shared_Frame_Close() {
    Free_Image();
    if (Frame.gc != nullptr) XFreeGC(Frame.display, Frame.gc);
    Frame = Shared_Frame{};
}

bool Display_Quiet() {
    if (Frame.events_of != Sdl.win) {
        Frame.events_of = Sdl.win;
        ::Window w = 0;
        if (!X11_Window(&Frame.events, &w)) Frame.events = nullptr;
    }
    if (Frame.events == nullptr || XEventsQueued(Frame.events, QueuedAlready) > 0) return false;
    pollfd p{ConnectionNumber(Frame.events), POLLIN, 0};
    return poll(&p, 1, 0) == 0;
}

#else

SDL_Surface* Shared_Frame_Surface() {
    return nullptr;
}
void Shared_Frame_Show(const SDL_Rect*, int) {}
void Shared_Frame_Close() {}
bool Display_Quiet() {
    return false;
}

#endif
