// Small file helpers shared by every reader of the program's files: the length of
// an open file, and reading a whole file into memory with a size limit.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

// Bytes in an open regular file, its position left where it was; -1 for anything
// else (a folder opened by mistake, a pipe, a device).
int64_t File_Size(FILE* file);

// Reads the whole file at path. False when it cannot be opened, is not a regular
// file, is larger than max_bytes, or cannot be read to its end.
bool File_Read_All(const char* path, std::vector<uint8_t>* out, int64_t max_bytes);
