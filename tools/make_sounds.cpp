// make_sounds: synthesises the game's eight sound effects as 11025 Hz mono 8-bit
// PCM WAV files, the same bytes on every run.
//
//   make_sounds SOUNDS_DIR
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 11025;
using Wave = std::vector<double>;

double Seconds(const Wave& w) {
    return static_cast<double>(w.size()) / Rate;
}

Wave Silence(double seconds) {
    return Wave(static_cast<size_t>(seconds * Rate), 0.0);
}

// Adds a struck bell or chime: a few inharmonic partials, each decaying.
void Bell(Wave& w, double at, double freq, double amp, double decay) {
    static const double partials[][2] = {{1.0, 1.0}, {2.0, 0.45}, {2.76, 0.3}, {5.4, 0.12}};
    const size_t start = static_cast<size_t>(at * Rate);
    for (size_t i = start; i < w.size(); ++i) {
        const double t = static_cast<double>(i - start) / Rate;
        double v = 0;
        for (const auto& p : partials)
            v += p[1] * std::sin(2 * M_PI * freq * p[0] * t) * std::exp(-t * decay * p[0]);
        const double attack = std::min(1.0, t * 400);
        w[i] += amp * attack * v;
    }
}

// A plucked string (Karplus-Strong) with a fixed seed for its noise.
void Pluck(Wave& w, double at, double freq, double amp, uint32_t seed) {
    const int n = static_cast<int>(Rate / freq);
    std::vector<double> ring(static_cast<size_t>(n));
    for (double& r : ring) {
        seed = seed * 1103515245u + 12345u;
        r = ((seed >> 16) & 0x7FFF) / 16384.0 - 1.0;
    }
    const size_t start = static_cast<size_t>(at * Rate);
    for (size_t i = start, k = 0; i < w.size(); ++i, ++k) {
        const size_t a = k % n, b = (k + 1) % n;
        const double v = ring[a];
        ring[a] = 0.498 * (ring[a] + ring[b]);
        w[i] += amp * v;
    }
}

// A short knock: a falling sine with a fast decay and a touch of filtered noise.
void Knock(Wave& w, double at, double f0, double f1, double amp, double decay, double noise,
           uint32_t seed) {
    const size_t start = static_cast<size_t>(at * Rate);
    double low = 0, phase = 0;
    for (size_t i = start; i < w.size(); ++i) {
        const double t = static_cast<double>(i - start) / Rate;
        const double f = f1 + (f0 - f1) * std::exp(-t * 40);
        phase += 2 * M_PI * f / Rate;
        seed = seed * 1103515245u + 12345u;
        const double white = ((seed >> 16) & 0x7FFF) / 16384.0 - 1.0;
        low += 0.25 * (white - low);
        const double env = std::exp(-t * decay) * std::min(1.0, t * 2000);
        w[i] += amp * env * (std::sin(phase) + noise * low);
    }
}

// Scales to the given peak and fades both ends so nothing clicks.
void Finish(Wave& w, double peak) {
    double m = 0;
    for (double v : w) m = std::max(m, std::fabs(v));
    if (m > 0)
        for (double& v : w) v *= peak / m;
    const size_t fade_in = std::min<size_t>(w.size() / 4, 20),
                 fade_out = std::min<size_t>(w.size() / 3, 300);
    for (size_t i = 0; i < fade_in; ++i) w[i] *= static_cast<double>(i) / fade_in;
    for (size_t i = 0; i < fade_out; ++i) w[w.size() - 1 - i] *= static_cast<double>(i) / fade_out;
}

void Write_Wav(const std::string& path, const Wave& w) {
    std::vector<uint8_t> data(w.size());
    for (size_t i = 0; i < w.size(); ++i) {
        const long v = std::lround(128 + 127 * std::max(-1.0, std::min(1.0, w[i])));
        data[i] = static_cast<uint8_t>(std::max(0L, std::min(255L, v)));
    }
    std::vector<uint8_t> out;
    auto put = [&](const char* s) { out.insert(out.end(), s, s + 4); };
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    const uint32_t pad = data.size() & 1;
    put("RIFF");
    put32(static_cast<uint32_t>(4 + 8 + 16 + 8 + data.size() + pad));
    put("WAVE");
    put("fmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(Rate);
    put32(Rate);  // bytes per second
    put16(1);     // block align
    put16(8);     // bits
    put("data");
    put32(static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (pad) out.push_back(128);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(out.data(), 1, out.size(), f) != out.size()) {
        std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(f);
    std::printf("  %s  %.2f s\n", path.c_str(), Seconds(w));
}

// Frequencies of the notes used (equal temperament, A4 = 440 Hz).
double Note(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds SOUNDS_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];

    // A stone lands: a soft wooden knock.
    Wave land = Silence(0.22);
    Knock(land, 0, 260, 140, 1.0, 28, 0.6, 14);
    Finish(land, 0.75);
    Write_Wav(dir + "/sound_14.wav", land);

    // A verse opens: one clear chime.
    Wave verse = Silence(1.1);
    Bell(verse, 0, Note(81), 1.0, 4.0);     // A5
    Bell(verse, 0.09, Note(88), 0.5, 5.0);  // E6
    Finish(verse, 0.7);
    Write_Wav(dir + "/sound_10.wav", verse);

    // A chapter is completed: bells rising through a major chord to the octave.
    Wave chapter = Silence(2.6);
    const int rise[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) Bell(chapter, 0.16 * i, Note(rise[i]), 0.8, 2.4);
    for (int n : {72, 76, 79, 84}) Bell(chapter, 0.8, Note(n), 0.45, 1.6);
    Finish(chapter, 0.8);
    Write_Wav(dir + "/sound_1.wav", chapter);

    // The book opens for reading: a harp spread upwards, like a page turning.
    Wave book = Silence(1.3);
    const int harp[] = {62, 66, 69, 74, 78, 81};
    for (int i = 0; i < 6; ++i) Pluck(book, 0.055 * i, Note(harp[i]), 0.55, 1200 + i);
    Finish(book, 0.7);
    Write_Wav(dir + "/sound_12.wav", book);

    // A row is collected: three quick sparkling notes.
    Wave row = Silence(0.7);
    const int spark[] = {84, 88, 91};
    for (int i = 0; i < 3; ++i) Bell(row, 0.07 * i, Note(spark[i]), 0.7, 7.0);
    Finish(row, 0.65);
    Write_Wav(dir + "/sound_11.wav", row);

    // A button is pressed: a short woodblock tock.
    Wave press = Silence(0.09);
    Knock(press, 0, 1100, 820, 1.0, 60, 0.25, 16);
    Finish(press, 0.6);
    Write_Wav(dir + "/sound_16.wav", press);

    // The cursor moves onto a button: the lightest tick.
    Wave hover = Silence(0.05);
    Knock(hover, 0, 2400, 2000, 1.0, 120, 0.1, 17);
    Finish(hover, 0.35);
    Write_Wav(dir + "/sound_17.wav", hover);

    // An arrow or a label is pressed: a small glassy click.
    Wave arrow = Silence(0.08);
    Knock(arrow, 0, 1600, 1300, 1.0, 80, 0.15, 7);
    Finish(arrow, 0.5);
    Write_Wav(dir + "/sound_7.wav", arrow);
    return 0;
}
