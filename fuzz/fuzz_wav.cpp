// libFuzzer target: any bytes as a sound file must be taken or refused without
// reading outside them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    // A copy of exactly the input's size, so any read past it is caught.
    std::vector<uint8_t> bytes(data, data + size);
    int32_t rate = 0;
    uint32_t offset = 0, length = 0;
    if (Wav_Parse(bytes.data(), static_cast<uint32_t>(bytes.size()), &rate, &offset, &length)) {
        volatile uint8_t sum = 0;
        for (uint32_t i = 0; i < length; ++i) sum = sum + bytes[offset + i];
    }
    return 0;
}
