// Sound output without a device of its own: the effect handles, the music clock
// (the position is kept from the tick count, so it follows the virtual clock and
// can be read and set exactly), the watch that ends an unpolled looping tune with
// its round, and the silent backend the game plays on when no device opens.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "platform/platform_internal.h"
#include "core/system.h"

namespace {

// --- the silent backend: nothing is heard, every clock runs ----------------------

// MPEG audio frame headers give a file's bit rate, and so its length; the silent
// backend has no decoder but must know how long a tune would play.
double Mp3_Seconds(const char* path) {
    FILE* f = Sys_Open(path, "rb");
    if (f == nullptr) return 0;
    std::vector<uint8_t> head(64 * 1024);
    const size_t got = std::fread(head.data(), 1, head.size(), f);
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    size_t at = 0;
    // An ID3v2 tag first: ten bytes and a size in seven-bit bytes.
    if (got >= 10 && head[0] == 'I' && head[1] == 'D' && head[2] == '3')
        at = 10 + ((size_t{head[6]} & 0x7F) << 21 | (size_t{head[7]} & 0x7F) << 14 |
                   (size_t{head[8]} & 0x7F) << 7 | (size_t{head[9]} & 0x7F));
    static const int Kbps_V1_L3[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                       112, 128, 160, 192, 224, 256, 320, 0};
    static const int Kbps_V2_L3[16] = {0,  8,  16, 24,  32,  40,  48,  56,
                                       64, 80, 96, 112, 128, 144, 160, 0};
    for (; at + 4 <= got; ++at) {
        if (head[at] != 0xFF || (head[at + 1] & 0xE6) != 0xE2) continue;  // sync, layer III
        const bool v1 = (head[at + 1] & 0x18) == 0x18;
        const int kbps = (v1 ? Kbps_V1_L3 : Kbps_V2_L3)[head[at + 2] >> 4];
        if (kbps == 0 || (head[at + 2] & 0x0C) == 0x0C) continue;
        return static_cast<double>(size - static_cast<long>(at)) * 8.0 / (kbps * 1000.0);
    }
    return 0;
}

// A RIFF WAVE file's length from its byte rate and its data chunk.
double Wav_Seconds(const char* path) {
    FILE* f = Sys_Open(path, "rb");
    if (f == nullptr) return 0;
    uint8_t b[512];
    const size_t got = std::fread(b, 1, sizeof b, f);
    std::fclose(f);
    if (got < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) return 0;
    uint32_t byte_rate = 0;
    for (size_t at = 12; at + 8 <= got;) {
        const uint32_t len = Get_Le32(b + at + 4);
        if (std::memcmp(b + at, "fmt ", 4) == 0 && at + 20 <= got)
            byte_rate = Get_Le32(b + at + 16);
        if (std::memcmp(b + at, "data", 4) == 0)
            return byte_rate > 0 ? static_cast<double>(len) / byte_rate : 0;
        at += 8 + size_t{len} + (len & 1);
    }
    return 0;
}

struct Silent_Tune {
    bool loaded = false, playing = false, paused = false, loop = false;
};
Silent_Tune Quiet;

const Plat_Audio_Backend Silent = {
    /*close*/ [] {},
    /*mp3*/ [] { return true; },
    /*sound_create*/ [](int, const uint8_t*, uint32_t) { return true; },
    /*sound_play*/ [](int) { return true; },
    /*sound_stop*/ [](int) {},
    /*sound_free*/ [](int) {},
    /*sound_playing*/ [](int) { return false; },
    /*sounds_playing*/ [] { return 0; },
    /*music_load*/
    [](const char* path, double* seconds) {
        *seconds = Wav_Seconds(path);
        if (*seconds <= 0) *seconds = Mp3_Seconds(path);
        Quiet = Silent_Tune{};
        Quiet.loaded = *seconds > 0;
        return Quiet.loaded;
    },
    /*music_free*/ [] { Quiet = Silent_Tune{}; },
    /*music_play*/
    [](bool loop, double) {
        Quiet.playing = true;
        Quiet.paused = false;
        Quiet.loop = loop;
    },
    /*music_pause*/ [] { Quiet.paused = true; },
    /*music_resume*/ [] { Quiet.paused = false; },
    /*music_halt*/ [] { Quiet.playing = Quiet.paused = false; },
    /*music_set_position*/ [](double) {},
    /*music_playing*/ [] { return Quiet.playing; },
    /*music_fading_out*/ [] { return false; },
    /*music_fade_out*/ [](int) { Quiet.playing = false; },
    /*set_volumes*/ [](int, int) {},
};

const Plat_System* System = nullptr;
int Music_Percent = 100, Effects_Percent = 100;
const Plat_Audio_Backend* Audio = &Silent;
bool Device = false;  // a device of the system's is open
std::string Audio_Error;

// Effects: the handle's slot, and how long it plays at 11025 Hz.
std::vector<bool> Effects;  // live, by handle

bool Live(int handle) {
    return handle >= 0 && handle < static_cast<int>(Effects.size()) && Effects[handle];
}

// Music: the backend plays; the position is kept here.
bool Tune = false;  // a tune is open
bool Tune_Loop = false;
int Tune_State = PLAT_MUSIC_STOPPED;
int64_t Tune_Length = 0;  // 100 ns; 0 when the backend cannot tell
bool Tune_Length_Known = false;
int64_t Tune_Base = 0;        // position when the clock was last read into it
uint32_t Tune_Base_Tick = 0;  // tick at that moment (while running)
bool Tune_In_Mixer = false;   // the backend is playing (or paused in) this tune
uint32_t Last_Poll = 0;       // tick at which a screen last polled the player

// How long a looping tune goes on without a screen polling it before it counts as
// unpolled, and how long before the end of its round it is then faded out: longer
// than the longest frame of a still screen (a quarter of a second), so that the
// watch, run once a frame, never misses the end.
constexpr uint32_t Poll_Grace_Ms = 100;
constexpr int64_t Fade_Window = 300 * 10000;

int64_t Unclamped_Position() {
    int64_t pos = Tune_Base;
    if (Tune_State == PLAT_MUSIC_RUNNING)
        pos += static_cast<int64_t>(Plat_Tick() - Tune_Base_Tick) * 10000;
    return pos;
}

int64_t Now_Position() {
    const int64_t pos = Unclamped_Position();
    return !Tune_Length_Known || pos < Tune_Length ? pos : Tune_Length;
}

void Rebase() {
    Tune_Base = Now_Position();
    Tune_Base_Tick = Plat_Tick();
}

}  // namespace

void Plat_Set_System(const Plat_System* system) {
    System = system;
}

const Plat_System* Plat_Current_System() {
    return System;
}

bool Plat_Audio_Open() {
    if (Device) return true;
    Audio_Error.clear();
    const Plat_Audio_Backend* device = System != nullptr && System->open_audio != nullptr
                                           ? System->open_audio(&Audio_Error)
                                           : nullptr;
    if (device == nullptr) {
        if (Audio_Error.empty()) Audio_Error = "no sound system";
        return false;
    }
    Plat_Music_Close();
    Effects.clear();
    Audio = device;
    Device = true;
    Plat_Audio_Set_Volumes(Music_Percent, Effects_Percent);
    Plat_Add_Frame_Service(Plat_Music_Watch);
    return true;
}

bool Plat_Audio_Mp3() {
    return Device && Audio->mp3();
}

void Plat_Audio_Set_Volumes(int music_percent, int effects_percent) {
    Music_Percent = music_percent;
    Effects_Percent = effects_percent;
    Audio->set_volumes(music_percent * 128 / 100, effects_percent * 128 / 100);
}

const char* Plat_Audio_Error() {
    return Audio_Error.c_str();
}

void Plat_Audio_Close() {
    Plat_Music_Close();
    for (size_t i = 0; i < Effects.size(); ++i) Plat_Sound_Free(static_cast<int>(i));
    Effects.clear();
    if (!Device) return;
    Plat_Remove_Frame_Service(Plat_Music_Watch);
    Audio->close();
    Audio = &Silent;
    Device = false;
}

int Plat_Sound_Create(const uint8_t* samples, uint32_t size) {
    const int handle = static_cast<int>(Effects.size());
    if (!Audio->sound_create(handle, samples, size)) return -1;
    Effects.push_back(true);
    return handle;
}

bool Plat_Sound_Play(int handle) {
    return Live(handle) && Audio->sound_play(handle);
}

void Plat_Sound_Stop(int handle) {
    if (Live(handle)) Audio->sound_stop(handle);
}

void Plat_Sound_Free(int handle) {
    if (!Live(handle)) return;
    Audio->sound_free(handle);
    Effects[handle] = false;
}

bool Plat_Music_Open(const char* path, bool loop) {
    Plat_Music_Close();
    double seconds = 0;
    if (!Audio->music_load(path, &seconds)) return false;
    Tune = true;
    Tune_Length_Known = seconds > 0;
    Tune_Length = Tune_Length_Known ? static_cast<int64_t>(seconds * 1e7) : 0;
    Tune_Loop = loop;
    Tune_State = PLAT_MUSIC_STOPPED;
    Tune_Base = 0;
    Tune_In_Mixer = false;
    return true;
}

void Plat_Music_Close() {
    if (!Tune) return;
    Audio->music_halt();
    Audio->music_free();
    Tune = false;
    Tune_State = PLAT_MUSIC_STOPPED;
    Tune_In_Mixer = false;
}

void Plat_Music_Run() {
    if (!Tune || Tune_State == PLAT_MUSIC_RUNNING) return;
    const int64_t at = Now_Position();
    if (Tune_In_Mixer && Tune_State == PLAT_MUSIC_PAUSED) {
        Audio->music_resume();
    } else if (!Tune_In_Mixer && (Tune_Loop || !Tune_Length_Known || at < Tune_Length)) {
        // A looping tune is looped by the backend itself, so it wraps without a gap.
        Audio->music_play(Tune_Loop, static_cast<double>(at) / 1e7);
        Tune_In_Mixer = true;
    }
    Tune_Base = at;
    Tune_Base_Tick = Plat_Tick();
    Tune_State = PLAT_MUSIC_RUNNING;
}

void Plat_Music_Pause() {
    if (!Tune || Tune_State != PLAT_MUSIC_RUNNING) return;
    Rebase();
    Audio->music_pause();
    Tune_State = PLAT_MUSIC_PAUSED;
}

void Plat_Music_Stop() {
    if (!Tune || Tune_State == PLAT_MUSIC_STOPPED) return;
    Rebase();
    Tune_State = PLAT_MUSIC_STOPPED;
    // A looping tune at its end keeps playing in the backend: it has already
    // wrapped, and the rewind that follows only moves the position back.
    if (Tune_Loop && Tune_Length_Known && Tune_Base >= Tune_Length && Tune_In_Mixer) return;
    Audio->music_halt();
    Tune_In_Mixer = false;
}

int Plat_Music_State() {
    return !Tune ? PLAT_MUSIC_STOPPED : Tune_State;
}

int64_t Plat_Music_Position() {
    return !Tune ? 0 : Now_Position();
}

int64_t Plat_Music_Length() {
    return !Tune ? 0 : Tune_Length;
}

bool Plat_Music_Ended() {
    if (!Tune) return true;
    // A tune whose length is not known plays until the backend says it stopped.
    if (!Tune_Length_Known) return !Tune_In_Mixer || !Audio->music_playing();
    return Now_Position() >= Tune_Length;
}

bool Plat_Music_Length_Known() {
    return Tune && Tune_Length_Known;
}

void Plat_Music_Polled() {
    Last_Poll = Plat_Tick();
}

void Plat_Music_Watch() {
    // A looping tune is looped by the backend only while a screen polls the player;
    // on a screen that does not, it ends with its round.
    if (!Tune || !Tune_Loop || !Tune_In_Mixer || Tune_State != PLAT_MUSIC_RUNNING ||
        !Tune_Length_Known)
        return;
    if (static_cast<uint32_t>(Plat_Tick() - Last_Poll) < Poll_Grace_Ms) return;
    const int64_t left = Tune_Length - Unclamped_Position();
    if (left > Fade_Window) return;
    Audio->music_fade_out(left > 10000 ? static_cast<int>(left / 10000) : 1);
    Tune_In_Mixer = false;
}

void Plat_Music_Set_Position(int64_t position) {
    if (!Tune) return;
    if (position < 0) position = 0;
    if (Tune_Length_Known && position > Tune_Length) position = Tune_Length;
    const bool wrapped = Tune_Loop && Tune_In_Mixer && Tune_State == PLAT_MUSIC_STOPPED &&
                         position == 0 && Tune_Length_Known && Tune_Base >= Tune_Length;
    if (wrapped) {
        // The backend went on into the next round by itself; count again from 0.
        Tune_Base = 0;
        Tune_Base_Tick = Plat_Tick();
        return;
    }
    Tune_Base = position;
    Tune_Base_Tick = Plat_Tick();
    if (Tune_In_Mixer) Audio->music_set_position(static_cast<double>(position) / 1e7);
}
