// Content and screenshots on a computer's own disk (Linux, Windows): every content
// file is there from the start, and a screenshot already lies in the player's folders.
#include "core/system.h"

bool Sys_File_Here(const std::string&) {
    return true;
}

void Sys_Await_File(const std::string&) {}

void Sys_Offer_File(const std::string&) {}
