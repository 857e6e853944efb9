// Files and folders on Windows: UTF-8 paths become UTF-16 at the system's door, so
// a folder with a Cyrillic name works; a file is put in place of another in one
// step (MoveFileExW) once its bytes are on the disk (FlushFileBuffers).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "core/system.h"
#include "core/windows_text.h"

struct Sys_File {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::string Forward_Slashes(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

namespace {

Sys_Failure Failure_Of(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return Sys_Failure::Ok;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Sys_Failure::No_Space;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return Sys_Failure::No_Permission;
        default:
            return Sys_Failure::Other;
    }
}

Sys_Failure Last_Failure() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? Failure_Of(error) : Sys_Failure::Other;
}

}  // namespace

FILE* Sys_Open(const std::string& path, const char* mode) {
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

int64_t Sys_Size_Of(FILE* file) {
    if (file == nullptr) return -1;
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    LARGE_INTEGER size;
    if (h == INVALID_HANDLE_VALUE || GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &size))
        return -1;
    return static_cast<int64_t>(size.QuadPart);
}

bool Sys_Is_Folder(const std::string& path) {
    const DWORD a = GetFileAttributesW(Wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Sys_Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Sys_Folder_Names(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE h = FindFirstFileW(Wide(path + "/*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
            names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
}

Sys_Failure Sys_Make_Folders(const std::string& path) {
    if (path.empty() || Sys_Is_Folder(path)) return Sys_Failure::Ok;
    const size_t slash =
        path.size() > 1 ? path.find_last_of("/\\", path.size() - 2) : std::string::npos;
    // A parent that is a drive ("C:") is there already.
    if (slash != std::string::npos && slash > 0 && path[slash - 1] != ':') {
        const Sys_Failure parent = Sys_Make_Folders(path.substr(0, slash));
        if (parent != Sys_Failure::Ok) return parent;
    }
    if (CreateDirectoryW(Wide(path).c_str(), nullptr)) return Sys_Failure::Ok;
    // Something of that name that is not a folder (a plain file) is left alone.
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return Sys_Is_Folder(path) ? Sys_Failure::Ok : Sys_Failure::Other;
    return Last_Failure();
}

bool Sys_Can_Write_Into(const std::string& folder) {
    // Asked by making a file there: the folder's security says more than its
    // attributes do.
    const std::wstring probe = Wide(folder + "/.veltran-write-test");
    const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

void Sys_Remove(const std::string& path) {
    DeleteFileW(Wide(path).c_str());
}

Sys_File* Sys_Create(const std::string& path, Sys_Failure* why) {
    const HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (why != nullptr) *why = Last_Failure();
        return nullptr;
    }
    Sys_File* file = new Sys_File;
    file->handle = h;
    return file;
}

Sys_Failure Sys_Write(Sys_File* file, const void* bytes, size_t size) {
    const char* at = static_cast<const char*>(bytes);
    for (size_t done = 0; done < size;) {
        const DWORD part = static_cast<DWORD>(size - done < 0x40000000 ? size - done : 0x40000000);
        DWORD n = 0;
        if (!WriteFile(file->handle, at + done, part, &n, nullptr)) return Last_Failure();
        if (n == 0) return Sys_Failure::No_Space;
        done += n;
    }
    return Sys_Failure::Ok;
}

Sys_Failure Sys_Flush(Sys_File* file) {
    return FlushFileBuffers(file->handle) ? Sys_Failure::Ok : Last_Failure();
}

Sys_Failure Sys_Close(Sys_File* file) {
    if (file == nullptr) return Sys_Failure::Ok;
    const Sys_Failure result = CloseHandle(file->handle) ? Sys_Failure::Ok : Last_Failure();
    delete file;
    return result;
}

namespace {

// Puts from in place of to with MoveFileExW's flags besides replacing. Refused
// while another program holds the old file open: that one stays.
Sys_Failure Move_Over(const std::string& from, const std::string& to, DWORD flags) {
    // A folder standing where the file goes is not a file the system may replace:
    // refused as it is on every system, not as a matter of rights.
    if (Sys_Is_Folder(to)) return Sys_Failure::Other;
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | flags))
        return Sys_Failure::Ok;
    return Last_Failure();
}

}  // namespace

Sys_Failure Sys_Replace(const std::string& from, const std::string& to) {
    return Move_Over(from, to, MOVEFILE_WRITE_THROUGH);
}

Sys_Failure Sys_Rename_Over(const std::string& from, const std::string& to) {
    return Move_Over(from, to, 0);
}

std::string Sys_Own_Name(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".new";
}

std::string Sys_Full_Path(const std::string& path) {
    wchar_t full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(Wide(path).c_str(), MAX_PATH * 4, full, nullptr);
    return n > 0 && n < MAX_PATH * 4 ? Forward_Slashes(Narrow(full)) : path;
}

std::string Sys_Current_Folder() {
    wchar_t here[MAX_PATH * 4];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, here);
    return n > 0 && n < MAX_PATH * 4 ? Forward_Slashes(Narrow(here)) : ".";
}

bool Sys_Enter_Folder(const std::string& path, std::string* why) {
    if (SetCurrentDirectoryW(Wide(path).c_str())) return true;
    if (why != nullptr) *why = "error " + std::to_string(GetLastError());
    return false;
}
