// Length of open files and whole-file reads.
#include "core/files.h"

#include <sys/stat.h>

int64_t File_Size(FILE* file) {
    if (file == nullptr) return -1;
    struct stat st;
    if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool File_Read_All(const char* path, std::vector<uint8_t>* out, int64_t max_bytes) {
    out->clear();
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    const int64_t size = File_Size(f);
    bool ok = size >= 0 && size <= max_bytes;
    if (ok) {
        out->resize(static_cast<size_t>(size));
        ok = size == 0 || std::fread(out->data(), 1, out->size(), f) == out->size();
    }
    std::fclose(f);
    if (!ok) out->clear();
    return ok;
}
