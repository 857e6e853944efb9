// The program's growable record array and string pool. Strings are addressed by
// byte offset, never by pointer, because the pool moves when it grows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Element_Storage {
  public:
    Element_Storage(int capacity, int grow_step, int record_size);
    Element_Storage(const Element_Storage&) = delete;
    Element_Storage& operator=(const Element_Storage&) = delete;

    int Add_Element(const void* record);
    int Increment_Storage();
    // The record at index i, or null outside 0..count-1.
    const void* At(int i) const;

    int count = 0;
    int capacity = 0;
    int grow_step = 0;
    int record_size = 0;
    std::vector<uint8_t> data;  // capacity records
    int status = 0;             // 1 usable, 0 construction failed
};

class String_Storage {
  public:
    explicit String_Storage(uint32_t capacity);
    String_Storage(const String_Storage&) = delete;
    String_Storage& operator=(const String_Storage&) = delete;

    int Add_String(const char* text);
    int Add_String(const char* text, size_t length);  // length known to the caller
    void Shrink_To_Fit();
    // The string at a byte offset, or null when the offset is not inside the pool.
    const char* At(uint32_t offset) const;

    int count = 0;
    std::vector<char> data;  // capacity bytes and a NUL
    uint32_t used = 0;
    uint32_t capacity = 0;
    uint32_t grow_step = 1024;
    int status = 0;
};
