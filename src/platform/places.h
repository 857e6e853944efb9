// Where the game's files are: its content (books, pictures, sounds, music, the
// palette) and what it writes (the run log, the rebuilt archives, save slots,
// screenshots). Portable: everything in one folder, the working folder or the
// executable's own. Installed: the content read from the installation's share
// folder, everything written into the player's own folders (XDG base directories).
#pragma once

#include <string>

enum Plat_Place {
    PLACE_CONTENT,  // read only: HScripts/, images/, SOUNDS/, MUSIC/, ...
    PLACE_LOG,      // Report.txt
    PLACE_CACHE,    // sprites.wad, Bkfons.wad
    PLACE_SAVES,    // the save slots
    PLACE_SHOTS,    // screenshots
    PLACE_CONFIG,   // settings.conf
    PLACE_COUNT
};

enum Plat_Mode { PLAT_PORTABLE, PLAT_INSTALLED };

// Decides the mode, makes the player's folders when installed and moves into the
// content folder. False with a message naming the folder when that cannot be done.
// Until it runs (and in tests) every place is the working folder.
bool Plat_Places_Init(std::string* error);
Plat_Mode Plat_Places_Mode();

// The path of a file in a place ("Report.txt", "SAVE/slot3" when portable; absolute
// paths in the player's folders when installed).
std::string Plat_Path(Plat_Place place, const std::string& name);
// The folder itself, for messages ("" = the working folder).
std::string Plat_Place_Folder(Plat_Place place);
// A path the player gave (a script's), as it stood from the folder the program was
// started in, even after an installed game moved into its content.
std::string Plat_From_Start_Folder(const std::string& path);

// Where installed content is looked for, relative to the executable's folder.
#ifndef VELTRAN_SHARE_FROM_BIN
#define VELTRAN_SHARE_FROM_BIN "../share/veltran"
#endif
