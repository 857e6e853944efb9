// The runtime's rand: the classic linear congruential generator of the Windows C
// runtime, so that a seed replays the same game on every system.
#include "platform/platform.h"

namespace {
uint32_t Rand_State = 1;
}

void Plat_Srand(uint32_t seed) {
    Rand_State = seed;
}

int Plat_Rand() {
    Rand_State = Rand_State * 214013u + 2531011u;
    return static_cast<int>((Rand_State >> 16) & PLAT_RAND_MAX);
}
