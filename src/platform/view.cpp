// Scale and offset of the picture in a window, and the changes between frames.
#include "platform/view.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// Where the compiler can build code for AVX2 beside the baseline, the scaler uses it
// on processors that have it.
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define VELTRAN_AVX2 1
#include <immintrin.h>
#endif

#include "core/cache_lines.h"
#include "platform/platform_internal.h"

namespace {

constexpr int Pic_W = Plat_Frame_W, Pic_H = Plat_Frame_H;
static_assert(Pic_W % Plat_Chunk == 0 && Pic_H % Plat_Band_Rows == 0, "tiles cover the picture");

#if defined(__SSE2__)
// The bytes among 16 of a and b that differ, bit i for byte i.
inline uint32_t Differ16(const uint8_t* a, const uint8_t* b) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    return ~static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) & 0xFFFFu;
}
#endif

// The bytes of rows a and b in [x, end) that differ, bit i for byte x + i; at most
// 32 bytes, in rows at least 16 wide.
inline uint32_t Differ(const uint8_t* a, const uint8_t* b, int x, int end) {
    uint32_t mask = 0;
    int i = x;
#if defined(__SSE2__)
    for (; i + 16 <= end; i += 16) mask |= Differ16(a + i, b + i) << (i - x);
    if (i < end) {
        // The last few bytes from the 16 that end with them (or start the row).
        const int at = std::max(end - 16, 0);
        const uint32_t m = (Differ16(a + at, b + at) >> (i - at)) & ((1u << (end - i)) - 1);
        mask |= m << (i - x);
    }
#else
    for (; i + 8 <= end; i += 8) {
        uint64_t p, q;
        std::memcpy(&p, a + i, 8);
        std::memcpy(&q, b + i, 8);
        if (p == q) continue;
        for (int k = 0; k < 8; ++k)
            mask |= static_cast<uint32_t>(a[i + k] != b[i + k]) << (i - x + k);
    }
    for (; i < end; ++i) mask |= static_cast<uint32_t>(a[i] != b[i]) << (i - x);
#endif
    return mask;
}

// A changed run of a row, [a, b), and a rectangle [x0, x1) x [y0, y1) around runs.
struct Run {
    int y, a, b;
};
struct Box {
    int x0, y0, x1, y1;
};

// What a rectangle costs beyond its pixels, in pixels: one request to the window
// system, and a pixel's border blended around it when scaled sharp.
int Box_Cost(int x0, int y0, int x1, int y1) {
    return (x1 - x0 + 1) * (y1 - y0 + 1);
}

// What one rectangle around both costs more than the two.
int Joining_Adds(const Box& p, const Box& q) {
    return Box_Cost(std::min(p.x0, q.x0), std::min(p.y0, q.y0), std::max(p.x1, q.x1),
                    std::max(p.y1, q.y1)) -
           Box_Cost(p.x0, p.y0, p.x1, p.y1) - Box_Cost(q.x0, q.y0, q.x1, q.y1);
}

void Join(Box* p, const Box& q) {
    *p = Box{std::min(p->x0, q.x0), std::min(p->y0, q.y0), std::max(p->x1, q.x1),
             std::max(p->y1, q.y1)};
}

// The rectangles around a band's runs (in rows from the top, each row's from the
// left). A run joins the rectangle that reached the row above, or its own row, a
// few pixels apart at most: the changed parts of a glyph, a sparkle, a moving
// letter's edges. Then rectangles join where one around both adds at most
// Plat_Join_Cost pixels: fewer requests, and no pixel between them scaled for
// nothing. A band of scattered changes (more than Plat_Band_Boxes rectangles) is
// taken in columns instead, whole rows of the band high.
void Band_Boxes(const std::vector<Run>& runs, std::vector<Box>* out) {
    std::vector<Box>& boxes = *out;
    boxes.clear();
    for (const Run& r : runs) {
        bool joined = false;
        for (Box& b : boxes)
            if (b.y1 >= r.y && r.a < b.x1 + Plat_Run_Gap && r.b > b.x0 - Plat_Run_Gap) {
                Join(&b, Box{r.a, r.y, r.b, r.y + 1});
                joined = true;
                break;
            }
        if (!joined) boxes.push_back(Box{r.a, r.y, r.b, r.y + 1});
    }
    // Past a few times the rectangles a band keeps, joining pairs would take longer
    // than the pixels it saves.
    for (bool again = boxes.size() <= 4 * static_cast<size_t>(Plat_Band_Boxes); again;) {
        again = false;
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = i + 1; j < boxes.size();) {
                if (Joining_Adds(boxes[i], boxes[j]) <= Plat_Join_Cost) {
                    Join(&boxes[i], boxes[j]);
                    boxes.erase(boxes.begin() + static_cast<ptrdiff_t>(j));
                    again = true;
                } else {
                    ++j;
                }
            }
    }
    if (boxes.size() <= static_cast<size_t>(Plat_Band_Boxes)) return;
    std::sort(boxes.begin(), boxes.end(), [](const Box& p, const Box& q) { return p.x0 < q.x0; });
    size_t kept = 0;
    for (size_t i = 1; i < boxes.size(); ++i) {
        if (boxes[i].x0 < boxes[kept].x1 + Plat_Merge_Gap)
            Join(&boxes[kept], boxes[i]);
        else
            boxes[++kept] = boxes[i];
    }
    boxes.resize(kept + 1);
}

int Floor_Div(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

Plat_Layout Plat_Layout_For(int w, int h, Plat_Scale scale) {
    // The largest whole scale that fits (at most 16), centred; a window smaller than
    // the picture shows its middle at scale 1.
    const int k = std::max(1, std::min({w / Pic_W, h / Pic_H, 16}));
    if (scale == Plat_Scale::Whole || w <= 0 || h <= 0)
        return Plat_Layout{k, (w - Pic_W * k) / 2, (h - Pic_H * k) / 2, Pic_W * k, Pic_H * k};
    // As high as the screen, or as wide where that is the limit; 4:3 kept. A window
    // smaller than the picture (a phone's page) shows all of it, smaller.
    int lw = w, lh = w * Pic_H / Pic_W;
    if (lh > h) {
        lh = h;
        lw = (h * Pic_W + Pic_H / 2) / Pic_H;
    }
    return Plat_Layout{std::max(1, std::min(lw / Pic_W, lh / Pic_H)), (w - lw) / 2, (h - lh) / 2,
                       lw, lh};
}

void Plat_Layout_To_Picture(const Plat_Layout& l, int wx, int wy, int* px, int* py) {
    *px = std::clamp(static_cast<int>(Floor_Div((wx - l.x) * Pic_W, l.w)), 0, Pic_W - 1);
    *py = std::clamp(static_cast<int>(Floor_Div((wy - l.y) * Pic_H, l.h)), 0, Pic_H - 1);
}

int Plat_Window_Factor(int area_w, int area_h, int frame_w, int frame_h) {
    return std::clamp(std::min((area_w - frame_w) / Pic_W, (area_h - frame_h) / Pic_H), 1, 16);
}

int Plat_Find_Changes(uint8_t* shown, const uint8_t* pixels, int pitch, const Plat_Rect* hint,
                      int hint_count, Plat_Span_Fn span, void* context,
                      Plat_Rect rects[Plat_Max_Change_Rects]) {
    constexpr int Bands = Pic_H / Plat_Band_Rows;
    // The parts of each row to look at: the whole row, or the hinted rectangles.
    struct Part {
        int y0, y1, x0, x1;
    };
    static std::vector<Part> parts[Bands];
    for (auto& p : parts) p.clear();
    const Plat_Rect whole{0, 0, Pic_W, Pic_H};
    if (hint == nullptr) {
        hint = &whole;
        hint_count = 1;
    }
    for (int i = 0; i < hint_count; ++i) {
        const Plat_Rect& r = hint[i];
        const int x0 = std::max(r.x, 0), x1 = std::min(r.x + r.w, Pic_W);
        const int y0 = std::max(r.y, 0), y1 = std::min(r.y + r.h, Pic_H);
        if (x0 >= x1 || y0 >= y1) continue;
        for (int band = y0 / Plat_Band_Rows; band <= (y1 - 1) / Plat_Band_Rows; ++band)
            parts[band].push_back(Part{std::max(y0, band * Plat_Band_Rows),
                                       std::min(y1, (band + 1) * Plat_Band_Rows), x0, x1});
    }
    // The frame shown was last read a frame ago: its hinted lines asked for at
    // once, before the first comparison waits on them.
    for (const auto& band_parts : parts)
        for (const Part& p : band_parts)
            Fetch_Lines(shown + static_cast<ptrdiff_t>(p.y0) * Pic_W + p.x0,
                        static_cast<size_t>(p.x1 - p.x0), p.y1 - p.y0, Pic_W);
    static std::vector<Run> runs;
    static std::vector<Box> boxes;
    // The rectangles that reach the bottom of the band before this one.
    static std::vector<int> open, still_open;
    open.clear();
    int count = 0;
    for (int band = 0; band < Bands; ++band) {
        if (parts[band].empty()) continue;
        // Left to right, so that a row's runs come in order and overlaps are looked
        // at once.
        std::sort(parts[band].begin(), parts[band].end(),
                  [](const Part& p, const Part& q) { return p.x0 < q.x0; });
        runs.clear();
        for (int y = band * Plat_Band_Rows; y < (band + 1) * Plat_Band_Rows; ++y) {
            const uint8_t* src = pixels + static_cast<ptrdiff_t>(y) * pitch;
            uint8_t* old = shown + static_cast<ptrdiff_t>(y) * Pic_W;
            int done = 0;  // the row is looked at up to here
            for (const Part& p : parts[band]) {
                if (y < p.y0 || y >= p.y1 || p.x1 <= done) continue;
                int x = std::max(p.x0, done);
                done = p.x1;
                while (x < p.x1) {
                    const int end = std::min(x + Plat_Chunk, p.x1);
                    const uint32_t first = Differ(src, old, x, end);
                    if (first == 0) {
                        x = end;
                        continue;
                    }
                    // Changed pieces next to each other make one run, from its first
                    // changed pixel to its last.
                    const int a = x + __builtin_ctz(first);
                    int b = x + 32 - __builtin_clz(first);
                    for (int piece = end; piece < p.x1;) {
                        const int next = std::min(piece + Plat_Chunk, p.x1);
                        const uint32_t m = Differ(src, old, piece, next);
                        if (m == 0) break;
                        b = piece + 32 - __builtin_clz(m);
                        piece = next;
                    }
                    std::memcpy(old + a, src + a, static_cast<size_t>(b - a));
                    span(context, y, a, b);
                    runs.push_back(Run{y, a, b});
                    x = b;
                }
            }
        }
        if (runs.empty()) continue;
        Band_Boxes(runs, &boxes);
        // A rectangle that goes on from one of the band above joins it where that
        // adds little: a glyph or a falling block is one request, not one a band.
        const int top = band * Plat_Band_Rows, bottom = top + Plat_Band_Rows;
        still_open.clear();
        for (const Box& b : boxes) {
            int at = -1;
            for (int j : open) {
                const Plat_Rect& o = rects[j];
                const Box above{o.x, o.y, o.x + o.w, o.y + o.h};
                if (b.y0 == top && Joining_Adds(above, b) <= Plat_Join_Cost) {
                    at = j;
                    break;
                }
            }
            if (at >= 0) {
                Plat_Rect& o = rects[at];
                const int x0 = std::min(o.x, b.x0), x1 = std::max(o.x + o.w, b.x1);
                o = Plat_Rect{x0, o.y, x1 - x0, b.y1 - o.y};
            } else if (count < Plat_Max_Change_Rects) {
                at = count;
                rects[count++] = Plat_Rect{b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0};
            }
            if (at >= 0 && b.y1 == bottom) still_open.push_back(at);
        }
        open.swap(still_open);
    }
    return count;
}

void Plat_Sharp_Scaler::Taps(int length, int k, int picture, std::vector<Tap>* taps,
                             std::vector<int>* first, std::vector<int>* last) {
    // The enlarged picture is k * picture long; window pixel d samples it at its
    // centre, between two of its pixels.
    const int enlarged = k * picture;
    taps->assign(static_cast<size_t>(length), Tap{});
    first->assign(static_cast<size_t>(picture), length);
    last->assign(static_cast<size_t>(picture), -1);
    for (int d = 0; d < length; ++d) {
        const int64_t u256 = ((2 * int64_t{d} + 1) * enlarged * 128) / length - 128;
        int64_t i0 = u256 >= 0 ? u256 / 256 : -1;
        int w = static_cast<int>(u256 - i0 * 256);
        if (i0 < 0) i0 = 0, w = 0;
        const int64_t i1 = std::min<int64_t>(i0 + 1, enlarged - 1);
        Tap t{static_cast<uint16_t>(i0 / k), static_cast<uint16_t>(i1 / k),
              static_cast<uint16_t>(w)};
        if (t.p0 == t.p1) t.w1 = 0;  // inside one enlarged pixel: crisp
        (*taps)[static_cast<size_t>(d)] = t;
        for (int p : {static_cast<int>(t.p0), static_cast<int>(t.p1)}) {
            (*first)[static_cast<size_t>(p)] = std::min((*first)[static_cast<size_t>(p)], d);
            (*last)[static_cast<size_t>(p)] = std::max((*last)[static_cast<size_t>(p)], d);
        }
    }
    // A picture made less than half as large leaves pixels no window pixel reads.
    // Such a pixel takes the last of the one before and the first of the one after,
    // so that both go on from their neighbours' everywhere: a run of pixels then
    // reaches from its first's first to its last's last, and a run that colours
    // nothing ends before it starts.
    for (int p = 1; p < picture; ++p)
        if ((*last)[static_cast<size_t>(p)] < 0)
            (*last)[static_cast<size_t>(p)] = (*last)[static_cast<size_t>(p - 1)];
    for (int p = picture - 2; p >= 0; --p)
        if ((*first)[static_cast<size_t>(p)] == length)
            (*first)[static_cast<size_t>(p)] = (*first)[static_cast<size_t>(p + 1)];
}

void Plat_Sharp_Scaler::Prepare(const Plat_Layout& l, bool wide) {
    layout_ = l;
    Taps(l.w, l.k, Pic_W, &cols_, &col_first_, &col_last_);
    Taps(l.h, l.k, Pic_H, &rows_, &row_first_, &row_last_);
    col_weights_.resize(cols_.size() * 4 + 8);  // read 4 pixels at a time, up to 3 beyond
    for (size_t x = 0; x < cols_.size(); ++x)
        for (size_t i = 0; i < 4; ++i) col_weights_[4 * x + i] = cols_[x].w1;
    col_p0_.resize(cols_.size());
    col_p1_.resize(cols_.size());
    for (size_t x = 0; x < cols_.size(); ++x) {
        col_p0_[x] = cols_[x].p0;
        col_p1_[x] = cols_[x].w1 != 0 ? cols_[x].p1 : cols_[x].p0;
    }
    // Eight window columns at a time take their pixels from the eight picture
    // pixels after the first one's: true of any enlarged picture but one a few per
    // cent larger, never of a picture made smaller.
    wide_ = false;
    (void)wide;
#if defined(VELTRAN_AVX2)
    wide_ = wide && __builtin_cpu_supports("avx2");
    for (size_t x = 0; wide_ && x + 8 <= cols_.size(); ++x)
        for (size_t i = 0; i < 8; ++i)
            if (col_p1_[x + i] - col_p0_[x] > 7) wide_ = false;
#endif
}

Plat_Rect Plat_Sharp_Scaler::Window_Rect(const Plat_Rect& p) const {
    if (p.w <= 0 || p.h <= 0) return Plat_Rect{0, 0, 0, 0};
    const int x0 = col_first_[static_cast<size_t>(p.x)];
    const int x1 = col_last_[static_cast<size_t>(p.x + p.w - 1)];
    const int y0 = row_first_[static_cast<size_t>(p.y)];
    const int y1 = row_last_[static_cast<size_t>(p.y + p.h - 1)];
    if (x1 < x0 || y1 < y0) return Plat_Rect{0, 0, 0, 0};
    return Plat_Rect{layout_.x + x0, layout_.y + y0, x1 - x0 + 1, y1 - y0 + 1};
}

namespace {
// Each byte of a and b mixed, b weighing w of 256: (a * (256 - w) + b * w) >> 8.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t w) {
    if (w == 0) return a;
    const uint32_t v = 256 - w;
    const uint32_t rb = (((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const uint32_t ga = (((a >> 8) & 0xFF00FFu) * v + ((b >> 8) & 0xFF00FFu) * w) & 0xFF00FF00u;
    return rb | ga;
}

#if defined(__SSE2__)
// Four pixels of a and b mixed as Mix does, each byte in a 16-bit lane: a byte times
// 256 at most fits, so the sum never carries into the next lane.
inline __m128i Mix4(__m128i a, __m128i b, __m128i w_lo, __m128i w_hi) {
    const __m128i zero = _mm_setzero_si128(), all = _mm_set1_epi16(256);
    const __m128i lo =
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), _mm_sub_epi16(all, w_lo)),
                      _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), w_lo));
    const __m128i hi =
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), _mm_sub_epi16(all, w_hi)),
                      _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), w_hi));
    return _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
}
#endif

#if defined(VELTRAN_AVX2)
// Mix4 on eight pixels: the 16-bit lanes of each half of a 256-bit register.
__attribute__((target("avx2"))) inline __m256i Mix8(__m256i a, __m256i b, __m256i w_lo,
                                                    __m256i w_hi) {
    const __m256i zero = _mm256_setzero_si256(), all = _mm256_set1_epi16(256);
    const __m256i lo = _mm256_add_epi16(
        _mm256_mullo_epi16(_mm256_unpacklo_epi8(a, zero), _mm256_sub_epi16(all, w_lo)),
        _mm256_mullo_epi16(_mm256_unpacklo_epi8(b, zero), w_lo));
    const __m256i hi = _mm256_add_epi16(
        _mm256_mullo_epi16(_mm256_unpackhi_epi8(a, zero), _mm256_sub_epi16(all, w_hi)),
        _mm256_mullo_epi16(_mm256_unpackhi_epi8(b, zero), w_hi));
    return _mm256_packus_epi16(_mm256_srli_epi16(lo, 8), _mm256_srli_epi16(hi, 8));
}

// Mix_Rows eight pixels at a time; returns how many it did.
__attribute__((target("avx2"))) int Mix_Rows_Avx2(const uint32_t* a, const uint32_t* b, uint32_t w,
                                                  uint32_t* o, int n) {
    const __m256i wv = _mm256_set1_epi16(static_cast<int16_t>(w));
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + x));
        const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(o + x), Mix8(pa, pb, wv, wv));
    }
    return x;
}

// The blend across a row eight window pixels at a time: their picture pixels lie
// among the eight from the first one's p0, which one load brings and two permutes
// sort into the a's and the b's. The pixels go through in the order 0 1 4 5 2 3 6 7,
// so that unpacking the bytes of each half gives pixels 0-3 and 4-7 in order and
// their weights are read straight; packing gives that order back, put right at the
// end. Returns how many it did.
__attribute__((target("avx2"))) int Line_Avx2(const uint32_t* c, const int32_t* p0,
                                              const int32_t* p1, const uint16_t* w, int n,
                                              uint32_t* out) {
    constexpr int Order = _MM_SHUFFLE(3, 1, 2, 0);
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const __m256i base = _mm256_set1_epi32(p0[x]);
        const __m256i i0 = _mm256_permute4x64_epi64(
            _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p0 + x)), base),
            Order);
        const __m256i i1 = _mm256_permute4x64_epi64(
            _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p1 + x)), base),
            Order);
        const __m256i colours = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + p0[x]));
        const __m256i a = _mm256_permutevar8x32_epi32(colours, i0);
        const __m256i b = _mm256_permutevar8x32_epi32(colours, i1);
        const __m256i w_lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 4 * x));
        const __m256i w_hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 4 * x + 16));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x),
                            _mm256_permute4x64_epi64(Mix8(a, b, w_lo, w_hi), Order));
    }
    return x;
}
#endif

// o[x] = Mix(a[x], b[x], w) for n pixels.
void Mix_Rows(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* o, int n, bool wide) {
    int x = 0;
#if defined(VELTRAN_AVX2)
    if (wide) x = Mix_Rows_Avx2(a, b, w, o, n);
#else
    (void)wide;
#endif
#if defined(__SSE2__)
    const __m128i wv = _mm_set1_epi16(static_cast<int16_t>(w));
    for (; x + 4 <= n; x += 4) {
        const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
        const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + x), Mix4(pa, pb, wv, wv));
    }
#endif
    for (; x < n; ++x) o[x] = Mix(a[x], b[x], w);
}
}  // namespace

void Plat_Sharp_Scaler::Line(const uint8_t* src, const uint32_t lut[256], int from, int n,
                             uint32_t* out) const {
    const Tap* taps = &cols_[static_cast<size_t>(from)];
    // The picture pixels the line reads, through the palette once each, and one
    // beyond: a blended window pixel mixes c[p0] with c[p0 + 1], which one 64-bit
    // load gives (where p1 is not p0 + 1 the weight is 0 and c[p0 + 1] unused).
    const int p_first = taps[0].p0, p_last = taps[n - 1].p1;
    thread_local std::vector<uint32_t> colours;
    colours.resize(static_cast<size_t>(Pic_W) + 8);  // eight read at a time
    uint32_t* c = colours.data();
    for (int p = p_first; p <= p_last; ++p) c[p] = lut[src[p]];
    c[p_last + 1] = c[p_last];
    int x = 0;
#if defined(VELTRAN_AVX2)
    if (wide_)
        x = Line_Avx2(c, &col_p0_[static_cast<size_t>(from)], &col_p1_[static_cast<size_t>(from)],
                      &col_weights_[static_cast<size_t>(from) * 4], n, out);
#endif
#if defined(__SSE2__)
    const uint16_t* w = &col_weights_[static_cast<size_t>(from) * 4];
    for (; x + 4 <= n; x += 4) {
        const Tap* t = taps + x;
        auto pair = [c](const Tap& tap) {
            return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + tap.p0));
        };
        // [a0 b0 a1 b1] and [a2 b2 a3 b3], then the a's and the b's apart.
        const __m128 p01 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(t[0]), pair(t[1])));
        const __m128 p23 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(t[2]), pair(t[3])));
        const __m128i a = _mm_castps_si128(_mm_shuffle_ps(p01, p23, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i b = _mm_castps_si128(_mm_shuffle_ps(p01, p23, _MM_SHUFFLE(3, 1, 3, 1)));
        const __m128i w_lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4 * x));
        const __m128i w_hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4 * x + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), Mix4(a, b, w_lo, w_hi));
    }
#endif
    for (; x < n; ++x) out[x] = Mix(c[taps[x].p0], c[taps[x].p1], taps[x].w1);
}

Plat_Rect Plat_Sharp_Scaler::Drawn_Rect(const Plat_Rect& window) const {
    // Widened to whole steps of the loops (within the layout), so that no row ends
    // in the narrower loops: the pixels added are drawn from the same picture, so
    // they are what the window shows there already.
    Plat_Rect r = window;
    const int step = wide_ ? 8 : 4;
    if (r.w % step != 0 && layout_.w >= step) {
        r.w = std::min(r.w + step - r.w % step, layout_.w);
        r.x = std::min(r.x, layout_.x + layout_.w - r.w);
    }
    return r;
}

void Plat_Sharp_Scaler::Draw(const uint8_t* pixels, const uint32_t lut[256],
                             const Plat_Rect& window, uint32_t* out, int out_pitch, int out_x,
                             int out_y) const {
    const Plat_Rect r = Drawn_Rect(window);
    // Each picture row blended across once into a line of the rectangle's width;
    // window rows then mix two such lines (most use the same two as the row above).
    thread_local std::vector<uint32_t> lines[2];
    int line_row[2] = {-1, -1};
    for (std::vector<uint32_t>& l : lines) l.resize(static_cast<size_t>(r.w));
    const int from = r.x - layout_.x;
    // The line of a picture row, made in the slot that does not hold keep's.
    auto line_of = [&](int row, int keep) -> const uint32_t* {
        for (int i = 0; i < 2; ++i)
            if (line_row[i] == row) return lines[i].data();
        const int slot = line_row[0] == keep ? 1 : 0;
        Line(pixels + static_cast<ptrdiff_t>(row) * Pic_W, lut, from, r.w, lines[slot].data());
        line_row[slot] = row;
        return lines[slot].data();
    };
    const auto out_row = [&](int wy) {
        return out + static_cast<ptrdiff_t>(wy - out_y) * out_pitch + (r.x - out_x);
    };
    Fetch_Lines(out_row(r.y), static_cast<size_t>(r.w) * 4, r.h,
                static_cast<ptrdiff_t>(out_pitch) * 4);
    for (int wy = r.y; wy < r.y + r.h; ++wy) {
        const Tap& ty = rows_[static_cast<size_t>(wy - layout_.y)];
        const uint32_t* a = line_of(ty.p0, ty.p1);
        uint32_t* o = out_row(wy);
        if (ty.w1 == 0)
            std::memcpy(o, a, static_cast<size_t>(r.w) * 4);
        else
            Mix_Rows(a, line_of(ty.p1, ty.p0), ty.w1, o, r.w, wide_);
    }
}
