// The kept list of a frame's copies into the back buffer, its comparison with the
// last frame's in tiles of 16 x 16 pixels, and the drawing of the tiles that
// changed; sources that change or go while still kept are copied first.
#include "graphics/compose.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <utility>

#include "core/cache_lines.h"
#include "core/report_log.h"

namespace {

constexpr int Tile = 16;
constexpr int Tiles_X = 640 / Tile, Tiles_Y = 480 / Tile;

struct Kept {
    Rect t, d, s;        // the part written, the whole destination, the source rectangle
    Rect touch;          // where it can change a pixel: t, or a keyed sprite's opaque part
    const Surface* src;  // null: a fill
    uint64_t sig;        // what it draws, for the comparison
    uint8_t index;       // a fill's colour
    bool keyed;
};

Compose_Mode Mode = Compose_Mode::Full;
Surface* Target = nullptr;  // the back buffer
std::vector<Kept> List;
std::vector<Surface*> Copies;  // sources copied before they changed
uint64_t Now_Hash[Tiles_X * Tiles_Y], Last_Hash[Tiles_X * Tiles_Y];
std::vector<int> Rows[Tiles_Y];  // per row of tiles, the kept copies that touch it
bool Whole = true;               // the next flush draws every tile
Surface* Reference = nullptr;    // check mode: the frame composed in full
bool Written = false;            // the back buffer was written behind the list's back
int Failures = 0, Frames = 0;

uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    h *= 0xFF51AFD7ED558CCDULL;
    return h ^ (h >> 32);
}

uint64_t Mix_Rect(uint64_t h, const Rect& r) {
    return Mix(Mix(h, (uint64_t(uint32_t(r.left)) << 32) | uint32_t(r.top)),
               (uint64_t(uint32_t(r.right)) << 32) | uint32_t(r.bottom));
}

void Draw(Surface* dst, const Kept& k, const Rect& within) {
    const Rect t{k.t.left > within.left ? k.t.left : within.left,
                 k.t.top > within.top ? k.t.top : within.top,
                 k.t.right < within.right ? k.t.right : within.right,
                 k.t.bottom < within.bottom ? k.t.bottom : within.bottom};
    if (t.left >= t.right || t.top >= t.bottom) return;
    if (k.src == nullptr)
        Fill_Pixels(dst, t, k.index);
    else
        Blt_Pixels(dst, t, k.d, k.src, k.s, k.keyed);
}

void Forget_List() {
    for (const Kept& k : List)
        if (k.src != nullptr) k.src->readers -= 1;
    List.clear();
    for (Surface* c : Copies) {
        c->readers = 0;
        Surface_Destroy(c);
    }
    Copies.clear();
}

// Draws the whole list now, every tile (a read of the back buffer in the middle of
// a frame); the rest of the frame and the next one are drawn whole too.
void Flush_Whole() {
    std::vector<Rect> drawn;
    Whole = true;
    Compose_Flush(&drawn);
    Whole = true;
}

void Check_Frame() {
    ++Frames;
    if (Reference == nullptr) return;
    int first_x = -1, first_y = -1, wrong = 0;
    for (int y = 0; y < Target->height; ++y) {
        const uint8_t* a = Target->pixels + static_cast<size_t>(y) * Target->pitch;
        const uint8_t* b = Reference->pixels + static_cast<size_t>(y) * Reference->pitch;
        if (std::memcmp(a, b, static_cast<size_t>(Target->width)) == 0) continue;
        for (int x = 0; x < Target->width; ++x)
            if (a[x] != b[x]) {
                if (wrong++ == 0) first_x = x, first_y = y;
            }
    }
    if (wrong == 0) return;
    ++Failures;
    std::fprintf(stderr,
                 "veltran: compose check: frame %d differs from its full composition in %d "
                 "pixels, the first at (%d, %d)\n",
                 Frames, wrong, first_x, first_y);
}

}  // namespace

void Compose_Set_Mode(Compose_Mode mode) {
    if (Mode != Compose_Mode::Full && !List.empty()) Flush_Whole();
    Mode = mode;
    Compose_Reset();
}

Compose_Mode Compose_Get_Mode() {
    return Mode;
}

void Compose_Reset() {
    Forget_List();
    Whole = true;
    Surface_Destroy(Reference);
    Reference = nullptr;
    if (Mode == Compose_Mode::Check && Target != nullptr) {
        Reference = Surface_Create_Plain(Target->width, Target->height);
        if (Reference != nullptr)
            Rows_Copy(Reference->pixels, Reference->pitch, Target->pixels, Target->pitch,
                      Target->width, Target->height);
    }
}

namespace {

bool Keeps(const Surface* dst) {
    return Mode != Compose_Mode::Full && dst == Target && dst != nullptr &&
           dst->width == Tiles_X * Tile && dst->height == Tiles_Y * Tile;
}

void Keep_Blt(const Rect& t, const Rect& d, const Surface* src, const Rect& s, bool keyed) {
    if (src == Target) {  // a copy within the back buffer: drawn as it comes
        Flush_Whole();
        Blt_Pixels(Target, t, d, src, s, keyed);
        return;
    }
    Rect touch = t;
    if (keyed && s.right - s.left == d.right - d.left && s.bottom - s.top == d.bottom - d.top) {
        // A sprite, a glyph, a letter of a sheet copied at its size: only its opaque
        // pixels can change the picture, and the tiles they reach are all it touches.
        const Rect o = Surface_Opaque_In(src, s);
        const int dx = d.left - s.left, dy = d.top - s.top;
        touch = Rect{std::max(t.left, o.left + dx), std::max(t.top, o.top + dy),
                     std::min(t.right, o.right + dx), std::min(t.bottom, o.bottom + dy)};
        if (touch.left >= touch.right || touch.top >= touch.bottom) return;  // draws nothing
    }
    uint64_t sig = Mix_Rect(Mix_Rect(Mix(1, Surface_Content(src)), d), s);
    sig = Mix(sig, keyed ? 2 : 3);
    List.push_back(Kept{t, d, s, touch, src, sig, 0, keyed});
    src->readers += 1;
}

void Keep_Fill(const Rect& t, uint8_t index) {
    List.push_back(Kept{t, t, t, t, nullptr, Mix_Rect(Mix(4, index), t), index, false});
}

void Reading(const Surface* src) {
    if (src == Target && !List.empty()) Flush_Whole();
}

void Changing(Surface* s) {
    if (s->readers > 0) {
        // Kept copies still read it: they read a copy of it as it was.
        Surface* copy = Surface_Create_Plain(s->width, s->height);
        if (copy == nullptr) {
            Flush_Whole();
        } else {
            Rows_Copy(copy->pixels, copy->pitch, s->pixels, s->pitch, s->width, s->height);
            copy->color_key = s->color_key;
            copy->content = s->content;
            for (Kept& k : List)
                if (k.src == s) k.src = copy;
            copy->readers = s->readers;
            s->readers = 0;
            Copies.push_back(copy);
        }
    }
    if (s == Target && Mode != Compose_Mode::Full) {
        Flush_Whole();
        Whole = true;
        Written = true;  // in check mode the full composition takes over what was written
    }
}

const Surface_Keeper Keeper = {Keeps, Keep_Blt, Keep_Fill, Reading, Changing};

}  // namespace

void Compose_Set_Target(Surface* back_buffer) {
    if (Target != nullptr && Mode != Compose_Mode::Full && !List.empty()) Flush_Whole();
    Target = back_buffer;
    Surface_Set_Keeper(Target != nullptr ? &Keeper : nullptr);
    Compose_Reset();
}

bool Compose_Flush(std::vector<Rect>* drawn) {
    drawn->clear();
    if (Mode == Compose_Mode::Full || Target == nullptr) return false;
    if (Written && Reference != nullptr)
        Rows_Copy(Reference->pixels, Reference->pitch, Target->pixels, Target->pitch, Target->width,
                  Target->height);
    Written = false;
    for (auto& row : Rows) row.clear();
    for (uint64_t& h : Now_Hash) h = 0x51ED270B27A3F1C5ULL;
    for (int i = 0; i < static_cast<int>(List.size()); ++i) {
        const Kept& k = List[i];
        const int tx0 = k.touch.left / Tile, tx1 = (k.touch.right - 1) / Tile;
        const int ty0 = k.touch.top / Tile, ty1 = (k.touch.bottom - 1) / Tile;
        for (int ty = ty0; ty <= ty1; ++ty) {
            Rows[ty].push_back(i);
            // The tile's copies in their order (the signatures are mixed already).
            uint64_t* h = &Now_Hash[ty * Tiles_X];
            for (int tx = tx0; tx <= tx1; ++tx) h[tx] = (h[tx] ^ k.sig) * 0x9E3779B97F4A7C15ULL;
        }
    }
    // Runs of changed tiles along each row of tiles.
    static std::vector<Rect> runs;
    runs.clear();
    for (int ty = 0; ty < Tiles_Y; ++ty) {
        const uint64_t* now = &Now_Hash[ty * Tiles_X];
        const uint64_t* last = &Last_Hash[ty * Tiles_X];
        for (int tx = 0; tx < Tiles_X;) {
            if (!Whole && now[tx] == last[tx]) {
                ++tx;
                continue;
            }
            int end = tx + 1;
            while (end < Tiles_X && (Whole || now[end] != last[end])) ++end;
            runs.push_back(Rect{tx * Tile, ty * Tile, end * Tile, ty * Tile + Tile});
            tx = end;
        }
    }
    // Their lines were last written a frame ago: asked for at once, before the
    // first copy waits on them.
    if (!Whole)
        for (const Rect& run : runs)
            Fetch_Lines(Target->pixels + static_cast<ptrdiff_t>(run.top) * Target->pitch + run.left,
                        static_cast<size_t>(run.right - run.left), Tile, Target->pitch);
    // Each run drawn from the copies that touch it, in their order.
    for (const Rect& run : runs) {
        for (int k : Rows[run.top / Tile]) {
            const Kept& c = List[k];
            if (c.touch.right > run.left && c.touch.left < run.right) Draw(Target, c, run);
        }
        // Runs that continue one below another go out as one rectangle.
        if (!drawn->empty() && drawn->back().bottom == run.top && drawn->back().left == run.left &&
            drawn->back().right == run.right)
            drawn->back().bottom = run.bottom;
        else
            drawn->push_back(run);
    }
    std::memcpy(Last_Hash, Now_Hash, sizeof Last_Hash);
    const bool whole = Whole;
    Whole = false;
    if (Reference != nullptr) {
        const Rect all{0, 0, Reference->width, Reference->height};
        for (const Kept& k : List) Draw(Reference, k, all);
        Check_Frame();
    }
    Forget_List();
    return !whole;
}

int Compose_Check_Failures() {
    return Failures;
}

const Surface* Compose_Check_Reference() {
    return Reference;
}
