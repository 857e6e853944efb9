// make_music: arranges the melodies of hymns.h for the game's cues and session
// tunes, writes each as MIDI, renders it with FluidSynth and a General MIDI
// SoundFont, levels it, and encodes it with LAME.
//
//   make_music DATA_DIR SOUNDFONT [WORK_DIR]
//
// Looping cues are rendered three times over and the middle round is cut out
// whole: its end runs on into the third round exactly as its start runs on from
// the first, so the loop joins without a gap or a click.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hymns.h"

namespace {

using music::Melody;
constexpr int Ticks = 480;  // per beat

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "make_music: %s\n", why.c_str());
    std::exit(1);
}

struct Note {
    int pitch;          // MIDI, -1 = rest
    int start, length;  // ticks
};

int Pitch_Of(const std::string& name) {
    static const int steps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') Fail("bad note " + name);
    int p = steps[name[0] - 'A'];
    size_t i = 1;
    while (i < name.size() && (name[i] == '#' || name[i] == 'b')) p += name[i++] == '#' ? 1 : -1;
    const int octave = std::atoi(name.c_str() + i);
    return 12 * (octave + 1) + p;
}

int Ticks_Of(double beats) {
    // Thirds of a beat are kept exact.
    const double thirds = beats * 3;
    if (std::fabs(thirds - std::lround(thirds)) < 0.05)
        return static_cast<int>(std::lround(thirds)) * Ticks / 3;
    return static_cast<int>(std::lround(beats * Ticks));
}

std::vector<Note> Parse(const Melody& m) {
    std::vector<Note> out;
    std::istringstream in(m.notes);
    int t = 0;
    for (std::string tok; in >> tok;) {
        if (tok == "|") continue;
        const size_t slash = tok.find('/');
        const std::string name = tok.substr(0, slash);
        const double beats = slash == std::string::npos ? 1.0 : std::atof(tok.c_str() + slash + 1);
        const int len = Ticks_Of(beats);
        out.push_back({name == "R" ? -1 : Pitch_Of(name), t, len});
        t += len;
    }
    return out;
}

int Length_Of(const std::vector<Note>& notes) {
    return notes.empty() ? 0 : notes.back().start + notes.back().length;
}

// A chord: root pitch class and its three pitch classes.
struct Chord {
    int root;
    int pcs[3];
    bool Has(int pc) const { return pcs[0] == pc || pcs[1] == pc || pcs[2] == pc; }
};

Chord Triad(int root, bool minor) {
    return {root % 12, {root % 12, (root + (minor ? 3 : 4)) % 12, (root + 7) % 12}};
}

Chord Named_Chord(const std::string& name) {
    const bool minor = name.size() > 1 && name.back() == 'm';
    return Triad(Pitch_Of(name.substr(0, minor ? name.size() - 1 : name.size()) + "0"), minor);
}

// One chord per beat: the melody note sounding at the beat decides, preferring the
// chord already sounding, then I, V, IV, vi, ii (or the minor mode's own).
std::vector<Chord> Harmonize(const Melody& m, const std::vector<Note>& notes) {
    const int beats = (Length_Of(notes) + Ticks - 1) / Ticks;
    std::vector<Chord> chords;
    if (m.chords != nullptr) {
        std::istringstream in(m.chords);
        std::vector<Chord> cycle;
        for (std::string c; in >> c;) cycle.push_back(Named_Chord(c));
        for (int b = 0; b < beats; ++b)
            chords.push_back(cycle[static_cast<size_t>(b / m.chord_beats) % cycle.size()]);
        return chords;
    }
    const int t = m.tonic % 12;
    std::vector<Chord> choices;
    if (!m.minor)
        choices = {Triad(t, false), Triad(t + 7, false), Triad(t + 5, false), Triad(t + 9, true),
                   Triad(t + 2, true)};
    else
        choices = {Triad(t, true), Triad(t + 7, true), Triad(t + 5, true), Triad(t + 10, false),
                   Triad(t + 3, false)};
    Chord current = choices[0];
    for (int b = 0; b < beats; ++b) {
        int pc = -1;
        for (const Note& n : notes)
            if (n.pitch >= 0 && n.start <= b * Ticks && n.start + n.length > b * Ticks)
                pc = n.pitch % 12;
        if (pc >= 0 && !current.Has(pc)) {
            for (const Chord& c : choices)
                if (c.Has(pc)) {
                    current = c;
                    break;
                }
        }
        chords.push_back(current);
    }
    // The last beat rests on the tonic.
    if (!chords.empty()) chords.back() = choices[0];
    return chords;
}

// --- MIDI --------------------------------------------------------------------
struct Event {
    int tick;
    int order;  // note-offs before note-ons at the same tick
    std::vector<uint8_t> bytes;
};

struct Midi {
    std::vector<Event> events;
    void Program(int channel, int program) {
        events.push_back(
            {0, 0, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)}});
    }
    void Control(int channel, int control, int value) {
        events.push_back({0,
                          0,
                          {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(control),
                           static_cast<uint8_t>(value)}});
    }
    void Add(int channel, int pitch, int start, int length, int velocity) {
        if (pitch < 0 || length <= 0) return;
        pitch = std::clamp(pitch, 0, 127);
        events.push_back({start,
                          2,
                          {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(pitch),
                           static_cast<uint8_t>(velocity)}});
        events.push_back({start + length,
                          1,
                          {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(pitch), 0}});
    }
    void Write(const std::string& path, int bpm, int end_tick) {
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> track;
        auto var = [&](uint32_t v) {
            uint8_t buf[5];
            int n = 0;
            buf[n++] = v & 0x7F;
            while (v >>= 7) buf[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
            while (n--) track.push_back(buf[n]);
        };
        const uint32_t tempo = 60000000u / static_cast<uint32_t>(bpm);
        var(0);
        track.insert(track.end(), {0xFF, 0x51, 0x03, static_cast<uint8_t>(tempo >> 16),
                                   static_cast<uint8_t>(tempo >> 8), static_cast<uint8_t>(tempo)});
        int last = 0;
        for (const Event& e : events) {
            var(static_cast<uint32_t>(e.tick - last));
            track.insert(track.end(), e.bytes.begin(), e.bytes.end());
            last = e.tick;
        }
        var(static_cast<uint32_t>(std::max(0, end_tick - last)));
        track.insert(track.end(), {0xFF, 0x2F, 0x00});
        std::vector<uint8_t> file = {'M', 'T', 'h',        'd',          0,   0,   0,   6,  0, 0,
                                     0,   1,   Ticks >> 8, Ticks & 0xFF, 'M', 'T', 'r', 'k'};
        const uint32_t n = static_cast<uint32_t>(track.size());
        file.insert(file.end(), {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                                 static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
        file.insert(file.end(), track.begin(), track.end());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
    }
};

// General MIDI programs used.
enum Program {
    Piano = 0,
    Celesta = 8,
    Music_Box = 10,
    Church_Organ = 19,
    Reed_Organ = 20,
    Violin = 40,
    Cello = 42,
    Contrabass = 43,
    Pizzicato = 45,
    Harp = 46,
    Strings = 48,
    Slow_Strings = 49,
    Choir = 52,
    Trumpet = 56,
    Brass = 61,
    French_Horn = 60,
    Oboe = 68,
    Flute = 73,
    Pad = 89
};

// How one verse is scored: instruments of melody, inner voices and bass, and the
// melody's octave shift.
struct Scoring {
    int melody, inner, bass;
    int octave;
    int melody_velocity = 92, inner_velocity = 60, bass_velocity = 70;
};

// Adds one verse of a melody at tick `at` with its harmony; returns its length.
int Verse(Midi& midi, const Melody& m, const Scoring& s, int at) {
    const std::vector<Note> notes = Parse(m);
    const std::vector<Chord> chords = Harmonize(m, notes);
    midi.Program(0, s.melody);
    midi.Program(1, s.inner);
    midi.Program(2, s.bass);
    // Program changes take effect where the verse starts.
    for (size_t i = midi.events.size() - 3; i < midi.events.size(); ++i) midi.events[i].tick = at;
    for (const Note& n : notes)
        midi.Add(0, n.pitch < 0 ? -1 : n.pitch + 12 * s.octave, at + n.start, n.length - 8,
                 s.melody_velocity);
    // Chords change only where the harmony changes; inner voices sit below the
    // melody, the bass on the root.
    size_t b = 0;
    while (b < chords.size()) {
        size_t e = b + 1;
        while (e < chords.size() && chords[e].root == chords[b].root &&
               chords[e].pcs[1] == chords[b].pcs[1])
            ++e;
        const Chord& c = chords[b];
        const int start = at + static_cast<int>(b) * Ticks, len = static_cast<int>(e - b) * Ticks;
        midi.Add(2, 36 + c.root + (c.root < 4 ? 12 : 0), start, len - 10, s.bass_velocity);
        for (int k = 1; k < 3; ++k)
            midi.Add(1, 55 + (c.pcs[k] + 5) % 12, start, len - 10, s.inner_velocity);
        midi.Add(1, 48 + (c.pcs[0] + 5) % 12 + 7, start, len - 10, s.inner_velocity - 10);
        b = e;
    }
    return Length_Of(notes);
}

// --- audio files ---------------------------------------------------------------
struct Pcm {
    int rate = 44100, channels = 2;
    std::vector<int16_t> samples;  // interleaved
};

Pcm Read_Wav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), {});
    Pcm p;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const uint32_t len = static_cast<uint8_t>(b[at + 4]) |
                             static_cast<uint8_t>(b[at + 5]) << 8 |
                             static_cast<uint8_t>(b[at + 6]) << 16 |
                             static_cast<uint32_t>(static_cast<uint8_t>(b[at + 7])) << 24;
        if (b.compare(at, 4, "fmt ") == 0) {
            p.channels = static_cast<uint8_t>(b[at + 10]);
            p.rate = static_cast<uint8_t>(b[at + 12]) | static_cast<uint8_t>(b[at + 13]) << 8 |
                     static_cast<uint8_t>(b[at + 14]) << 16;
        } else if (b.compare(at, 4, "data") == 0) {
            const size_t n = std::min<size_t>(len, b.size() - at - 8) / 2;
            p.samples.resize(n);
            std::memcpy(p.samples.data(), b.data() + at + 8, n * 2);
            break;
        }
        at += 8 + len + (len & 1);
    }
    if (p.samples.empty()) Fail("FluidSynth wrote no sound to " + path);
    return p;
}

void Write_Wav(const std::string& path, const Pcm& p) {
    std::ofstream out(path, std::ios::binary);
    auto p32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto p16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = static_cast<uint32_t>(p.samples.size() * 2);
    out.write("RIFF", 4);
    p32(36 + bytes);
    out.write("WAVEfmt ", 8);
    p32(16);
    p16(1);
    p16(static_cast<uint16_t>(p.channels));
    p32(static_cast<uint32_t>(p.rate));
    p32(static_cast<uint32_t>(p.rate * p.channels * 2));
    p16(static_cast<uint16_t>(p.channels * 2));
    p16(16);
    out.write("data", 4);
    p32(bytes);
    out.write(reinterpret_cast<const char*>(p.samples.data()), bytes);
}

// Brings a piece to the common level: the same loudness (RMS) for every piece,
// peaks never above -1 dBFS.
void Level(Pcm& p) {
    double sum = 0, peak = 0;
    for (int16_t s : p.samples) {
        sum += static_cast<double>(s) * s;
        peak = std::max(peak, std::fabs(static_cast<double>(s)));
    }
    const double rms = std::sqrt(sum / std::max<size_t>(1, p.samples.size()));
    const double target_rms = 32767 * std::pow(10.0, -20.0 / 20),
                 max_peak = 32767 * std::pow(10.0, -1.0 / 20);
    double gain = rms > 0 ? target_rms / rms : 1;
    if (peak * gain > max_peak) gain = max_peak / peak;
    for (int16_t& s : p.samples) s = static_cast<int16_t>(std::lround(s * gain));
}

struct Piece {
    std::string file;  // under DATA_DIR
    bool loop;
    int bpm;
    std::vector<std::pair<const Melody*, Scoring>> verses;
    int tail_beats = 4;  // the last chord rings on (pieces that do not loop)
};

void Make(const Piece& piece, const std::string& data, const std::string& font,
          const std::string& work) {
    Midi midi;
    midi.Control(0, 91, 50);  // reverb
    midi.Control(1, 91, 60);
    midi.Control(2, 91, 40);
    midi.Control(1, 7, 90);
    int t = 0;
    const int rounds = piece.loop ? 3 : 1;
    for (int r = 0; r < rounds; ++r)
        for (const auto& [melody, scoring] : piece.verses) t += Verse(midi, *melody, scoring, t);
    const int period = t / rounds;
    const std::string stem = work + "/" + std::filesystem::path(piece.file).stem().string();
    midi.Write(stem + ".mid", piece.bpm, t + piece.tail_beats * Ticks);
    const std::string render = "fluidsynth -q -ni -g 0.5 -r 44100 -F '" + stem + ".wav' '" + font +
                               "' '" + stem + ".mid' > /dev/null 2>&1";
    if (std::system(render.c_str()) != 0) Fail("FluidSynth failed on " + stem + ".mid");
    Pcm pcm = Read_Wav(stem + ".wav");
    const double seconds_per_tick = 60.0 / piece.bpm / Ticks;
    const size_t frame = static_cast<size_t>(pcm.channels);
    if (piece.loop) {
        // The middle round, cut out whole: its start carries the round before's tail.
        // The synthesiser places notes on 64-sample blocks, so the rounds are not
        // exactly alike: the last 50 ms fade into the samples that led into the start,
        // and the end joins the start as smoothly as the start followed its lead-in.
        const size_t from = static_cast<size_t>(std::lround(period * seconds_per_tick * pcm.rate));
        const size_t to =
            static_cast<size_t>(std::lround(2 * period * seconds_per_tick * pcm.rate));
        if (to * frame > pcm.samples.size()) Fail("rendering of " + piece.file + " too short");
        const size_t blend = std::min<size_t>(static_cast<size_t>(pcm.rate) / 20, from);
        std::vector<int16_t> cut(pcm.samples.begin() + static_cast<long>(from * frame),
                                 pcm.samples.begin() + static_cast<long>(to * frame));
        const size_t n = to - from;
        for (size_t i = 0; i < blend; ++i) {
            const double a = static_cast<double>(i + 1) / blend;
            for (size_t c = 0; c < frame; ++c) {
                const double end = pcm.samples[(to - blend + i) * frame + c];
                const double lead = pcm.samples[(from - blend + i) * frame + c];
                cut[(n - blend + i) * frame + c] =
                    static_cast<int16_t>(std::lround(end * (1 - a) + lead * a));
            }
        }
        pcm.samples = std::move(cut);
    } else {
        // Trim the silence after the last chord and fade its very end.
        size_t end = pcm.samples.size() / frame;
        while (end > 0 && std::abs(pcm.samples[(end - 1) * frame]) < 8) --end;
        pcm.samples.resize(end * frame);
        const size_t fade = std::min<size_t>(end, static_cast<size_t>(pcm.rate) / 2);
        for (size_t i = 0; i < fade; ++i)
            for (size_t c = 0; c < frame; ++c) {
                int16_t& s = pcm.samples[(end - fade + i) * frame + c];
                s = static_cast<int16_t>(s * (1.0 - static_cast<double>(i) / fade));
            }
    }
    Level(pcm);
    Write_Wav(stem + ".level.wav", pcm);
    const std::string out = data + "/" + piece.file;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path());
    const std::string encode =
        "lame --quiet --noreplaygain -b 96 -q 2 '" + stem + ".level.wav' '" + out + "'";
    if (std::system(encode.c_str()) != 0) Fail("LAME failed on " + out);
    std::printf("  %-34s %6.1f s%s\n", piece.file.c_str(),
                static_cast<double>(pcm.samples.size() / frame) / pcm.rate,
                piece.loop ? "  (loops)" : "");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_music DATA_DIR SOUNDFONT [WORK_DIR]\n");
        return 2;
    }
    const std::string data = argv[1], font = argv[2];
    const std::string work =
        argc > 3 ? argv[3] : (std::filesystem::temp_directory_path() / "veltran_music").string();
    std::filesystem::create_directories(work);
    using namespace music;
    const Scoring organ{Church_Organ, Church_Organ, Church_Organ, 0, 80, 62, 66};
    const Scoring soft_organ{Reed_Organ, Reed_Organ, Church_Organ, 0, 78, 58, 60};
    const Scoring strings{Violin, Slow_Strings, Cello, 0, 90, 58, 66};
    const Scoring brass{Trumpet, Brass, Contrabass, 0, 88, 62, 70};
    const Scoring horn{French_Horn, Slow_Strings, Cello, 0, 90, 56, 64};
    const Scoring flute{Flute, Slow_Strings, Pizzicato, 1, 84, 52, 64};
    const Scoring harp{Harp, Slow_Strings, Contrabass, 0, 96, 50, 60};
    const Scoring piano{Piano, Slow_Strings, Cello, 0, 88, 50, 60};
    const Scoring choir{Choir, Choir, Choir, 0, 84, 56, 60};
    const Scoring oboe{Oboe, Slow_Strings, Cello, 0, 88, 52, 60};
    const Scoring box{Music_Box, Harp, Pizzicato, 1, 90, 48, 56};
    const Scoring celesta{Celesta, Slow_Strings, Pizzicato, 0, 86, 50, 58};

    const std::vector<Piece> pieces = {
        // Cues.
        {"MUSIC/CstleTown.mp3", true, 64, {{&Canon, strings}}},
        {"MUSIC/Select_HScript.mp3", true, 84, {{&Old_Hundredth, soft_organ}}},
        {"MUSIC/ReadHSript.mp3", true, 70, {{&Chant_Tone, choir}, {&Chant_Tone, harp}}},
        {"MUSIC/Good_ses_finish.mp3", false, 116, {{&Ode_To_Joy, brass}}},
        {"MUSIC/Fail_ses_finish.mp3", false, 66, {{&Chant_Cadence, oboe}}},
        {"MUSIC/Game_Over.mp3", false, 76, {{&New_Britain, horn}}},
        {"MUSIC/View_Dnevnik.mp3", true, 72, {{&Jesu_Joy, celesta}}},
        {"MUSIC/LoadSaveMenu.mp3", true, 80, {{&Ein_Feste_Burg, soft_organ}}},
        // Session tunes: several verses, each scored anew.
        {"MUSIC_SESIONS/old_hundredth.mp3",
         false,
         66,
         {{&Old_Hundredth, organ},
          {&Old_Hundredth, strings},
          {&Old_Hundredth, flute},
          {&Old_Hundredth, brass},
          {&Old_Hundredth, organ}}},
        {"MUSIC_SESIONS/hymn_to_joy.mp3",
         false,
         92,
         {{&Ode_To_Joy, strings},
          {&Ode_To_Joy, flute},
          {&Ode_To_Joy, horn},
          {&Ode_To_Joy, piano},
          {&Ode_To_Joy, brass}}},
        {"MUSIC_SESIONS/new_britain.mp3",
         false,
         72,
         {{&New_Britain, piano},
          {&New_Britain, strings},
          {&New_Britain, flute},
          {&New_Britain, horn},
          {&New_Britain, organ}}},
        {"MUSIC_SESIONS/canon.mp3",
         false,
         66,
         {{&Canon, strings}, {&Canon, harp}, {&Canon, flute}}},
        {"MUSIC_SESIONS/ein_feste_burg.mp3",
         false,
         72,
         {{&Ein_Feste_Burg, organ},
          {&Ein_Feste_Burg, brass},
          {&Ein_Feste_Burg, strings},
          {&Ein_Feste_Burg, horn},
          {&Ein_Feste_Burg, organ}}},
        {"MUSIC_SESIONS/chant_tone.mp3",
         false,
         60,
         {{&Chant_Tone, choir},
          {&Chant_Tone, oboe},
          {&Chant_Tone, choir},
          {&Chant_Tone, harp},
          {&Chant_Tone, strings}}},
        {"MUSIC_SESIONS/jesu_joy.mp3",
         false,
         66,
         {{&Jesu_Joy, celesta},
          {&Jesu_Joy, strings},
          {&Jesu_Joy, box},
          {&Jesu_Joy, harp},
          {&Jesu_Joy, flute},
          {&Jesu_Joy, organ},
          {&Jesu_Joy, piano},
          {&Jesu_Joy, strings}}},
    };
    for (const Piece& p : pieces) Make(p, data, font, work);
    return 0;
}
