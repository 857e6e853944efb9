// A whole text file in memory, cut into trimmed NUL-terminated lines in place.
#pragma once

#include <cstddef>
#include <cstdint>

struct Text_File {
    char* text = nullptr;  // owned; one byte longer than the file
    int64_t size = 0;
    int line_count = 0;
    int line = 0;         // current line, from 0
    int64_t offset = 0;   // where the current line starts in text
    int64_t length = 0;   // of the current line
    size_t capacity = 0;  // bytes of the text buffer
    int status = 0;       // 1 when the file was read

    Text_File() = default;
    ~Text_File();
    Text_File(const Text_File&) = delete;
    Text_File& operator=(const Text_File&) = delete;
};

// Files larger than this are not taken into memory.
constexpr int64_t Text_File_Max_Size = 256ll << 20;

int Text_File_Read(Text_File* f, const char* path);
void Text_File_Format(Text_File* f);
int Text_File_Seek_Line(Text_File* f, int n);
void Next_Line(Text_File* f);
// The current line, or "" when there is none.
const char* Current_Line(const Text_File* f);
void Text_File_Release(Text_File* f);
