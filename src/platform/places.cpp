// Deciding between a portable and an installed game, and the folders of each.
#include "platform/places.h"

#include "core/files.h"
#include "core/system.h"

namespace {

Plat_Mode Mode = PLAT_PORTABLE;
std::string Start_Folder;  // the working folder the program was started in
// Folder prefixes, each "" or ending in '/'. Portable defaults.
std::string Prefix[PLACE_COUNT] = {"", "", "", "SAVE/", "images/screen_shot/", ""};

}  // namespace

bool Plat_Places_Init(std::string* error) {
    Mode = PLAT_PORTABLE;
    Start_Folder = Sys_Current_Folder();
    const char* defaults[PLACE_COUNT] = {"", "", "", "SAVE/", "images/screen_shot/", ""};
    for (int i = 0; i < PLACE_COUNT; ++i) Prefix[i] = defaults[i];
    // Portable: the books in the working folder, or beside the executable.
    if (Sys_Is_Folder("HScripts")) return true;
    const std::string exe = Sys_Program_Folder();
    std::string why;
    if (!exe.empty() && Sys_Is_Folder(exe + "/HScripts")) {
        if (!Sys_Enter_Folder(exe, &why)) {
            *error = "cannot enter the game's folder " + exe + ": " + why;
            return false;
        }
        return true;
    }
    // Installed: the content in the installation's share folder.
    const std::string share = exe + "/" VELTRAN_SHARE_FROM_BIN;
    if (exe.empty() || !Sys_Is_Folder(share + "/HScripts")) return true;  // nothing anywhere
    const std::string content = Sys_Full_Path(share);
    if (!Sys_Enter_Folder(content, &why)) {
        *error = "cannot enter the game's content folder " + content + ": " + why;
        return false;
    }
    Mode = PLAT_INSTALLED;
    const std::string data = Sys_User_Folder(Sys_User_Place::Data) + "/";
    Prefix[PLACE_CONTENT] = content + "/";
    Prefix[PLACE_LOG] = Sys_User_Folder(Sys_User_Place::State) + "/";
    Prefix[PLACE_CACHE] = Sys_User_Folder(Sys_User_Place::Cache) + "/";
    Prefix[PLACE_SAVES] = data + "SAVE/";
    Prefix[PLACE_SHOTS] = data + "screen_shot/";
    Prefix[PLACE_CONFIG] = Sys_User_Folder(Sys_User_Place::Config) + "/";
    for (int place : {PLACE_LOG, PLACE_CACHE, PLACE_SAVES, PLACE_SHOTS, PLACE_CONFIG}) {
        const std::string dir = Prefix[place].substr(0, Prefix[place].size() - 1);
        const Sys_Failure made = Sys_Make_Folders(dir);
        if (made != Sys_Failure::Ok) {
            *error = "cannot create the folder " + dir + ": " + Sys_Failure_Text(made);
            return false;
        }
        if (!Sys_Can_Write_Into(dir)) {
            *error = "cannot write into the folder " + dir + ": " +
                     Sys_Failure_Text(Sys_Failure::No_Permission);
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

std::string Plat_From_Start_Folder(const std::string& path) {
    if (path.empty() || Start_Folder.empty() || File_Path_Absolute(path)) return path;
    return Start_Folder + "/" + path;
}

std::string Plat_Place_Folder(Plat_Place place) {
    const std::string& p = Prefix[place];
    return p.empty() ? "" : p.substr(0, p.size() - 1);
}
