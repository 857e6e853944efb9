// The sound device over SDL2_mixer: effects as mixer chunks, each on a channel of
// its own so a restart never overlaps, and one music file at a time, which may
// arrive after it was asked for. The handles, the music's clock and the watch over
// looping tunes are the platform's own.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/system.h"
#include "platform/platform_internal.h"
#include "platform/sdl_system.h"

namespace {

bool Mp3 = false;  // the mixer can decode MP3
int Effects_Volume = MIX_MAX_VOLUME;

struct Effect {
    Mix_Chunk* chunk = nullptr;
    std::vector<uint8_t> converted;  // the mixer's format; the chunk points into it
};
std::vector<Effect> Effects;
Mix_Music* Tune = nullptr;

// A tune whose file has not arrived yet (the browser fetches the music after the
// game has started): the game goes on with it on the platform's clock, and once it
// arrives it sounds from where that clock has got to.
std::string Waiting_Path;
bool Waiting_Loop = false;

bool Have(int handle) {
    return handle >= 0 && handle < static_cast<int>(Effects.size()) &&
           Effects[handle].chunk != nullptr;
}

// The data is always 11025 Hz mono unsigned 8-bit; converted once, at load time.
bool Convert(const uint8_t* samples, uint32_t size, std::vector<uint8_t>* out) {
    int freq = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&freq, &format, &channels);
    if (format == AUDIO_S16SYS && freq % 11025 == 0 && channels >= 1) {
        // The usual device (a whole multiple of 11025 Hz, 16-bit): widen each sample
        // and interpolate between neighbours ourselves, which is far quicker than
        // the general converter.
        const uint32_t k = static_cast<uint32_t>(freq / 11025);
        const size_t frames = static_cast<size_t>(size) * k;
        out->assign(frames * static_cast<size_t>(channels) * 2, 0);
        int16_t* o = reinterpret_cast<int16_t*>(out->data());
        for (uint32_t i = 0; i < size; ++i) {
            const int a = (samples[i] - 128) * 256;
            const int b = i + 1 < size ? (samples[i + 1] - 128) * 256 : 0;
            for (uint32_t j = 0; j < k; ++j) {
                const int16_t v =
                    static_cast<int16_t>(a + (b - a) * static_cast<int>(j) / static_cast<int>(k));
                for (int c = 0; c < channels; ++c) *o++ = v;
            }
        }
        return true;
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_U8, 1, 11025, format, static_cast<Uint8>(channels), freq) < 0)
        return false;
    out->assign(static_cast<size_t>(size) * static_cast<size_t>(cvt.len_mult) + 16, 0);
    std::memcpy(out->data(), samples, size);
    cvt.buf = out->data();
    cvt.len = static_cast<int>(size);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
    out->resize(static_cast<size_t>(cvt.needed ? cvt.len_cvt : cvt.len));
    return true;
}

void Sound_Free(int handle) {
    if (!Have(handle)) return;
    Effect& e = Effects[handle];
    Mix_HaltChannel(handle);
    Mix_FreeChunk(e.chunk);
    e.chunk = nullptr;
    e.converted.clear();
}

void Look_For_Waiting_Tune();

void Music_Free() {
    if (!Waiting_Path.empty()) Plat_Remove_Frame_Service(Look_For_Waiting_Tune);
    Waiting_Path.clear();
    if (Tune == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(Tune);
    Tune = nullptr;
}

Mix_Music* Load_Tune(const char* path) {
    Mix_Music* tune = Mix_LoadMUS(path);
    // A file whose name says one format but which holds another is known by its
    // first bytes.
    if (tune == nullptr)
        if (SDL_RWops* rw = SDL_RWFromFile(path, "rb")) tune = Mix_LoadMUSType_RW(rw, MUS_NONE, 1);
    return tune;
}

bool Music_Load(const char* path, double* seconds) {
    Music_Free();
    if (!Sys_File_Here(path)) {
        // Its length unknown, the tune lasts as long as the game takes it to play.
        Waiting_Path = path;
        *seconds = 0;
        Plat_Add_Frame_Service(Look_For_Waiting_Tune);
        return true;
    }
    Tune = Load_Tune(path);
    if (Tune == nullptr) return false;
    *seconds = Mix_MusicDuration(Tune);
    return true;
}

void Music_Play(bool loop, double at) {
    Waiting_Loop = loop;
    if (Tune == nullptr) return;
    Mix_PlayMusic(Tune, loop ? -1 : 0);
    if (at > 0) Mix_SetMusicPosition(at);
}

// Once a frame while a tune waits: when its file has come, it is loaded and sounds
// as the game is playing it.
void Look_For_Waiting_Tune() {
    if (Waiting_Path.empty() || !Sys_File_Here(Waiting_Path)) return;
    Plat_Remove_Frame_Service(Look_For_Waiting_Tune);
    Tune = Load_Tune(Waiting_Path.c_str());
    Waiting_Path.clear();
    if (Tune == nullptr || Plat_Music_State() == PLAT_MUSIC_STOPPED) return;
    Mix_PlayMusic(Tune, Waiting_Loop ? -1 : 0);
    Mix_SetMusicPosition(static_cast<double>(Plat_Music_Position()) / 1e7);
    if (Plat_Music_State() == PLAT_MUSIC_PAUSED) Mix_PauseMusic();
}

void Close() {
    Music_Free();
    for (size_t i = 0; i < Effects.size(); ++i) Sound_Free(static_cast<int>(i));
    Effects.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const Plat_Audio_Backend Mixer = {
    Close,
    [] { return Mp3; },
    [](int handle, const uint8_t* samples, uint32_t size) {
        Effect e;
        if (!Convert(samples, size, &e.converted)) return false;
        e.chunk = Mix_QuickLoad_RAW(e.converted.data(), static_cast<Uint32>(e.converted.size()));
        if (e.chunk == nullptr) return false;
        if (static_cast<int>(Effects.size()) <= handle)
            Effects.resize(static_cast<size_t>(handle) + 1);
        Effects[handle] = std::move(e);
        if (Mix_AllocateChannels(-1) <= handle) Mix_AllocateChannels(handle + 8);
        return true;
    },
    // Each effect has a channel of its own: playing it again restarts it there.
    [](int handle) {
        if (!Have(handle)) return false;
        Mix_Volume(handle, Effects_Volume);
        return Mix_PlayChannel(handle, Effects[handle].chunk, 0) == handle;
    },
    [](int handle) {
        if (Have(handle)) Mix_HaltChannel(handle);
    },
    Sound_Free,
    [](int handle) { return Have(handle) && Mix_Playing(handle) != 0; },
    [] { return Mix_Playing(-1); },
    Music_Load,
    Music_Free,
    Music_Play,
    [] { Mix_PauseMusic(); },
    [] { Mix_ResumeMusic(); },
    [] { Mix_HaltMusic(); },
    [](double at) { Mix_SetMusicPosition(at); },
    // A waiting tune plays while the game has it play.
    [] {
        return Waiting_Path.empty() ? Mix_PlayingMusic() != 0
                                    : Plat_Music_State() != PLAT_MUSIC_STOPPED;
    },
    [] { return Mix_FadingMusic() == MIX_FADING_OUT; },
    [](int ms) { Mix_FadeOutMusic(ms); },
    [](int music, int effects) {
        Mix_VolumeMusic(music);
        Effects_Volume = effects;
        Mix_Volume(-1, effects);
    },
};

}  // namespace

const Plat_Audio_Backend* Sdl_Audio_Open(std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = SDL_GetError();
        return nullptr;
    }
    Mp3 = (Mix_Init(MIX_INIT_MP3) & MIX_INIT_MP3) != 0;
    // Mixed at the music's own rate (the tunes are 32 kHz, the effects less), so
    // that nothing is resampled while playing; 64 ms a buffer keeps the mixer's
    // wake-ups few.
    if (Mix_OpenAudio(32000, AUDIO_S16SYS, 2, 2048) != 0) {
        *error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    Mix_AllocateChannels(16);
    return &Mixer;
}
