// The SDL system: the real window and the sound device. The executable (and the
// tests and benchmarks that need a real window) install it before opening either.
#pragma once

#include <string>

struct Plat_Audio_Backend;

void Plat_Use_Sdl();
// The mixer's backend once the device opened, or null with *error set.
const Plat_Audio_Backend* Sdl_Audio_Open(std::string* error);
