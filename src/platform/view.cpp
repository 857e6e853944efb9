// Scale and offset of the picture in a window, and the changes between frames.
#include "platform/view.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/platform_internal.h"

namespace {

constexpr int Pic_W = Plat_Frame_W, Pic_H = Plat_Frame_H;
constexpr int Chunks = Pic_W / Plat_Chunk;
static_assert(Pic_W % Plat_Chunk == 0 && Pic_H % Plat_Band_Rows == 0, "tiles cover the picture");

int Floor_Div(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool Chunk_Differs(const uint8_t* a, const uint8_t* b) {
    uint64_t x[Plat_Chunk / 8], y[Plat_Chunk / 8];
    std::memcpy(x, a, Plat_Chunk);
    std::memcpy(y, b, Plat_Chunk);
    uint64_t d = 0;
    for (int i = 0; i < Plat_Chunk / 8; ++i) d |= x[i] ^ y[i];
    return d != 0;
}

}  // namespace

Plat_View Plat_View_For(int w, int h) {
    const int k = std::max(1, std::min({w / Pic_W, h / Pic_H, 16}));
    return Plat_View{k, (w - Pic_W * k) / 2, (h - Pic_H * k) / 2};
}

void Plat_View_To_Picture(const Plat_View& v, int wx, int wy, int* px, int* py) {
    *px = std::clamp(Floor_Div(wx - v.x, v.k), 0, Pic_W - 1);
    *py = std::clamp(Floor_Div(wy - v.y, v.k), 0, Pic_H - 1);
}

int Plat_Find_Changes(uint8_t* shown, const uint8_t* pixels, int pitch, Plat_Span_Fn span,
                      void* context, Plat_Rect rects[Plat_Max_Change_Rects]) {
    int count = 0;
    for (int band = 0; band < Pic_H; band += Plat_Band_Rows) {
        bool dirty[Chunks] = {};
        int top = -1, bottom = -1;
        for (int y = band; y < band + Plat_Band_Rows; ++y) {
            const uint8_t* src = pixels + static_cast<ptrdiff_t>(y) * pitch;
            uint8_t* old = shown + static_cast<ptrdiff_t>(y) * Pic_W;
            bool row_changed = false;
            for (int c = 0; c < Chunks;) {
                if (!Chunk_Differs(src + c * Plat_Chunk, old + c * Plat_Chunk)) {
                    ++c;
                    continue;
                }
                int end = c + 1;
                while (end < Chunks &&
                       Chunk_Differs(src + end * Plat_Chunk, old + end * Plat_Chunk))
                    ++end;
                // Only the pixels between the first and the last that changed.
                int a = c * Plat_Chunk, b = end * Plat_Chunk;
                while (src[a] == old[a]) ++a;
                while (src[b - 1] == old[b - 1]) --b;
                std::memcpy(old + a, src + a, static_cast<size_t>(b - a));
                span(context, y, a, b);
                for (int i = c; i < end; ++i) dirty[i] = true;
                row_changed = true;
                c = end;
            }
            if (!row_changed) continue;
            if (top < 0) top = y;
            bottom = y + 1;
        }
        if (top < 0) continue;
        for (int c = 0; c < Chunks;) {
            if (!dirty[c]) {
                ++c;
                continue;
            }
            // Runs apart by less than the gap go as one rectangle.
            int end = c + 1;
            for (int look = end; look < Chunks && look < end + Plat_Merge_Gap; ++look)
                if (dirty[look]) end = look + 1;
            rects[count++] = Plat_Rect{c * Plat_Chunk, top, (end - c) * Plat_Chunk, bottom - top};
            c = end;
        }
    }
    return count;
}
