// The system backend that owns the real window, as the layers of the platform reach
// it: none in tools and in-process tests.
#include "platform/platform_internal.h"

namespace {
const Plat_Backend* Backend = nullptr;
}  // namespace

void Plat_Backend_Store(const Plat_Backend* backend) {
    Backend = backend;
}

const Plat_Backend* Plat_Backend_Now() {
    return Backend;
}

bool Plat_Backend_Virtual_Pad(int what, int index, int value) {
    if (Backend == nullptr || Backend->virtual_pad == nullptr) return false;
    Backend->virtual_pad(what, index, value);
    return true;
}

bool Plat_Backend_Virtual_Touch(int phase, int x, int y) {
    if (Backend == nullptr || Backend->virtual_touch == nullptr) return false;
    Backend->virtual_touch(phase, x, y);
    return true;
}
