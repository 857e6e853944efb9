// Small file helpers shared by every reader and writer of the program's files: the
// length of an open file, reading a whole file into memory with a size limit, and
// writing a file that a write cut short cannot lose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/system.h"

// Bytes in an open regular file, its position left where it was; -1 for anything
// else (a folder opened by mistake, a pipe, a device).
int64_t File_Size(FILE* file);

// Reads the whole file at path. False when it cannot be opened, is not a regular
// file, is larger than max_bytes, or cannot be read to its end.
bool File_Read_All(const char* path, std::vector<uint8_t>* out, int64_t max_bytes);

// The names in a folder that end in the extension (".txt", letter case aside) with
// something before it; none when the folder cannot be read.
std::vector<std::string> Files_Ending_In(const std::string& folder, const char* extension);
// Whether a path stands on its own ("/x", "C:/x", "\\server\x") rather than from
// the working folder.
bool File_Path_Absolute(const std::string& path);
// strcmp of two names with ASCII letter case set aside.
int Compare_No_Case(const std::string& a, const std::string& b);

// The steps of a durable write, so that a test can make any of them fail.
struct Durable_Ops {
    Sys_File* (*create)(const std::string& path, Sys_Failure* why);
    Sys_Failure (*write)(Sys_File* file, const void* bytes, size_t size);
    Sys_Failure (*flush)(Sys_File* file);
    Sys_Failure (*replace)(const std::string& from, const std::string& to);
};
// The system's own steps.
extern const Durable_Ops System_Durable_Ops;

struct File_Part {
    const void* bytes;
    size_t size;
};
// Writes the parts, in order, as the file at path: a new file beside it (path +
// ".new"), flushed to the disk, then put in its place in one step. None, or why it
// failed; the old file is then untouched and the new one gone.
Sys_Failure File_Write_Durably(const std::string& path, const File_Part* parts, int count,
                               const Durable_Ops& ops = System_Durable_Ops);
// Writes the parts as the file at path in one step for anyone who reads it: a new
// file beside it under a name of this process's own, put in place of the old one
// when whole, not waited for on the disk. For files the game makes again at every
// start (the picture archives), which two copies started at once both write and
// read. None, or why it failed; the old file is then untouched and the new one gone.
Sys_Failure File_Write_At_Once(const std::string& path, const File_Part* parts, int count);
