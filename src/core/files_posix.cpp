// Files and folders on a POSIX system (Linux, and the browser's file system).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/system.h"

struct Sys_File {
    int fd = -1;
};

namespace {

Sys_Failure Failure_Of(int error) {
    switch (error) {
        case 0:
            return Sys_Failure::Ok;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return Sys_Failure::No_Space;
        case EACCES:
        case EPERM:
        case EROFS:
            return Sys_Failure::No_Permission;
        default:
            return Sys_Failure::Other;
    }
}

Sys_Failure Last_Failure() {
    return errno != 0 ? Failure_Of(errno) : Sys_Failure::Other;
}

// The folder a path lies in ("." for a bare name).
std::string Folder_Of(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FILE* Sys_Open(const std::string& path, const char* mode) {
    if (mode[0] == 'r') Sys_Await_File(path);
    return std::fopen(path.c_str(), mode);
}

int64_t Sys_Size_Of(FILE* file) {
    if (file == nullptr) return -1;
    struct stat st;
    if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool Sys_Is_Folder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Sys_Exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

std::vector<std::string> Sys_Folder_Names(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr) return names;
    while (const dirent* e = readdir(dir))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.emplace_back(e->d_name);
    closedir(dir);
    return names;
}

Sys_Failure Sys_Make_Folders(const std::string& path) {
    if (path.empty() || Sys_Is_Folder(path)) return Sys_Failure::Ok;
    const size_t slash = path.size() > 1 ? path.rfind('/', path.size() - 2) : std::string::npos;
    if (slash != std::string::npos && slash > 0) {
        const Sys_Failure parent = Sys_Make_Folders(path.substr(0, slash));
        if (parent != Sys_Failure::Ok) return parent;
    }
    if (mkdir(path.c_str(), 0755) == 0) return Sys_Failure::Ok;
    // Something of that name that is not a folder (a plain file) is left alone.
    if (errno == EEXIST) return Sys_Is_Folder(path) ? Sys_Failure::Ok : Sys_Failure::Other;
    return Last_Failure();
}

bool Sys_Can_Write_Into(const std::string& folder) {
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

void Sys_Remove(const std::string& path) {
    unlink(path.c_str());
}

Sys_File* Sys_Create(const std::string& path, Sys_Failure* why) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (why != nullptr) *why = Last_Failure();
        return nullptr;
    }
    Sys_File* file = new Sys_File;
    file->fd = fd;
    return file;
}

Sys_Failure Sys_Write(Sys_File* file, const void* bytes, size_t size) {
    const char* at = static_cast<const char*>(bytes);
    for (size_t done = 0; done < size;) {
        const ssize_t n = write(file->fd, at + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Last_Failure();
        if (n == 0) return Sys_Failure::No_Space;
        done += static_cast<size_t>(n);
    }
    return Sys_Failure::Ok;
}

Sys_Failure Sys_Flush(Sys_File* file) {
    return fsync(file->fd) == 0 ? Sys_Failure::Ok : Last_Failure();
}

Sys_Failure Sys_Close(Sys_File* file) {
    if (file == nullptr) return Sys_Failure::Ok;
    const Sys_Failure result = close(file->fd) == 0 ? Sys_Failure::Ok : Last_Failure();
    delete file;
    return result;
}

Sys_Failure Sys_Replace(const std::string& from, const std::string& to) {
    const Sys_Failure renamed = Sys_Rename_Over(from, to);
    if (renamed != Sys_Failure::Ok) return renamed;
    // The rename itself lasts with its folder.
    return Sys_Settle(Folder_Of(to));
}

Sys_Failure Sys_Rename_Over(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? Sys_Failure::Ok : Last_Failure();
}

std::string Sys_Own_Name(const std::string& path) {
    return path + "." + std::to_string(getpid()) + ".new";
}

std::string Sys_Full_Path(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? resolved : path;
}

std::string Sys_Current_Folder() {
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) != nullptr ? cwd : ".";
}

bool Sys_Enter_Folder(const std::string& path, std::string* why) {
    if (chdir(path.c_str()) == 0) return true;
    if (why != nullptr) *why = std::strerror(errno);
    return false;
}
