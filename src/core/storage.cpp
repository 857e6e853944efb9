// Growable record arrays and string pools.
#include "core/storage.h"

#include <cstring>

#include "core/report_log.h"

Element_Storage::Element_Storage(int capacity_, int grow_step_, int record_size_)
    : grow_step(grow_step_), record_size(record_size_) {
    if (capacity_ < 0 || record_size_ <= 0 || grow_step_ <= 0) {
        Report_Log("\n Class Element_Storage constructor error");
        return;
    }
    data.resize(static_cast<size_t>(capacity_) * record_size_);
    capacity = capacity_;
    status = 1;
}

int Element_Storage::Increment_Storage() {
    if (status == 0) {
        Report_Log("\n Class Element_Storage Increment_Storage error");
        return 0;
    }
    data.resize((static_cast<size_t>(capacity) + grow_step) * record_size);
    capacity += grow_step;
    status = 1;
    return 1;
}

int Element_Storage::Add_Element(const void* record) {
    if (count >= capacity && !Increment_Storage()) return 0;
    std::memcpy(data.data() + static_cast<size_t>(count) * record_size, record, record_size);
    ++count;
    return 1;
}

const void* Element_Storage::At(int i) const {
    if (i < 0 || i >= count) return nullptr;
    return data.data() + static_cast<size_t>(i) * record_size;
}

String_Storage::String_Storage(uint32_t capacity_) : data(static_cast<size_t>(capacity_) + 1) {
    capacity = capacity_;
    status = 1;
}

int String_Storage::Add_String(const char* text) {
    return Add_String(text, std::strlen(text));
}

int String_Storage::Add_String(const char* text, size_t len) {
    while (len + 1 > capacity - used) capacity += grow_step;
    if (data.size() < capacity + size_t{1}) data.resize(capacity + size_t{1});
    std::memcpy(data.data() + used, text, len + 1);
    used += static_cast<uint32_t>(len + 1);
    ++count;
    return 1;
}

void String_Storage::Shrink_To_Fit() {
    if (capacity == used + 12) return;
    capacity = used + 12;
    data.resize(capacity + size_t{1});
    data.shrink_to_fit();
}

const char* String_Storage::At(uint32_t offset) const {
    if (offset >= used) return nullptr;
    return data.data() + offset;
}
