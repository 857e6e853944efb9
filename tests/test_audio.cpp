// Sound effects and music: the WAV reader's rules, slots taken in load order, a
// slot restarting instead of overlapping, the polled music player and the session
// playlist handing back to its track after a cue — on SDL's dummy audio device
// and the virtual clock.
#include <gtest/gtest.h>

#include "test_host.h"

#include "platform/sdl_system.h"
#include "shared_state.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "audio/music.h"
#include "audio/sound.h"
#include "platform/platform_internal.h"
#include "scratch_cwd.h"

namespace {

// A WAV file: a format chunk of fmt_size bytes with the given tag and rate, a LIST
// chunk, then (optionally) a data chunk of n samples.
std::string Wav(int n, uint16_t tag = 1, uint32_t rate = 11025, bool data = true,
                uint32_t fmt_size = 16, int channels = 1, int bits = 8) {
    std::string b = "RIFF----WAVEfmt ";
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b += static_cast<char>(v >> (8 * i));
    };
    const uint32_t block = static_cast<uint32_t>(channels * bits / 8);
    put(fmt_size, 4), put(tag, 2), put(channels, 2), put(rate, 4), put(rate * block, 4);
    put(block, 2), put(bits, 2);
    b += std::string(fmt_size - 16, '\0') + "LIST";
    put(4, 4);
    b += "INFO";
    if (data) {
        b += "data";
        put(n * block, 4);
        for (uint32_t i = 0; i < n * block; ++i) b += static_cast<char>(128 + (i % 40) - 20);
    }
    for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<char>((b.size() - 8) >> (8 * i));
    return b;
}

// The SDL system with its sound device watched: the tests ask the mixer's own
// backend what it plays, and can make it not know a tune's length.
const Plat_Audio_Backend* Mixer = nullptr;
Plat_Audio_Backend Watched;
bool Lengths_Unknown = false;
const Plat_Audio_Backend* Open_Watched(std::string* error) {
    Mixer = Sdl_Audio_Open(error);
    if (Mixer == nullptr) return nullptr;
    Watched = *Mixer;
    Watched.music_load = [](const char* path, double* seconds) {
        const bool loaded = Mixer->music_load(path, seconds);
        if (Lengths_Unknown) *seconds = 0;
        return loaded;
    };
    return &Watched;
}

class Audio_Test : public Shared_State_Test {
  protected:
    // The mixer on SDL's dummy device, or no device at all: the silent backend.
    virtual bool Silent() const { return false; }
    void SetUp() override {
        Test_Set_Env("SDL_AUDIODRIVER", "dummy");
        Mixer = nullptr;
        Lengths_Unknown = false;
        if (!Silent()) {
            Plat_Use_Sdl();
            static Plat_System watched = *Plat_Current_System();
            watched.open_audio = Open_Watched;
            Plat_Set_System(&watched);
        }
        Reset_Shared_State(1000);
        ASSERT_EQ(Report_Open(), 1);
        ASSERT_EQ(Sound_Init(), 1);
        ASSERT_EQ(Mixer == nullptr, Silent());
        Music = Music_Init(new Music_Player());
    }
    // The tune in the mixer plays (and is not fading out).
    static bool Tune_Playing() { return Mixer->music_playing() && !Mixer->music_fading_out(); }
    void TearDown() override {
        Music_Release();
        Sound_Release();
        Plat_Set_System(nullptr);
        Shared_State_Test::TearDown();
    }
    Scratch_Cwd cwd;
};

// The music's clock is the platform's own: the same on the mixer and on silence.
class Music_Clock_Test : public Audio_Test, public ::testing::WithParamInterface<bool> {
  protected:
    bool Silent() const override { return GetParam(); }
};

// Wav_Parse on a file's bytes.
bool Parse(const std::string& w, int32_t* rate, uint32_t* off, uint32_t* size) {
    return Wav_Parse(reinterpret_cast<const uint8_t*>(w.data()), static_cast<uint32_t>(w.size()),
                     rate, off, size);
}

TEST(Wav, TheFirstChunkIsTheFormatAndOnlyPcmIsTaken) {
    int32_t rate = 0;
    uint32_t off = 0, size = 0;
    std::string w = Wav(100);
    ASSERT_TRUE(Parse(w, &rate, &off, &size));
    EXPECT_EQ(rate, 11025);
    EXPECT_EQ(size, 100u);
    EXPECT_EQ(static_cast<uint8_t>(w[off]), 108);
    EXPECT_FALSE(Parse(Wav(100, 2), &rate, &off, &size));                  // ADPCM
    EXPECT_FALSE(Parse(Wav(100, 1, 11025, false), &rate, &off, &size));    // no data chunk
    ASSERT_TRUE(Parse(Wav(100, 1, 22050, true, 18), &rate, &off, &size));  // 18-byte format
    EXPECT_EQ(rate, 22050);
    w.resize(w.size() - 10);  // data cut short
    EXPECT_FALSE(Parse(w, &rate, &off, &size));
    EXPECT_FALSE(Parse("RIFF", &rate, &off, &size));
}

TEST_F(Audio_Test, SlotsAreTakenInLoadOrderAndAMissingFileLeavesItsVariableNegative) {
    for (const char* name :
         {"sound_14", "sound_10", "sound_1", "sound_12", "sound_11", "sound_17", "sound_7"})
        cwd.Write(std::string("SOUNDS/") + name + ".wav", Wav(500));
    cwd.Write("SOUNDS/sound_7.wav", Wav(500, 1, 44100));  // another rate is still taken
    Sounds_Load_All();
    EXPECT_EQ(Snd_14, 0);
    EXPECT_EQ(Snd_11, 4);
    EXPECT_EQ(Snd_16, -1);
    EXPECT_EQ(Snd_17, 5);
    EXPECT_EQ(Snd_7, 6);
    EXPECT_EQ(Sound_Table[6].rate, 44100);
    EXPECT_EQ(Sound_Table[6].size, 500);
    EXPECT_EQ(Sound_Play(Snd_16), 1);  // nothing to play, and no harm
    // A refused file takes no slot.
    cwd.Write("bad.wav", Wav(100, 85));  // an MP3-in-WAV tag
    EXPECT_EQ(Sound_Load("bad.wav"), -1);
    EXPECT_EQ(Sound_Load("none.wav"), -1);
    EXPECT_EQ(Sound_Load("SOUNDS/sound_1.wav"), 7);
    const std::string log = cwd.Log();
    EXPECT_NE(log.find("\n Загрузка файла со звуками: SOUNDS/sound_14.wav ...OK"),
              std::string::npos);
    EXPECT_NE(log.find("\n Загрузка файла со звуками: SOUNDS/sound_16.wav ...\n"),
              std::string::npos);
}

TEST_F(Audio_Test, PlayingASlotAgainRestartsItAndStopAllSilencesEverything) {
    cwd.Write("a.wav", Wav(11025));
    cwd.Write("b.wav", Wav(5513, 1, 44100));  // the rate the file names is not used
    const int slot = Sound_Load("a.wav"), other = Sound_Load("b.wav");
    ASSERT_EQ(slot, 0);
    const int handle = Sound_Table[slot].handle;
    ASSERT_EQ(Sound_Play(slot), 1);
    ASSERT_EQ(Sound_Play(slot), 1);  // again: the same channel starts over
    EXPECT_TRUE(Mixer->sound_playing(handle));
    EXPECT_EQ(Mixer->sounds_playing(), 1);
    ASSERT_EQ(Sound_Play(other), 1);
    EXPECT_EQ(Mixer->sounds_playing(), 2);
    Sound_Stop_All();
    EXPECT_FALSE(Mixer->sound_playing(handle));
    EXPECT_EQ(Mixer->sounds_playing(), 0);
    // An effect the mixer no longer has is refused.
    Plat_Sound_Free(Sound_Table[other].handle);
    EXPECT_EQ(Sound_Play(other), 0);
    Sound_Free_All();
    EXPECT_EQ(Sound_Table[slot].handle, -1);
    EXPECT_EQ(Sound_Play(slot), 1);  // a slot without a buffer plays nothing, and says 1
}

// Music: a one-second tune (any format the mixer knows; WAV here).
std::string Tune() {
    return Wav(22050, 1, 22050, true, 16, 1, 16);
}

TEST_P(Music_Clock_Test, AFinishedTuneStopsOrLoopsOnlyWhenPolled) {
    cwd.Write("tune.wav", Tune());
    Music_Play("tune.wav", 0);
    ASSERT_EQ(Music->playing, 1);
    EXPECT_EQ(Plat_Music_Length(), 10000000);
    Plat_Clock_Advance(600);
    EXPECT_EQ(Music_Update(), 1);
    EXPECT_EQ(Plat_Music_Position(), 6000000);
    Plat_Clock_Advance(500);
    EXPECT_EQ(Music_Update(), 0);  // at its end, stopped there
    EXPECT_EQ(Music->playing, 1);
    EXPECT_EQ(Plat_Music_Position(), 10000000);
    EXPECT_EQ(Music_Update(), 0);
    // A looping tune starts again at its end.
    Music_Play("tune.wav", 1);
    Plat_Clock_Advance(1000);
    EXPECT_EQ(Music_Update(), 0);
    EXPECT_EQ(Plat_Music_Position(), 0);
    Plat_Clock_Advance(250);
    EXPECT_EQ(Music_Update(), 1);
    EXPECT_EQ(Plat_Music_Position(), 2500000);
    // A seek stops at the end; a second stop says there was nothing to stop.
    Music_Seek(99000000);
    EXPECT_EQ(Plat_Music_Position(), 10000000);
    Music_Seek(3000000);
    EXPECT_EQ(Plat_Music_Position(), 3000000);
    EXPECT_EQ(Music_Stop(), 1);
    EXPECT_EQ(Music_Stop(), 0);
    EXPECT_EQ(Music_Rewind(), 0);
}

TEST_F(Audio_Test, ALoopingCueEndsWithItsRoundWhereNoScreenPollsIt) {
    cwd.Write("tune.wav", Tune());
    uint8_t frame[640 * 480] = {};
    uint8_t palette[1024] = {};
    // Polled every frame, as the main menu does: the mixer loops it without a gap.
    Music_Play("tune.wav", 1);
    // A paced frame of 30 ms, shown.
    auto frame_30ms = [&] {
        Plat_Wait_Until(Plat_Tick() + 30);
        Plat_Present(frame, 640, palette);
    };
    for (int i = 0; i < 100; ++i) {
        Music_Update();
        frame_30ms();
    }
    EXPECT_TRUE(Tune_Playing());
    // The help picture polls nothing: the tune ends at the end of its round.
    Music_Play("tune.wav", 1);
    Music_Update();
    for (int i = 0; i < 22; ++i) frame_30ms();
    EXPECT_TRUE(Tune_Playing());  // 660 ms of its second
    for (int i = 0; i < 12; ++i) frame_30ms();
    EXPECT_FALSE(Tune_Playing());
    // Back on a polling screen it is played anew.
    Music_Play("tune.wav", 1);
    Music_Update();
    EXPECT_TRUE(Tune_Playing());
}

TEST_F(Audio_Test, ATuneOfUnknownLengthPlaysUntilTheMixerStopsIt) {
    cwd.Write("MUSIC_SESIONS/long.mp3", Tune());
    Session_Playlist list;
    Playlist_Create(&list);
    Lengths_Unknown = true;
    Playlist_Play_Current(&list);
    Plat_Clock_Advance(5000);
    for (int i = 0; i < 20; ++i) Playlist_Update(&list);
    EXPECT_EQ(Music_Update(), 1);  // long past where a length would have ended it
    EXPECT_EQ(Plat_Music_Position(), 50000000);
    Music_Seek(70000000);  // not cut to a length it does not know
    EXPECT_EQ(Plat_Music_Position(), 70000000);
    Plat_Music_Stop();
    EXPECT_EQ(Music_Update(), 1);  // stopped by the program: runs again...
    Plat_Music_Close();            // ...until the mixer has nothing
    EXPECT_EQ(Music_Update(), 0);
}

TEST_F(Audio_Test, AnUnplayableSessionTuneIsReportedOnceAndSkipped) {
    cwd.Write("MUSIC_SESIONS/a.mp3", "not music at all");
    cwd.Write("MUSIC_SESIONS/b.mp3", Tune());
    Session_Playlist list;
    Playlist_Create(&list);
    list.index = 0;
    Playlist_Play_Current(&list);
    for (int i = 0; i < 200; ++i) {
        Plat_Clock_Advance(30);
        Playlist_Update(&list);
    }
    const std::string log = cwd.Log();
    EXPECT_EQ(log.find("Error Play MP3 File"), log.rfind("Error Play MP3 File"));
    EXPECT_NE(log.find("\n Error Play MP3 File: MUSIC_SESIONS/a.mp3"), std::string::npos);
    EXPECT_STREQ(Music->file_name, "MUSIC_SESIONS/b.mp3");
    // With nothing playable the playlist rests. (The tune is let go first: a file
    // open for playing cannot be written over on every system.)
    Plat_Music_Close();
    Session_Playlist none;
    cwd.Write("MUSIC_SESIONS/b.mp3", "broken too");
    Playlist_Create(&none);
    for (int i = 0; i < 50; ++i) Playlist_Update(&none);
    const std::string later = cwd.Log();
    EXPECT_EQ(later.find("Error Play MP3 File: MUSIC_SESIONS/b.mp3"),
              later.rfind("Error Play MP3 File: MUSIC_SESIONS/b.mp3"));
    EXPECT_EQ(none.unplayable, (std::vector<uint8_t>{1, 1}));
    // An empty folder plays nothing.
    Music_Stop();
    Plat_Music_Close();
    std::filesystem::remove_all("MUSIC_SESIONS");
    Session_Playlist empty;
    Playlist_Create(&empty);
    EXPECT_EQ(Playlist_Count(&empty), 0);
    Playlist_Play_Current(&empty);
    Playlist_Update(&empty);
    EXPECT_EQ(Music->playing, 0);
}

TEST_P(Music_Clock_Test, AFileThatCannotPlayIsLoggedAndCountsAsEnded) {
    // Each file is reported once a run: each backend has a file of its own.
    const std::string name = Silent() ? "MUSIC/missing-here.mp3" : "MUSIC/missing.mp3";
    Music_Play(name.c_str(), 1);
    EXPECT_EQ(Music->playing, 1);
    EXPECT_EQ(Music->file_name, name);
    EXPECT_EQ(Music_Update(), 0);
    EXPECT_NE(cwd.Log().find("\n Error Play MP3 File: " + name), std::string::npos);
}

TEST_P(Music_Clock_Test, PlaylistTakesItsTrackBackUpAfterACue) {
    cwd.Write("MUSIC_SESIONS/a.mp3", Tune());
    cwd.Write("MUSIC_SESIONS/b.mp3", Tune());
    cwd.Write("MUSIC_SESIONS/notes.txt", "x");
    cwd.Write("MUSIC/cue.mp3", Tune());
    Session_Playlist list;
    Plat_Srand(3);
    Playlist_Create(&list);
    ASSERT_EQ(Playlist_Count(&list), 2);
    EXPECT_STREQ(Playlist_Name(&list, 1), "b.mp3");
    Playlist_Play_Current(&list);
    const std::string track = Music->file_name;
    Plat_Clock_Advance(400);
    Playlist_Update(&list);
    EXPECT_EQ(list.saved_position, 4000000);
    // The diary's cue plays for a while...
    Music_Play("MUSIC/cue.mp3", 1);
    Plat_Clock_Advance(300);
    Music_Update();
    // ...then the session loop takes the track up where it was.
    Playlist_Update(&list);
    EXPECT_EQ(std::string(Music->file_name), track);
    EXPECT_EQ(Plat_Music_Position(), 4000000);
    EXPECT_EQ(Plat_Music_State(), PLAT_MUSIC_RUNNING);
    // At the track's end a track is drawn at random and played from its start.
    Plat_Clock_Advance(700);
    Playlist_Update(&list);
    EXPECT_EQ(Plat_Music_Position(), 0);
    EXPECT_EQ(list.saved_position, 0);
    EXPECT_NE(std::string(Music->file_name).find("MUSIC_SESIONS/"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Backends, Music_Clock_Test, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "silent" : "mixer");
                         });

// Silent, the bundled tunes last as long as they would play, from their own bytes.
class Silent_Backend : public Shared_State_Test {};

TEST_F(Silent_Backend, KnowsATunesLengthFromItsBytesAndTakesEffects) {
    Reset_Shared_State(1000);
    Plat_Set_System(nullptr);
    EXPECT_FALSE(Plat_Audio_Open());
    const std::string music = std::string(VELTRAN_SOURCE_DIR) + "/data/MUSIC/Game_Over.mp3";
    ASSERT_TRUE(Plat_Music_Open(music.c_str(), false));
    EXPECT_TRUE(Plat_Music_Length_Known());
    // The tunes are 2 to 60 seconds; the estimate stays within them.
    EXPECT_GT(Plat_Music_Length(), 2 * 10000000LL);
    EXPECT_LT(Plat_Music_Length(), 60 * 10000000LL);
    Plat_Music_Run();
    Plat_Clock_Advance(1500);
    EXPECT_EQ(Plat_Music_Position(), 15000000);
    EXPECT_FALSE(Plat_Music_Ended());
    Plat_Music_Close();
    const uint8_t samples[11025] = {};
    const int handle = Plat_Sound_Create(samples, sizeof samples);
    ASSERT_GE(handle, 0);
    EXPECT_TRUE(Plat_Sound_Play(handle));
    Plat_Sound_Free(handle);
    EXPECT_FALSE(Plat_Sound_Play(handle));
    EXPECT_FALSE(Plat_Music_Open("no such file.mp3", false));
}

TEST(Bundled_Sounds, EightShortUnclippedEffectsInTheGamesFormat) {
    const std::string dir = std::string(VELTRAN_SOURCE_DIR) + "/data/SOUNDS/";
    for (int n : {1, 7, 10, 11, 12, 14, 16, 17}) {
        const std::string name = "sound_" + std::to_string(n) + ".wav";
        std::ifstream in(dir + name, std::ios::binary);
        const std::string b((std::istreambuf_iterator<char>(in)), {});
        ASSERT_GT(b.size(), 44u) << name;
        int32_t rate = 0;
        uint32_t off = 0, size = 0;
        ASSERT_TRUE(Parse(b, &rate, &off, &size)) << name;
        EXPECT_EQ(rate, 11025);
        EXPECT_EQ(b[22], 1) << name << " is not mono";
        EXPECT_EQ(b[34], 8) << name << " is not 8-bit";
        const double seconds = size / 11025.0;
        EXPECT_LE(seconds, n == 1 ? 3.0 : 1.5) << name;
        int low = 255, high = 0;
        for (uint32_t i = off; i < off + size; ++i) {
            low = std::min(low, static_cast<uint8_t>(b[i]) + 0);
            high = std::max(high, static_cast<uint8_t>(b[i]) + 0);
        }
        EXPECT_GT(low, 0) << name << " is clipped";
        EXPECT_LT(high, 255) << name << " is clipped";
        EXPECT_GT(high - low, 40) << name << " is too quiet";
    }
}

TEST_F(Audio_Test, BundledMusicHasEveryCueAndSessionTunesOfTwoToFourMinutes) {
    namespace fs = std::filesystem;
    const fs::path data = fs::path(VELTRAN_SOURCE_DIR) / "data";
    uintmax_t total = 0;
    for (const char* cue : {"CstleTown", "Select_HScript", "ReadHSript", "Good_ses_finish",
                            "Fail_ses_finish", "Game_Over", "View_Dnevnik", "LoadSaveMenu"}) {
        const fs::path p = data / "MUSIC" / (std::string(cue) + ".mp3");
        ASSERT_TRUE(fs::exists(p)) << p;
        total += fs::file_size(p);
        Music_Play(p.string().c_str(), 1);
        EXPECT_GT(Plat_Music_Length(), 50000000) << cue;  // over 5 s
        EXPECT_EQ(Plat_Music_State(), PLAT_MUSIC_RUNNING) << cue;
    }
    int sessions = 0;
    for (const auto& e : fs::directory_iterator(data / "MUSIC_SESIONS")) {
        if (e.path().extension() != ".mp3") continue;
        ++sessions;
        total += fs::file_size(e.path());
        Music_Play(e.path().string().c_str(), 0);
        const double seconds = Plat_Music_Length() / 1e7;
        EXPECT_GE(seconds, 120) << e.path();
        EXPECT_LE(seconds, 240) << e.path();
        // 96 kbit/s: the file's size follows from its length.
        EXPECT_NEAR(static_cast<double>(fs::file_size(e.path())) * 8 / seconds / 1000, 96, 4)
            << e.path();
    }
    EXPECT_GE(sessions, 6);
    EXPECT_LE(total, 25u << 20);
    EXPECT_EQ(cwd.Log().find("Error Play MP3"), std::string::npos);
}

#if VELTRAN_HAVE_TOOLS
TEST(Bundled_Sounds, GeneratorMakesTheSameBytes) {
    Scratch_Cwd cwd;
    const std::string cmd = std::string("'") + MAKE_SOUNDS_EXE + "' . > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (int n : {1, 7, 10, 11, 12, 14, 16, 17}) {
        const std::string name = "sound_" + std::to_string(n) + ".wav";
        std::ifstream in(std::string(VELTRAN_SOURCE_DIR) + "/data/SOUNDS/" + name,
                         std::ios::binary);
        const std::string committed((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(cwd.Read(name), committed) << name;
    }
}
#endif

}  // namespace
