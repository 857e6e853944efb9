// Little-endian fields of the program's own file formats (archives, slot files,
// BMP and WAV headers), read and written byte by byte so that the files are the
// same on every machine, and cursors that never step outside their block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

inline uint16_t Get_Le16(const void* at) {
    const uint8_t* p = static_cast<const uint8_t*>(at);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t Get_Le32(const void* at) {
    const uint8_t* p = static_cast<const uint8_t*>(at);
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
inline uint64_t Get_Le64(const void* at) {
    const uint8_t* p = static_cast<const uint8_t*>(at);
    return uint64_t{Get_Le32(p)} | (uint64_t{Get_Le32(p + 4)} << 32);
}
inline void Put_Le16(void* at, uint16_t v) {
    uint8_t* p = static_cast<uint8_t*>(at);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void Put_Le32(void* at, uint32_t v) {
    uint8_t* p = static_cast<uint8_t*>(at);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void Put_Le64(void* at, uint64_t v) {
    uint8_t* p = static_cast<uint8_t*>(at);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Writes fields one after another into a block of known size. A field that would
// not fit is not written and the writer is marked failed; nothing past the block
// is ever touched.
class Le_Writer {
  public:
    Le_Writer(void* block, size_t size)
        : p_(static_cast<uint8_t*>(block)), end_(static_cast<uint8_t*>(block) + size) {}
    void U16(uint16_t v) {
        if (Room(2)) Put_Le16(p_, v), p_ += 2;
    }
    void U32(uint32_t v) {
        if (Room(4)) Put_Le32(p_, v), p_ += 4;
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void U64(uint64_t v) {
        if (Room(8)) Put_Le64(p_, v), p_ += 8;
    }
    void I64(int64_t v) { U64(static_cast<uint64_t>(v)); }
    void Bytes(const void* src, size_t n) {
        if (Room(n)) std::memcpy(p_, src, n), p_ += n;
    }
    void Zeros(size_t n) {
        if (Room(n)) std::memset(p_, 0, n), p_ += n;
    }
    bool Ok() const { return ok_; }

  private:
    bool Room(size_t n) {
        if (static_cast<size_t>(end_ - p_) >= n) return true;
        ok_ = false;
        return false;
    }
    uint8_t* p_;
    uint8_t* end_;
    bool ok_ = true;
};

// Reads fields one after another from a block of known size. A field past the end
// reads as zero (or leaves the destination bytes as they were) and marks the
// reader failed; nothing outside the block is ever read.
class Le_Reader {
  public:
    Le_Reader(const void* block, size_t size)
        : p_(static_cast<const uint8_t*>(block)), end_(static_cast<const uint8_t*>(block) + size) {}
    uint16_t U16() { return Room(2) ? Take(Get_Le16(p_), 2) : 0; }
    uint32_t U32() { return Room(4) ? Take(Get_Le32(p_), 4) : 0; }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint64_t U64() { return Room(8) ? Take(Get_Le64(p_), 8) : 0; }
    int64_t I64() { return static_cast<int64_t>(U64()); }
    void Bytes(void* dst, size_t n) {
        if (Room(n)) std::memcpy(dst, p_, n), p_ += n;
    }
    void Skip(size_t n) {
        if (Room(n)) p_ += n;
    }
    bool Ok() const { return ok_; }
    size_t Left() const { return static_cast<size_t>(end_ - p_); }

  private:
    bool Room(size_t n) {
        if (static_cast<size_t>(end_ - p_) >= n) return true;
        ok_ = false;
        return false;
    }
    template <typename T>
    T Take(T v, size_t n) {
        p_ += n;
        return v;
    }
    const uint8_t* p_;
    const uint8_t* end_;
    bool ok_ = true;
};
