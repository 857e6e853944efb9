// Sound output over SDL2_mixer: effects as mixer chunks, one channel each so a
// restart never overlaps, and one music file at a time whose position the game
// reads and sets in 100 ns units. In scripted mode the music's position follows
// the virtual clock, so a scripted run is the same every time.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform_internal.h"

namespace {

bool Open = false;
bool Mp3 = false;  // the mixer can decode MP3
std::string Error;

struct Effect {
    Mix_Chunk* chunk = nullptr;
    std::vector<uint8_t> converted;  // the mixer's format; the chunk points into it
};
std::vector<Effect> Effects;

// Music: the mixer plays; the position is kept here from the tick count so that it
// can be read and set exactly and so that it follows the virtual clock.
Mix_Music* Tune = nullptr;
bool Tune_Loop = false;
int Tune_State = PLAT_MUSIC_STOPPED;
int64_t Tune_Length = 0;  // 100 ns; 0 when the mixer cannot tell
bool Tune_Length_Known = false;
int64_t Tune_Base = 0;        // position when the clock was last read into it
uint32_t Tune_Base_Tick = 0;  // tick at that moment (while running)
bool Tune_In_Mixer = false;   // the mixer is playing (or paused in) this tune
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

bool Plat_Audio_Open() {
    if (Open) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        Error = SDL_GetError();
        return false;
    }
    Mp3 = (Mix_Init(MIX_INIT_MP3) & MIX_INIT_MP3) != 0;
    // Mixed at the music's own rate (the tunes are 32 kHz, the effects less), so
    // that nothing is resampled while playing; 64 ms a buffer keeps the mixer's
    // wake-ups few.
    if (Mix_OpenAudio(32000, AUDIO_S16SYS, 2, 2048) != 0) {
        Error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(16);
    Open = true;
    Plat_Add_Frame_Service(Plat_Music_Watch);
    return true;
}

bool Plat_Audio_Mp3() {
    return Open && Mp3;
}

const char* Plat_Audio_Error() {
    return Error.c_str();
}

void Plat_Audio_Close() {
    if (!Open) return;
    Plat_Music_Close();
    for (size_t i = 0; i < Effects.size(); ++i) Plat_Sound_Free(static_cast<int>(i));
    Effects.clear();
    Plat_Remove_Frame_Service(Plat_Music_Watch);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Open = false;
}

int Plat_Sound_Create(const uint8_t* samples, uint32_t size) {
    if (!Open) return -1;
    // The data is always 11025 Hz mono unsigned 8-bit; convert it once.
    int freq = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&freq, &format, &channels);
    Effect e;
    if (format == AUDIO_S16SYS && freq % 11025 == 0 && channels >= 1) {
        // The usual device (a whole multiple of 11025 Hz, 16-bit): widen each sample
        // and interpolate between neighbours ourselves, which is far quicker than
        // the general converter.
        const uint32_t k = static_cast<uint32_t>(freq / 11025);
        const size_t frames = static_cast<size_t>(size) * k;
        e.converted.assign(frames * static_cast<size_t>(channels) * 2, 0);
        int16_t* out = reinterpret_cast<int16_t*>(e.converted.data());
        for (uint32_t i = 0; i < size; ++i) {
            const int a = (samples[i] - 128) * 256;
            const int b = i + 1 < size ? (samples[i + 1] - 128) * 256 : 0;
            for (uint32_t j = 0; j < k; ++j) {
                const int16_t v =
                    static_cast<int16_t>(a + (b - a) * static_cast<int>(j) / static_cast<int>(k));
                for (int c = 0; c < channels; ++c) *out++ = v;
            }
        }
    } else {
        SDL_AudioCVT cvt;
        if (SDL_BuildAudioCVT(&cvt, AUDIO_U8, 1, 11025, format, static_cast<Uint8>(channels),
                              freq) < 0)
            return -1;
        e.converted.assign(static_cast<size_t>(size) * static_cast<size_t>(cvt.len_mult) + 16, 0);
        std::memcpy(e.converted.data(), samples, size);
        cvt.buf = e.converted.data();
        cvt.len = static_cast<int>(size);
        if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return -1;
        e.converted.resize(static_cast<size_t>(cvt.needed ? cvt.len_cvt : cvt.len));
    }
    e.chunk = Mix_QuickLoad_RAW(e.converted.data(), static_cast<Uint32>(e.converted.size()));
    if (e.chunk == nullptr) return -1;
    Effects.push_back(std::move(e));
    const int handle = static_cast<int>(Effects.size()) - 1;
    if (Mix_AllocateChannels(-1) <= handle) Mix_AllocateChannels(handle + 8);
    return handle;
}

bool Plat_Sound_Play(int handle) {
    if (handle < 0 || handle >= static_cast<int>(Effects.size()) || !Effects[handle].chunk)
        return false;
    // Each effect has a channel of its own: playing it again restarts it there.
    return Mix_PlayChannel(handle, Effects[handle].chunk, 0) == handle;
}

void Plat_Sound_Stop(int handle) {
    if (handle >= 0 && handle < static_cast<int>(Effects.size())) Mix_HaltChannel(handle);
}

bool Plat_Sound_Playing(int handle) {
    return handle >= 0 && handle < static_cast<int>(Effects.size()) && Mix_Playing(handle) != 0;
}

int Plat_Sounds_Playing() {
    return Open ? Mix_Playing(-1) : 0;
}

uint32_t Plat_Sound_Length_Ms(int handle) {
    if (handle < 0 || handle >= static_cast<int>(Effects.size()) || !Effects[handle].chunk)
        return 0;
    int freq = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&freq, &format, &channels) == 0 || freq <= 0 || channels <= 0) return 0;
    const uint64_t frame_bytes = static_cast<uint64_t>(channels) * (SDL_AUDIO_BITSIZE(format) / 8);
    return static_cast<uint32_t>(Effects[handle].chunk->alen * uint64_t{1000} / frame_bytes /
                                 static_cast<uint64_t>(freq));
}

void Plat_Sound_Free(int handle) {
    if (handle < 0 || handle >= static_cast<int>(Effects.size())) return;
    Effect& e = Effects[handle];
    if (e.chunk == nullptr) return;
    Mix_HaltChannel(handle);
    Mix_FreeChunk(e.chunk);
    e.chunk = nullptr;
    e.converted.clear();
}

bool Plat_Music_Open(const char* path, bool loop) {
    Plat_Music_Close();
    if (!Open) return false;
    Tune = Mix_LoadMUS(path);
    // A file whose name says one format but which holds another is known by its
    // first bytes.
    if (Tune == nullptr)
        if (SDL_RWops* rw = SDL_RWFromFile(path, "rb")) Tune = Mix_LoadMUSType_RW(rw, MUS_NONE, 1);
    if (Tune == nullptr) return false;
    const double seconds = Mix_MusicDuration(Tune);
    Tune_Length_Known = seconds > 0;
    Tune_Length = Tune_Length_Known ? static_cast<int64_t>(seconds * 1e7) : 0;
    Tune_Loop = loop;
    Tune_State = PLAT_MUSIC_STOPPED;
    Tune_Base = 0;
    Tune_In_Mixer = false;
    return true;
}

void Plat_Music_Close() {
    if (Tune == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(Tune);
    Tune = nullptr;
    Tune_State = PLAT_MUSIC_STOPPED;
    Tune_In_Mixer = false;
}

void Plat_Music_Run() {
    if (Tune == nullptr || Tune_State == PLAT_MUSIC_RUNNING) return;
    const int64_t at = Now_Position();
    if (Tune_In_Mixer && Tune_State == PLAT_MUSIC_PAUSED) {
        Mix_ResumeMusic();
    } else if (!Tune_In_Mixer && (Tune_Loop || !Tune_Length_Known || at < Tune_Length)) {
        // A looping tune is looped by the mixer itself, so it wraps without a gap.
        Mix_PlayMusic(Tune, Tune_Loop ? -1 : 0);
        if (at > 0) Mix_SetMusicPosition(static_cast<double>(at) / 1e7);
        Tune_In_Mixer = true;
    }
    Tune_Base = at;
    Tune_Base_Tick = Plat_Tick();
    Tune_State = PLAT_MUSIC_RUNNING;
}

void Plat_Music_Pause() {
    if (Tune == nullptr || Tune_State != PLAT_MUSIC_RUNNING) return;
    Rebase();
    Mix_PauseMusic();
    Tune_State = PLAT_MUSIC_PAUSED;
}

void Plat_Music_Stop() {
    if (Tune == nullptr || Tune_State == PLAT_MUSIC_STOPPED) return;
    Rebase();
    Tune_State = PLAT_MUSIC_STOPPED;
    // A looping tune at its end keeps playing in the mixer: it has already wrapped,
    // and the rewind that follows only moves the position back.
    if (Tune_Loop && Tune_Length_Known && Tune_Base >= Tune_Length && Tune_In_Mixer) return;
    Mix_HaltMusic();
    Tune_In_Mixer = false;
}

int Plat_Music_State() {
    return Tune == nullptr ? PLAT_MUSIC_STOPPED : Tune_State;
}

int64_t Plat_Music_Position() {
    return Tune == nullptr ? 0 : Now_Position();
}

int64_t Plat_Music_Length() {
    return Tune == nullptr ? 0 : Tune_Length;
}

bool Plat_Music_Ended() {
    if (Tune == nullptr) return true;
    // A tune whose length is not known plays until the mixer says it stopped.
    if (!Tune_Length_Known) return !Tune_In_Mixer || Mix_PlayingMusic() == 0;
    return Now_Position() >= Tune_Length;
}

void Plat_Music_Forget_Length() {
    Tune_Length_Known = false;
    Tune_Length = 0;
}

bool Plat_Music_Length_Known() {
    return Tune != nullptr && Tune_Length_Known;
}

void Plat_Music_Polled() {
    Last_Poll = Plat_Tick();
}

bool Plat_Music_Mixer_Playing() {
    return Open && Mix_PlayingMusic() != 0 && Mix_FadingMusic() != MIX_FADING_OUT;
}

void Plat_Music_Watch() {
    // A looping tune is looped by the mixer only while a screen polls the player;
    // on a screen that does not, it ends with its round.
    if (Tune == nullptr || !Tune_Loop || !Tune_In_Mixer || Tune_State != PLAT_MUSIC_RUNNING ||
        !Tune_Length_Known)
        return;
    if (static_cast<uint32_t>(Plat_Tick() - Last_Poll) < Poll_Grace_Ms) return;
    const int64_t left = Tune_Length - Unclamped_Position();
    if (left > Fade_Window) return;
    Mix_FadeOutMusic(left > 10000 ? static_cast<int>(left / 10000) : 1);
    Tune_In_Mixer = false;
}

void Plat_Music_Set_Position(int64_t position) {
    if (Tune == nullptr) return;
    if (position < 0) position = 0;
    if (Tune_Length_Known && position > Tune_Length) position = Tune_Length;
    const bool wrapped = Tune_Loop && Tune_In_Mixer && Tune_State == PLAT_MUSIC_STOPPED &&
                         position == 0 && Tune_Length_Known && Tune_Base >= Tune_Length;
    if (wrapped) {
        // The mixer went on into the next round by itself; count again from 0.
        Tune_Base = 0;
        Tune_Base_Tick = Plat_Tick();
        return;
    }
    Tune_Base = position;
    Tune_Base_Tick = Plat_Tick();
    if (Tune_In_Mixer) Mix_SetMusicPosition(static_cast<double>(position) / 1e7);
}
