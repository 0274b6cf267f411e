// gen_sounds.cpp -- synthesises the eight cue wave files (16-bit PCM, mono, 22050 Hz) from sines and noise.
// The output depends on nothing but this file, so two runs write the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {
constexpr int rate = 22050;
constexpr double twoPi = 6.283185307179586;
constexpr double halfPi = twoPi / 4.0;

using Track = std::vector<double>;

Track silence(double seconds) {
    return Track(static_cast<size_t>(std::lround(seconds * rate)), 0.0);
}

// Equal-tempered pitch: semitones away from A4 (440 Hz).
double pitch(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// Semitone numbers from A4 for the notes the cues use.
enum Note : int {
    F2 = -28,
    G2 = -26,
    A2 = -24,
    C3 = -21,
    B4 = 2,
    C5 = 3,
    D5 = 5,
    E5 = 7,
    F5 = 8,
    G5 = 10,
    A5 = 12,
    B5 = 14,
    C6 = 15,
    D6 = 17,
    E6 = 19,
    G6 = 22,
    C7 = 27,
};

// One voice: a set of partials (frequency ratio, weight) under an envelope that rises over
// `attack`, decays with time constant `decay`, and is eased to exactly zero over the last
// `release` seconds, so every note starts and ends silent and joins its neighbours without a click.
struct Voice {
    std::vector<std::pair<double, double>> partials{{1.0, 1.0}};
    double attack = 0.01;
    double decay = 1.0;
    double release = 0.03;
};

double envelope(const Voice& v, double t, double length) {
    if (t < 0.0 || t > length) return 0.0;
    double e = std::exp(-t / v.decay);
    if (t < v.attack) e *= std::sin(halfPi * (t / v.attack));
    const double left = length - t;
    if (left < v.release) e *= std::sin(halfPi * (left / v.release));
    return e;
}

void addNote(Track& track, double start, double length, double freq, double amp, const Voice& v) {
    const size_t first = static_cast<size_t>(std::lround(start * rate));
    const size_t count = static_cast<size_t>(std::lround(length * rate));
    for (size_t i = 0; i <= count && first + i < track.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double e = envelope(v, t, length);
        if (e == 0.0) continue;
        double s = 0.0;
        for (const auto& [ratio, weight] : v.partials)
            if (freq * ratio < 0.45 * rate) s += weight * std::sin(twoPi * freq * ratio * t);  // no aliasing
        track[first + i] += amp * e * s;
    }
}

// A pitch glide from f0 to f1 (exponential), for bubbles.
void addGlide(Track& track, double start, double length, double f0, double f1, double amp, const Voice& v) {
    const size_t first = static_cast<size_t>(std::lround(start * rate));
    const size_t count = static_cast<size_t>(std::lround(length * rate));
    double phase = 0.0;
    for (size_t i = 0; i <= count && first + i < track.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = f0 * std::pow(f1 / f0, t / length);
        track[first + i] += amp * envelope(v, t, length) * std::sin(phase);
        phase += twoPi * f / rate;
    }
}

// Our own noise source (xorshift32), so the noise does not depend on the runtime's generator.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_;
};

// A hand clap: band-limited noise with a sharp attack and a quick decay.
void addClap(Track& track, double start, double amp, Noise& noise) {
    const Voice v{{}, 0.002, 0.035, 0.02};
    const double length = 0.16;
    const size_t first = static_cast<size_t>(std::lround(start * rate));
    const size_t count = static_cast<size_t>(std::lround(length * rate));
    double low = 0.0;
    double lower = 0.0;
    for (size_t i = 0; i <= count && first + i < track.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double n = noise.next();
        low += 0.45 * (n - low);        // cut the hiss
        lower += 0.06 * (low - lower);  // and the rumble: what is left is the band of a clap
        track[first + i] += amp * envelope(v, t, length) * (low - lower);
    }
}

// Scales the loudest sample to `peak` of full scale and converts to 16-bit.
std::vector<int16_t> toPcm(const Track& track, double peak) {
    double loudest = 0.0;
    for (double s : track) loudest = std::max(loudest, std::fabs(s));
    const double gain = loudest > 0.0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<int16_t> pcm(track.size());
    for (size_t i = 0; i < track.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::clamp(std::lround(track[i] * gain), -32767L, 32767L));
    return pcm;
}

void put16(std::vector<unsigned char>& b, uint16_t v) {
    b.push_back(static_cast<unsigned char>(v & 0xff));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(std::vector<unsigned char>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xff));
}
void putTag(std::vector<unsigned char>& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(tag[i]));
}

bool writeWave(const std::filesystem::path& path, const std::vector<int16_t>& pcm) {
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    std::vector<unsigned char> b;
    b.reserve(44 + dataBytes);
    putTag(b, "RIFF");
    put32(b, 36 + dataBytes);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);  // PCM
    put16(b, 1);  // mono
    put32(b, rate);
    put32(b, rate * 2);
    put16(b, 2);
    put16(b, 16);
    putTag(b, "data");
    put32(b, dataBytes);
    for (int16_t s : pcm) put16(b, static_cast<uint16_t>(s));
    FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && written;
}

// The background tune: four bars of a music-box arpeggio (C, Am, F, G) over a soft bass, 4.8 s.
// Every note fades to zero inside its slot and the last one ends on the last sample, so the loop
// joins its own start without a click.
Track checkers() {
    const double step = 0.3;
    const int melody[16] = {E5, G5, C6, G5, A5, E5, C5, E5, F5, A5, C6, A5, G5, D5, B4, D5};
    const int bass[4] = {C3, A2, F2, G2};
    Track t = silence(16 * step);
    const Voice box{{{1.0, 1.0}, {2.0, 0.18}, {3.0, 0.05}}, 0.008, 0.35, 0.04};
    const Voice pad{{{1.0, 1.0}, {2.0, 0.3}}, 0.25, 3.0, 0.35};
    for (int i = 0; i < 16; ++i) addNote(t, i * step, step, pitch(melody[i]), 0.5, box);
    for (int i = 0; i < 4; ++i) addNote(t, i * 4 * step, 4 * step, pitch(bass[i]), 0.3, pad);
    return t;
}

// Applause for the exit: three claps, the last a little louder.
Track clap() {
    Track t = silence(0.55);
    Noise noise(0x5eed1234u);
    addClap(t, 0.00, 0.8, noise);
    addClap(t, 0.17, 0.8, noise);
    addClap(t, 0.34, 1.0, noise);
    return t;
}

// A bell with inharmonic partials, for the chimes and the reminder ding.
const Voice bell{{{1.0, 1.0}, {2.76, 0.35}, {5.40, 0.15}, {8.93, 0.05}}, 0.003, 0.35, 0.05};

// A new fish: four rising chimes that ring on into each other.
Track chimes() {
    Track t = silence(1.4);
    const int notes[4] = {C6, E6, G6, C7};
    for (int i = 0; i < 4; ++i) addNote(t, i * 0.13, 1.4 - i * 0.13, pitch(notes[i]), 0.5, bell);
    return t;
}

// A worm put in: one short ding.
Track reminder() {
    Track t = silence(0.45);
    addNote(t, 0.0, 0.45, pitch(A5), 0.8, Voice{bell.partials, 0.003, 0.12, 0.05});
    return t;
}

// A grown fish leaves: G, E, C falling, the last held.
Track goodbye() {
    Track t = silence(1.05);
    const Voice soft{{{1.0, 1.0}, {2.0, 0.25}, {3.0, 0.08}}, 0.02, 0.6, 0.06};
    addNote(t, 0.00, 0.30, pitch(G5), 0.6, soft);
    addNote(t, 0.30, 0.30, pitch(E5), 0.6, soft);
    addNote(t, 0.60, 0.45, pitch(C5), 0.6, soft);
    return t;
}

// A red worm caught: a bright rising C, G, C.
Track correct() {
    Track t = silence(0.5);
    const Voice bright{{{1.0, 1.0}, {2.0, 0.4}, {3.0, 0.25}, {4.0, 0.12}}, 0.004, 0.3, 0.03};
    addNote(t, 0.00, 0.10, pitch(C6), 0.6, bright);
    addNote(t, 0.10, 0.10, pitch(G6), 0.6, bright);
    addNote(t, 0.20, 0.30, pitch(C7), 0.6, bright);
    return t;
}

// Any other worm caught: two bubbles popping, each a fast upward glide.
Track bubble() {
    Track t = silence(0.22);
    const Voice pop{{}, 0.004, 0.03, 0.015};
    addGlide(t, 0.00, 0.07, 500.0, 1500.0, 0.8, pop);
    addGlide(t, 0.11, 0.09, 380.0, 1300.0, 1.0, pop);
    return t;
}

// The music switched off: a quick jingle up and back down to a closing third.
Track jingle() {
    Track t = silence(1.2);
    const Voice pluck{{{1.0, 1.0}, {2.0, 0.3}, {4.0, 0.06}}, 0.005, 0.25, 0.03};
    const int notes[6] = {C5, E5, G5, C6, G5, E5};
    for (int i = 0; i < 6; ++i) addNote(t, i * 0.11, 0.11, pitch(notes[i]), 0.5, pluck);
    const Voice ring{pluck.partials, 0.005, 0.3, 0.08};
    addNote(t, 0.66, 0.54, pitch(C5), 0.4, ring);
    addNote(t, 0.66, 0.54, pitch(E5), 0.3, ring);
    return t;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code failure;
    std::filesystem::create_directories(dir, failure);
    if (failure) {
        std::fprintf(stderr, "gen_sounds: cannot make %s: %s\n", dir.string().c_str(), failure.message().c_str());
        return 1;
    }
    const struct {
        const char* name;
        Track (*make)();
    } cues[] = {
        {"CHECKERS", checkers}, {"CLAP", clap},       {"realjbeq1", jingle}, {"CHIMES", chimes},
        {"REMINDER", reminder}, {"goodbye", goodbye}, {"correct", correct},  {"5169", bubble},
    };
    for (const auto& cue : cues) {
        const std::filesystem::path path = dir / (std::string(cue.name) + ".wav");
        if (!writeWave(path, toPcm(cue.make(), 0.7))) {
            std::fprintf(stderr, "gen_sounds: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
