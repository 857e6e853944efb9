// Sound effects: eight WAV files loaded at start-up into a table of 300 slots and
// played by slot, always from the start and once.
#pragma once

#include <cstdint>

struct Sound_Slot {
    int32_t handle = -1;  // the mixer's effect, -1 = no buffer
    int32_t used = 0;
    int32_t rate = 0;  // named by the file; the data is played at 11025 Hz anyway
    int32_t size = 0;
    int32_t index = 0;
};

constexpr int Sound_Slots = 300;
extern Sound_Slot Sound_Table[Sound_Slots];

// Slot variables, filled in this order by Sounds_Load_All; -1 = not loaded.
extern int Snd_14, Snd_10, Snd_1, Snd_12, Snd_11, Snd_16, Snd_17, Snd_7;

int Sound_Init();
int Sound_Load(const char* name);
int Sounds_Load_All();
int Sound_Play(int slot);
int Sound_Stop_All();
int Sound_Free_All();
int Sound_Release();
// Whether a sound device opened (without one the game plays on silently).
bool Sound_Device_Open();

// The RIFF walk of a WAV file in memory: the first chunk inside "WAVE" is the
// format (18 bytes read, tag 1), then the "data" chunk. Sets the rate and the
// data's place; false when the file is not one the game plays.
bool Wav_Parse(const uint8_t* bytes, uint32_t size, int32_t* rate, uint32_t* data_offset,
               uint32_t* data_size);
