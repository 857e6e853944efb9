// The SDL window's state and the one way its pieces tell of a failure.
#include "platform/sdl_parts.h"

Sdl_Window_State Sdl;

namespace {
std::string Error;
}  // namespace

bool Sdl_Fail(const std::string& what) {
    const char* why = SDL_GetError();
    Error = what + (why != nullptr && *why != '\0' ? std::string(": ") + why : std::string());
    return false;
}

const std::string& Sdl_Error() {
    return Error;
}

void Sdl_Clear_Error() {
    Error.clear();
}
