// The effect table, the WAV reader and playing effects through the mixer.
#include "audio/sound.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/bytes.h"
#include "core/files.h"
#include "core/report_log.h"
#include "platform/platform.h"

Sound_Slot Sound_Table[Sound_Slots];
int Snd_14 = -1, Snd_10 = -1, Snd_1 = -1, Snd_12 = -1, Snd_11 = -1, Snd_16 = -1, Snd_17 = -1,
    Snd_7 = -1;

namespace {

bool Device = false;
bool First_Init = true;

// Files larger than this are no sound effects.
constexpr int64_t Max_Wav = 16ll << 20;

}  // namespace

bool Wav_Parse(const uint8_t* b, uint32_t size, int32_t* rate, uint32_t* data_offset,
               uint32_t* data_size) {
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
        return false;
    // The RIFF chunk ends where it says, or at the end of the file if that is sooner.
    const uint64_t riff_end = std::min<uint64_t>(8 + uint64_t{Get_Le32(b + 4)}, size);
    // The first chunk inside is taken as the format: 18 bytes of it are read.
    uint64_t at = 12;
    if (at + 8 + 18 > size) return false;
    const uint16_t tag = Get_Le16(b + at + 8);
    if (tag != 1) return false;
    *rate = static_cast<int32_t>(Get_Le32(b + at + 12));
    const uint32_t first = Get_Le32(b + at + 4);
    at += 8 + uint64_t{first} + (first & 1);
    // Then the "data" chunk is searched for.
    while (at + 8 <= riff_end) {
        const uint32_t len = Get_Le32(b + at + 4);
        if (std::memcmp(b + at, "data", 4) == 0) {
            if (at + 8 + len > size) return false;  // claims more than the file holds
            *data_offset = static_cast<uint32_t>(at + 8);
            *data_size = len;
            return true;
        }
        at += 8 + uint64_t{len} + (len & 1);
    }
    return false;
}

int Sound_Init() {
    Report_Log("\n Инициализация звукового интерфейса Direct Sound ...");
    bool silent = false;
    if (First_Init) {
        for (Sound_Slot& s : Sound_Table) s = Sound_Slot();
        // Without a sound device the game plays on, silently.
        Device = Plat_Audio_Open();
        silent = !Device;
        First_Init = false;
    }
    for (int i = 0; i < Sound_Slots; ++i) {
        if (Sound_Table[i].handle >= 0) {
            Plat_Sound_Stop(Sound_Table[i].handle);
            Plat_Sound_Free(Sound_Table[i].handle);
        }
        Sound_Table[i] = Sound_Slot();
        Sound_Table[i].index = i;
    }
    Report_Log("OK");
    // On a line of its own after the start-up's "OK", which it does not undo.
    if (silent) {
        Report_Log("\n Звуковое устройство не открылось (%s): игра идёт без звука",
                   Plat_Audio_Error());
        std::fprintf(stderr, "veltran: no sound device (%s); playing without sound\n",
                     Plat_Audio_Error());
    }
    return 1;
}

bool Sound_Device_Open() {
    return Device;
}

int Sound_Load(const char* name) {
    Report_Log("\n Загрузка файла со звуками: %s ...", name);
    int slot = -1;
    for (int i = 0; i < Sound_Slots && slot < 0; ++i)
        if (!Sound_Table[i].used) slot = i;
    if (slot < 0) return -1;
    std::vector<uint8_t> bytes;
    if (!File_Read_All(name, &bytes, Max_Wav)) return -1;
    int32_t rate = 0;
    uint32_t offset = 0, length = 0;
    if (bytes.empty() ||
        !Wav_Parse(bytes.data(), static_cast<uint32_t>(bytes.size()), &rate, &offset, &length))
        return -1;
    Sound_Slot& s = Sound_Table[slot];
    s.rate = rate;
    s.size = static_cast<int32_t>(length);
    s.used = 1;
    s.handle = Plat_Sound_Create(bytes.data() + offset, length);
    if (s.handle < 0) return -1;
    Report_Log("OK");
    return slot;
}

int Sounds_Load_All() {
    struct Entry {
        int* slot;
        const char* file;
    };
    for (Entry e : {Entry{&Snd_14, "SOUNDS/sound_14.wav"}, Entry{&Snd_10, "SOUNDS/sound_10.wav"},
                    Entry{&Snd_1, "SOUNDS/sound_1.wav"}, Entry{&Snd_12, "SOUNDS/sound_12.wav"},
                    Entry{&Snd_11, "SOUNDS/sound_11.wav"}, Entry{&Snd_16, "SOUNDS/sound_16.wav"},
                    Entry{&Snd_17, "SOUNDS/sound_17.wav"}, Entry{&Snd_7, "SOUNDS/sound_7.wav"}})
        *e.slot = Sound_Load(e.file);
    return 1;
}

int Sound_Play(int slot) {
    if (slot < 0 || slot >= Sound_Slots || Sound_Table[slot].handle < 0) return 1;
    return Plat_Sound_Play(Sound_Table[slot].handle) ? 1 : 0;
}

int Sound_Stop_All() {
    for (const Sound_Slot& s : Sound_Table)
        if (s.handle >= 0) Plat_Sound_Stop(s.handle);
    return 1;
}

int Sound_Free_All() {
    for (Sound_Slot& s : Sound_Table)
        if (s.handle >= 0) {
            Plat_Sound_Stop(s.handle);
            Plat_Sound_Free(s.handle);
            s.handle = -1;
        }
    return 1;
}

int Sound_Release() {
    Report_Log("\n Деинециализация звука");
    Sound_Free_All();
    if (Device) Plat_Audio_Close();
    Device = false;
    First_Init = true;
    Report_Log("\n Успешная деинециализация звука");
    return 1;
}
