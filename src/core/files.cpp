// Length of open files and whole-file reads.
#include "core/files.h"

#include <algorithm>
#include <cctype>

#include "core/system.h"

int64_t File_Size(FILE* file) {
    return Sys_Size_Of(file);
}

bool File_Read_All(const char* path, std::vector<uint8_t>* out, int64_t max_bytes) {
    out->clear();
    FILE* f = Sys_Open(path, "rb");
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

bool File_Path_Absolute(const std::string& path) {
    if (path.empty()) return false;
    if (path[0] == '/' || path[0] == '\\') return true;
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && (path[2] == '/' || path[2] == '\\');
}

int Compare_No_Case(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::vector<std::string> Files_Ending_In(const std::string& folder, const char* extension) {
    const std::string tail = extension;
    std::vector<std::string> names;
    for (std::string& name : Sys_Folder_Names(folder))
        if (name.size() > tail.size() &&
            Compare_No_Case(name.substr(name.size() - tail.size()), tail) == 0)
            names.push_back(std::move(name));
    return names;
}

namespace {

// The new file is written beside the old one (as fresh) and only then takes its name.
Sys_Failure Write_Beside(const std::string& path, const std::string& fresh, const File_Part* parts,
                         int count, const Durable_Ops& ops) {
    Sys_Failure failed = Sys_Failure::Ok;
    Sys_File* file = ops.create(fresh, &failed);
    if (file == nullptr) return failed != Sys_Failure::Ok ? failed : Sys_Failure::Other;
    for (int i = 0; i < count && failed == Sys_Failure::Ok; ++i)
        failed = ops.write(file, parts[i].bytes, parts[i].size);
    if (failed == Sys_Failure::Ok) failed = ops.flush(file);
    const Sys_Failure closed = Sys_Close(file);
    if (failed == Sys_Failure::Ok) failed = closed;
    if (failed == Sys_Failure::Ok) failed = ops.replace(fresh, path);
    if (failed != Sys_Failure::Ok) Sys_Remove(fresh);
    return failed;
}

Sys_Failure Not_Flushed(Sys_File*) {
    return Sys_Failure::Ok;
}

}  // namespace

Sys_Failure File_Write_Durably(const std::string& path, const File_Part* parts, int count,
                               const Durable_Ops& ops) {
    return Write_Beside(path, path + ".new", parts, count, ops);
}

Sys_Failure File_Write_At_Once(const std::string& path, const File_Part* parts, int count) {
    static const Durable_Ops At_Once = {Sys_Create, Sys_Write, Not_Flushed, Sys_Rename_Over};
    return Write_Beside(path, Sys_Own_Name(path), parts, count, At_Once);
}

const char* Sys_Failure_Text(Sys_Failure why) {
    switch (why) {
        case Sys_Failure::Ok:
            return "done";
        case Sys_Failure::No_Space:
            return "no space left on the disk";
        case Sys_Failure::No_Permission:
            return "permission denied";
        case Sys_Failure::Other:
            break;
    }
    return "the system refused";
}

const Durable_Ops System_Durable_Ops = {Sys_Create, Sys_Write, Sys_Flush, Sys_Replace};
