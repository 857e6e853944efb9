// Reading a book file whole and cutting it into lines: a carriage return ends a
// line, every other control byte is a space, lines are trimmed and blank ones go.
#include "scripture/text_file.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "core/files.h"
#include "core/report_log.h"
#include "core/system.h"

namespace {

// One released buffer is kept for the next book: loading a book then reuses memory
// that is already mapped instead of faulting in fresh pages.
char* Spare_Buffer = nullptr;
size_t Spare_Size = 0;
constexpr size_t Spare_Limit = 8u << 20;

char* Take_Buffer(size_t size, size_t* capacity) {
    if (Spare_Buffer != nullptr && Spare_Size >= size) {
        char* b = Spare_Buffer;
        *capacity = Spare_Size;
        Spare_Buffer = nullptr;
        Spare_Size = 0;
        return b;
    }
    *capacity = size;
    return new (std::nothrow) char[size];
}

void Give_Back(char* b, size_t capacity) {
    if (b == nullptr) return;
    if (capacity <= Spare_Limit && capacity > Spare_Size) {
        delete[] Spare_Buffer;
        Spare_Buffer = b;
        Spare_Size = capacity;
    } else {
        delete[] b;
    }
}

}  // namespace

namespace {
// Control bytes inside a line become spaces. They are rare: eight bytes are tested
// at a time (a byte below 0x20; bytes from 0x80 up never count).
void Clean_Controls(unsigned char* p, int64_t n) {
    constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    int64_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (((w - ones * 0x20) & ~w & highs) == 0) continue;
        for (int64_t k = i; k < i + 8; ++k)
            if (p[k] < 0x20) p[k] = ' ';
    }
    for (; i < n; ++i)
        if (p[i] < 0x20) p[i] = ' ';
}
}  // namespace

Text_File::~Text_File() {
    Give_Back(text, capacity);
}

void Text_File_Release(Text_File* f) {
    Give_Back(f->text, f->capacity);
    f->text = nullptr;
    f->capacity = 0;
    f->length = 0;
    f->size = 0;
    f->line_count = 0;
    f->line = 0;
    f->offset = 0;
    f->status = 0;
}

int Text_File_Read(Text_File* f, const char* path) {
    Text_File_Release(f);
    Report_Log("\nЧтение текстового файла: %s", path);
    FILE* in = Sys_Open(path, "rb");
    if (in == nullptr) {
        Report_Log("\n\tError: файл не найден");
        return 0;
    }
    const int64_t size = File_Size(in);
    if (size < 0) {
        // A folder or a stream: nothing that could be a book.
        Report_Log("\n\tError: файл не найден");
        std::fclose(in);
        return 0;
    }
    Report_Log("\nразмер файла: %d", static_cast<int>(size > 0x7FFFFFFF ? 0x7FFFFFFF : size));
    char* buffer = size > Text_File_Max_Size
                       ? nullptr
                       : Take_Buffer(static_cast<size_t>(size) + 1, &f->capacity);
    if (buffer == nullptr) {
        Report_Log("\n\tError: нехватает памяти");
        std::fclose(in);
        return 0;
    }
    // A file that shrank while being read keeps what could be read.
    size_t got = std::fread(buffer, 1, static_cast<size_t>(size), in);
    buffer[got] = '\0';
    std::fclose(in);
    f->text = buffer;
    f->size = static_cast<int64_t>(got);
    f->status = 1;
    Report_Log("\nфайл считан успешно");
    return 1;
}

void Text_File_Format(Text_File* f) {
    if (f->text == nullptr) return;
    unsigned char* t = reinterpret_cast<unsigned char*>(f->text);
    const int64_t n = f->size;
    // One pass, line by line: a line runs to the next carriage return; it is trimmed
    // of bytes up to 0x20 at both ends, moved to the write position (lines only move
    // towards the start), its other control bytes become spaces, and a NUL ends it.
    // Blank lines are dropped.
    int64_t read = 0, write = 0;
    int lines = 0;
    while (read < n) {
        const void* cr = std::memchr(t + read, '\r', static_cast<size_t>(n - read));
        const int64_t raw_end = cr != nullptr ? static_cast<const unsigned char*>(cr) - t : n;
        int64_t start = read, stop = raw_end;
        while (start < stop && t[start] <= 0x20) ++start;
        while (stop > start && t[stop - 1] <= 0x20) --stop;
        read = raw_end + 1;
        if (stop == start) continue;
        const int64_t len = stop - start;
        std::memmove(t + write, t + start, static_cast<size_t>(len));
        Clean_Controls(t + write, len);
        write += len;
        t[write++] = '\0';
        ++lines;
    }
    t[write < n ? write : n] = '\0';
    f->size = write;
    f->line_count = lines;
    f->line = 0;
    f->offset = 0;
    f->length = lines > 0 ? static_cast<int64_t>(std::strlen(f->text)) : 0;
    Report_Log("\nпосле форматирования: строк %d, текст %d байт", lines, static_cast<int>(write));
}

int Text_File_Seek_Line(Text_File* f, int n) {
    if (n < 0 || n >= f->line_count) return -1;
    int64_t at = 0;
    for (int i = 0; i < n; ++i) at += static_cast<int64_t>(std::strlen(f->text + at)) + 1;
    f->line = n;
    f->offset = at;
    f->length = static_cast<int64_t>(std::strlen(f->text + at));
    return n;
}

void Next_Line(Text_File* f) {
    if (f->line + 1 >= f->line_count) return;
    f->offset += f->length + 1;
    f->length = static_cast<int64_t>(std::strlen(f->text + f->offset));
    f->line += 1;
}

const char* Current_Line(const Text_File* f) {
    if (f->text == nullptr || f->line_count == 0) return "";
    return f->text + f->offset;
}
