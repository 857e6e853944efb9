// Growable record arrays and string pools that report failure instead of throwing.
#include "core/storage.h"

#include <cstring>
#include <new>

#include "core/report_log.h"

Element_Storage::Element_Storage(int capacity_, int grow_step_, int record_size_)
    : grow_step(grow_step_), record_size(record_size_) {
    if (capacity_ < 0 || record_size_ <= 0 || grow_step_ <= 0) {
        Report_Log("\n Class Element_Storage constructor error");
        return;
    }
    data = new (std::nothrow) uint8_t[static_cast<size_t>(capacity_) * record_size_ + 1];
    if (data == nullptr) {
        Report_Log("\n Class Element_Storage constructor error");
        return;
    }
    capacity = capacity_;
    status = 1;
}

Element_Storage::~Element_Storage() {
    delete[] data;
}

int Element_Storage::Increment_Storage() {
    const size_t bytes = (static_cast<size_t>(capacity) + grow_step) * record_size;
    uint8_t* grown = data == nullptr ? nullptr : new (std::nothrow) uint8_t[bytes];
    if (grown == nullptr) {
        Report_Log("\n Class Element_Storage Increment_Storage error");
        status = -1;
        return 0;
    }
    std::memcpy(grown, data, static_cast<size_t>(count) * record_size);
    delete[] data;
    data = grown;
    capacity += grow_step;
    status = 1;
    return 1;
}

int Element_Storage::Add_Element(const void* record) {
    if (count >= capacity && !Increment_Storage()) return 0;
    std::memcpy(data + static_cast<size_t>(count) * record_size, record, record_size);
    ++count;
    return 1;
}

const void* Element_Storage::At(int i) const {
    if (i < 0 || i >= count) return nullptr;
    return data + static_cast<size_t>(i) * record_size;
}

String_Storage::String_Storage(uint32_t capacity_) {
    data = new (std::nothrow) char[capacity_ + 1];
    if (data == nullptr) return;
    capacity = capacity_;
    status = 1;
}

String_Storage::~String_Storage() {
    delete[] data;
}

int String_Storage::Add_String(const char* text) {
    return Add_String(text, std::strlen(text));
}

int String_Storage::Add_String(const char* text, size_t len) {
    if (data == nullptr) return 0;
    while (len + 1 > capacity - used) {
        char* grown = new (std::nothrow) char[static_cast<size_t>(capacity) + grow_step];
        if (grown == nullptr) {
            status = -1;
            return 0;
        }
        std::memcpy(grown, data, used);
        delete[] data;
        data = grown;
        capacity += grow_step;
    }
    std::memcpy(data + used, text, len + 1);
    used += static_cast<uint32_t>(len + 1);
    ++count;
    return 1;
}

void String_Storage::Shrink_To_Fit() {
    if (data == nullptr || capacity == used + 12) return;
    char* cut = new (std::nothrow) char[static_cast<size_t>(used) + 12];
    if (cut == nullptr) return;
    std::memcpy(cut, data, used);
    delete[] data;
    data = cut;
    capacity = used + 12;
}

const char* String_Storage::At(uint32_t offset) const {
    if (data == nullptr || offset >= used) return nullptr;
    return data + offset;
}
