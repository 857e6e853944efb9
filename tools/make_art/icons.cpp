// The game's icon: a ruby cut like the game's stones, set in a gold-rimmed pane of
// indigo glass, drawn anew at each size; PNG files and a Windows icon file.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include <zlib.h>

#include "canvas.h"
#include "core/bytes.h"
#include "palette.h"
#include "pieces.h"

namespace art {

namespace {

int Clamp(int v, int lo, int hi) {
    return std::max(lo, std::min(hi, v));
}

// The octagon of the ruby stones, in units of its own radius.
double Octagon(double x, double y) {
    const double ax = std::fabs(x), ay = std::fabs(y);
    return std::max(std::max(ax, ay), (ax + ay) / 1.35);
}

// A rounded square: distance-like measure, < 1 inside.
double Rounded(double x, double y, double corner) {
    const double ax = std::fabs(x), ay = std::fabs(y);
    const double k = 1 - corner;
    if (ax <= k || ay <= k) return std::max(ax, ay);
    return k + std::hypot(ax - k, ay - k);
}

}  // namespace

Canvas Make_Icon(int size) {
    Canvas c(size, size);
    const double half = size / 2.0;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            // Pixel centre in -1..1.
            const double x = (i + 0.5 - half) / half, y = (j + 0.5 - half) / half;
            const double pane = Rounded(x, y, 0.28);
            if (pane > 0.98) continue;
            const double rim = std::max(0.06, 1.5 / size);
            if (pane > 0.98 - rim) {
                // The gold rim, lit from the top left.
                c.Set(i, j,
                      Tone(R_GOLD,
                           Clamp(static_cast<int>(std::lround(4.5 - 2.5 * (x + y) / 2)), 2, 7)));
                continue;
            }
            // Indigo glass with a soft light from the top left.
            int level = Clamp(static_cast<int>(std::lround(2.4 - (x + y) * 0.9)), 0, 4);
            // The ruby: the stones' octagon with its table and crown facets.
            const double gx = x / 0.62, gy = y / 0.62;
            const double r = Octagon(gx, gy);
            if (r <= 1.0) {
                int g;
                if (r > 0.92) {
                    g = 1;  // girdle
                } else if (r < 0.48) {
                    g = gx + gy < -0.22 ? 6 : 5;  // table
                } else {
                    const double a = std::atan2(gy, gx);
                    const int sector = static_cast<int>(std::floor((a + M_PI) / (M_PI / 4))) % 8;
                    static const int facet[8] = {4, 5, 6, 5, 3, 2, 1, 3};
                    g = facet[sector] + (r < 0.7 ? 0 : -1);
                }
                // The glint at the top left of the table.
                if (std::hypot(gx + 0.3, gy + 0.3) < 0.13) g = 7;
                c.Set(i, j, Tone(R_RUBY_DARK, Clamp(g, 0, 7)));
                continue;
            }
            c.Set(i, j, Tone(R_INDIGO, level));
        }
    return c;
}

namespace {

uint32_t Crc(const uint8_t* p, size_t n, uint32_t crc = 0xFFFFFFFFu) {
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc;
}

void Put32(std::vector<uint8_t>* out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out->push_back(static_cast<uint8_t>(v >> s));
}

void Chunk(std::vector<uint8_t>* out, const char* type, const std::vector<uint8_t>& data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out->insert(out->end(), body.begin(), body.end());
    Put32(out, Crc(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

}  // namespace

std::vector<uint8_t> Png_Bytes(const Canvas& c, const uint8_t palette[1024]) {
    // Rows of RGBA, each after a filter byte of 0; index 0 is transparent.
    std::vector<uint8_t> raw;
    for (int y = 0; y < c.h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < c.w; ++x) {
            const uint8_t p = c.Get(x, y);
            raw.push_back(palette[4 * p]);
            raw.push_back(palette[4 * p + 1]);
            raw.push_back(palette[4 * p + 2]);
            raw.push_back(p == 0 ? 0 : 255);
        }
    }
    // Deflated at zlib's strongest level: the same bytes on every run.
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> z(size);
    if (compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        z.clear();
    z.resize(size);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> head;
    Put32(&head, static_cast<uint32_t>(c.w));
    Put32(&head, static_cast<uint32_t>(c.h));
    head.insert(head.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    Chunk(&png, "IHDR", head);
    Chunk(&png, "IDAT", z);
    Chunk(&png, "IEND", {});
    return png;
}

namespace {

void Write_File(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// A Windows icon file: its directory, an entry per size, then the pictures.
#pragma pack(push, 1)
struct Ico_Directory {
    uint16_t reserved, type, count;  // type 1: an icon
};
struct Ico_Entry {
    uint8_t width, height, colours, reserved;  // 0 for 256 pixels; no palette
    uint16_t planes, bits;
    uint32_t bytes, offset;
};
#pragma pack(pop)
static_assert(sizeof(Ico_Directory) == 6 && sizeof(Ico_Entry) == 16);

}  // namespace

void Write_Png(const std::string& path, const Canvas& c, const uint8_t palette[1024]) {
    Write_File(path, Png_Bytes(c, palette));
}

void Write_Ico(const std::string& path, const std::vector<int>& sizes,
               const uint8_t palette[1024]) {
    // Each size as a PNG, which Windows takes since Vista.
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) images.push_back(Png_Bytes(Make_Icon(size), palette));
    size_t total = sizeof(Ico_Directory) + sizeof(Ico_Entry) * sizes.size();
    uint32_t offset = static_cast<uint32_t>(total);
    for (const auto& image : images) total += image.size();
    std::vector<uint8_t> ico(total);
    Le_Writer w(ico.data(), ico.size());
    w.U16(0);
    w.U16(1);
    w.U16(static_cast<uint16_t>(sizes.size()));
    for (size_t i = 0; i < sizes.size(); ++i) {
        const uint8_t side = static_cast<uint8_t>(sizes[i] >= 256 ? 0 : sizes[i]);
        const uint8_t head[4] = {side, side, 0, 0};
        w.Bytes(head, sizeof head);
        w.U16(1);
        w.U16(32);
        w.U32(static_cast<uint32_t>(images[i].size()));
        w.U32(offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) w.Bytes(image.data(), image.size());
    Write_File(path, ico);
}

}  // namespace art
