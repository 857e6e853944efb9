// On X, a frame's changed rectangles in shared memory of the program's own, each
// packed, handed to the X server without waiting for its answer each frame, and
// whether the connection holds anything for SDL's pump. Elsewhere neither: SDL's
// window surface and pump.
#include "platform/sdl_parts.h"

#include <algorithm>
#include <vector>

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
    SDL_Surface* surface = nullptr;  // the segment as the whole window, for a whole frame
    int unanswered = 0;              // frames handed over since the server last answered
    // The frame's rectangles are each written packed into the segment, one after
    // another, and put from there: a few pages of memory instead of a page for each
    // window row. Bytes written since the server last answered are never written
    // again before it answers once more.
    size_t used = 0;
    struct Staged {
        SDL_Rect at, put;  // where its rows go; the part of it handed to the server
        size_t offset;
    };
    std::vector<Staged> staged;  // this frame's, not yet put
    bool refused = false;        // not on X, or no shared memory with this server
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

size_t Capacity() {
    return static_cast<size_t>(Frame.image->bytes_per_line) *
           static_cast<size_t>(Frame.image->height);
}

// Waits for the server to have taken every request so far: the segment is free.
void Settle() {
    XSync(Frame.display, False);
    Frame.unanswered = 0;
    Frame.used = 0;
}

// The rectangles staged so far, put from their packed rows.
void Put_Staged() {
    XImage part = *Frame.image;
    for (const Shared_Frame::Staged& s : Frame.staged) {
        part.width = s.at.w;
        part.height = s.at.h;
        part.bytes_per_line = s.at.w * 4;
        part.data = Frame.segment.shmaddr + s.offset;
        XShmPutImage(Frame.display, Frame.window, Frame.gc, &part, s.put.x - s.at.x,
                     s.put.y - s.at.y, s.put.x, s.put.y, static_cast<unsigned>(s.put.w),
                     static_cast<unsigned>(s.put.h), False);
    }
    Frame.staged.clear();
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
    Frame.used = 0;
    Frame.staged.clear();
    if (w <= 0 || h <= 0 || Frame.gc == nullptr || !Make_Image(w, h)) {
        Report_Log("\n Общая память с X-сервером недоступна: кадры идут через окно SDL.");
        Frame.refused = true;
        return nullptr;
    }
    return Frame.surface;
}

uint32_t* Shared_Frame_Stage(const SDL_Rect& r, const SDL_Rect& put) {
    if (Frame.image == nullptr || r.x < 0 || r.y < 0 || r.w <= 0 || r.h <= 0 ||
        r.x + r.w > Frame.image->width || r.y + r.h > Frame.image->height || put.w <= 0 ||
        put.h <= 0 || put.x < r.x || put.y < r.y || put.x + put.w > r.x + r.w ||
        put.y + put.h > r.y + r.h)
        return nullptr;
    const size_t bytes = static_cast<size_t>(r.w) * static_cast<size_t>(r.h) * 4;
    // Each rectangle on lines of its own.
    size_t at = (Frame.used + 63) & ~size_t{63};
    if (at + bytes > Capacity()) {
        // Full: what this frame staged goes first, then the server is waited for.
        Put_Staged();
        Settle();
        at = 0;
    }
    Frame.staged.push_back(Shared_Frame::Staged{r, put, at});
    Frame.used = at + bytes;
    return reinterpret_cast<uint32_t*>(Frame.segment.shmaddr + at);
}

void Shared_Frame_Show_Staged() {
    if (Frame.image == nullptr) return;
    Put_Staged();
    // The segment is written again 30 ms later at the soonest; a server slower
    // than that is waited for before its bytes are touched (see Shared_Frame_Stage).
    if (++Frame.unanswered >= Frames_Between_Waits)
        Settle();
    else
        XFlush(Frame.display);
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
uint32_t* Shared_Frame_Stage(const SDL_Rect&, const SDL_Rect&) {
    return nullptr;
}
void Shared_Frame_Show_Staged() {}
void Shared_Frame_Close() {}
bool Display_Quiet() {
    return false;
}

#endif
