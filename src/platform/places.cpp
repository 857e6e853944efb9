// Deciding between a portable and an installed game, and the folders of each.
#include "platform/places.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

Plat_Mode Mode = PLAT_PORTABLE;
// Folder prefixes, each "" or ending in '/'. Portable defaults.
std::string Prefix[PLACE_COUNT] = {"", "", "", "SAVE/", "images/screen_shot/", ""};

bool Is_Dir(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Executable_Dir() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    buf[n] = '\0';
    std::string path(buf);
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

// An XDG base directory: the variable when it holds an absolute path, else the
// default under the home folder.
std::string Xdg(const char* variable, const char* fallback) {
    const char* v = std::getenv(variable);
    if (v != nullptr && v[0] == '/') return v;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && home[0] == '/' ? home : "/tmp") + "/" + fallback;
}

// Makes the folder and its parents; false with errno set when it cannot.
bool Make_Dirs(const std::string& path) {
    if (path.empty() || Is_Dir(path)) return true;
    const size_t slash = path.rfind('/', path.size() - 2);
    if (slash != std::string::npos && slash > 0 && !Make_Dirs(path.substr(0, slash))) return false;
    return mkdir(path.c_str(), 0755) == 0 || (errno == EEXIST && Is_Dir(path));
}

// The folder can be written into: a file can be made there.
bool Writable(const std::string& dir) {
    return access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

bool Plat_Places_Init(std::string* error) {
    Mode = PLAT_PORTABLE;
    const char* defaults[PLACE_COUNT] = {"", "", "", "SAVE/", "images/screen_shot/", ""};
    for (int i = 0; i < PLACE_COUNT; ++i) Prefix[i] = defaults[i];
    // Portable: the books in the working folder, or beside the executable.
    if (Is_Dir("HScripts")) return true;
    const std::string exe = Executable_Dir();
    if (!exe.empty() && Is_Dir(exe + "/HScripts")) {
        if (chdir(exe.c_str()) != 0) {
            *error = "cannot enter the game's folder " + exe + ": " + std::strerror(errno);
            return false;
        }
        return true;
    }
    // Installed: the content in the installation's share folder.
    const std::string share = exe + "/" VELTRAN_SHARE_FROM_BIN;
    if (exe.empty() || !Is_Dir(share + "/HScripts")) return true;  // nothing anywhere: portable
    char resolved[PATH_MAX];
    const std::string content = realpath(share.c_str(), resolved) != nullptr ? resolved : share;
    if (chdir(content.c_str()) != 0) {
        *error = "cannot enter the game's content folder " + content + ": " + std::strerror(errno);
        return false;
    }
    Mode = PLAT_INSTALLED;
    const std::string data = Xdg("XDG_DATA_HOME", ".local/share") + "/veltran/";
    Prefix[PLACE_CONTENT] = content + "/";
    Prefix[PLACE_LOG] = Xdg("XDG_STATE_HOME", ".local/state") + "/veltran/";
    Prefix[PLACE_CACHE] = Xdg("XDG_CACHE_HOME", ".cache") + "/veltran/";
    Prefix[PLACE_SAVES] = data + "SAVE/";
    Prefix[PLACE_SHOTS] = data + "screen_shot/";
    Prefix[PLACE_CONFIG] = Xdg("XDG_CONFIG_HOME", ".config") + "/veltran/";
    for (int place : {PLACE_LOG, PLACE_CACHE, PLACE_SAVES, PLACE_SHOTS, PLACE_CONFIG}) {
        const std::string dir = Prefix[place].substr(0, Prefix[place].size() - 1);
        if (!Make_Dirs(dir)) {
            *error = "cannot create the folder " + dir + ": " + std::strerror(errno);
            return false;
        }
        if (!Writable(dir)) {
            *error = "cannot write into the folder " + dir + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

Plat_Mode Plat_Places_Mode() {
    return Mode;
}

std::string Plat_Path(Plat_Place place, const std::string& name) {
    return Prefix[place] + name;
}

std::string Plat_Place_Folder(Plat_Place place) {
    const std::string& p = Prefix[place];
    return p.empty() ? "" : p.substr(0, p.size() - 1);
}
