// generated_sounds_test.cpp -- the eight wave files the build generates into musics/: valid 16-bit
// PCM, sensible lengths, distinct, the tune loops without a click, and the generator is repeatable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "sound/sound_test_support.h"

namespace {
namespace fs = std::filesystem;

struct Expected {
    const char* name;
    double minSeconds;
    double maxSeconds;
};
// The tune loops for minutes, so it must be long enough not to nag; event cues stay short, and the
// blocking ones (CLAP at exit, goodbye while the scene waits) shortest of all.
constexpr Expected cues[] = {
    {"CHECKERS", 3.0, 10.0}, {"CLAP", 0.2, 1.0},    {"realjbeq1", 0.5, 2.5}, {"CHIMES", 0.5, 2.5},
    {"REMINDER", 0.1, 1.0},  {"goodbye", 0.6, 1.6}, {"correct", 0.2, 1.2},   {"5169", 0.05, 0.5},
};

fs::path musicsDir() {
    return fs::current_path() / "musics";
}

soundtest::WaveFile load(const std::string& name) {
    std::string problem;
    auto wave = soundtest::readWave(musicsDir() / (name + ".wav"), problem);
    if (!wave) ADD_FAILURE() << name << ".wav: " << problem << " (the tests run in the build folder)";
    return wave.value_or(soundtest::WaveFile{});
}

// Zero crossings per second over [from, to) seconds of a mono file: a rough pitch.
double crossingRate(const soundtest::WaveFile& w, double from, double to) {
    const size_t a = static_cast<size_t>(from * w.sampleRate);
    const size_t b = std::min(w.samples.size(), static_cast<size_t>(to * w.sampleRate));
    int crossings = 0;
    for (size_t i = a + 1; i < b; ++i)
        if ((w.samples[i - 1] < 0) != (w.samples[i] < 0)) ++crossings;
    return crossings / (to - from);
}

TEST(GeneratedSounds, EachIsAnAudible16BitPcmWaveOfASensibleLength) {
    uintmax_t total = 0;
    for (const auto& cue : cues) {
        SCOPED_TRACE(cue.name);
        const auto w = load(cue.name);
        EXPECT_EQ(w.formatTag, 1) << "PCM";
        EXPECT_EQ(w.bitsPerSample, 16);
        EXPECT_TRUE(w.channels == 1 || w.channels == 2);
        EXPECT_TRUE(w.sampleRate == 22050 || w.sampleRate == 44100);
        EXPECT_EQ(w.blockAlign, w.channels * 2);
        EXPECT_EQ(w.byteRate, w.sampleRate * w.blockAlign);
        EXPECT_GE(w.seconds(), cue.minSeconds);
        EXPECT_LE(w.seconds(), cue.maxSeconds);
        int peak = 0;
        for (int16_t s : w.samples) peak = std::max(peak, std::abs(int{s}));
        EXPECT_GT(peak, 8000) << "audible";
        EXPECT_LT(peak, 32767) << "not clipped";
        EXPECT_EQ(std::abs(int{w.samples.empty() ? 0 : w.samples.front()}), 0) << "starts silent";
        total += fs::file_size(musicsDir() / (std::string(cue.name) + ".wav"));
    }
    EXPECT_LT(total, 600u * 1024u) << "the wave files stay small";
}

TEST(GeneratedSounds, EveryCueSoundsDifferent) {
    std::map<std::vector<int16_t>, std::string> seen;
    for (const auto& cue : cues) {
        auto [at, fresh] = seen.emplace(load(cue.name).samples, cue.name);
        EXPECT_TRUE(fresh) << cue.name << " is the same as " << at->second;
    }
}

TEST(GeneratedSounds, BackgroundTuneLoopsWithoutAClick) {
    const auto w = load("CHECKERS");
    ASSERT_EQ(w.channels, 1);
    ASSERT_GT(w.samples.size(), 2u);
    const int first = w.samples.front();
    const int last = w.samples.back();
    EXPECT_LE(std::abs(first), 100);
    EXPECT_LE(std::abs(last), 100);
    // The step across the seam is no larger than a small fraction of the steps inside the tune.
    int widestStep = 0;
    for (size_t i = 1; i < w.samples.size(); ++i)
        widestStep = std::max(widestStep, std::abs(w.samples[i] - w.samples[i - 1]));
    EXPECT_LE(std::abs(first - last), widestStep / 20);
}

TEST(GeneratedSounds, MotifsMoveTheWayTheirEventsSuggest) {
    const auto goodbye = load("goodbye");
    EXPECT_GT(crossingRate(goodbye, 0.02, 0.28), 1.3 * crossingRate(goodbye, 0.62, 0.95)) << "goodbye falls";
    const auto correct = load("correct");
    EXPECT_LT(1.5 * crossingRate(correct, 0.01, 0.09), crossingRate(correct, 0.22, 0.45)) << "correct rises";
}

TEST(GeneratedSounds, GeneratorWritesTheSameBytesEveryRun) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows build's generator is a program of the build machine; the native tests run it";
#endif
    // A cross build (the browser's, whose tests start it through node) makes the build machine's own.
    fs::path generator = fs::current_path() / "tools" / "gen_sounds";
    if (!fs::exists(generator)) generator = fs::current_path() / "host-tools" / "gen_sounds";
    ASSERT_TRUE(fs::exists(generator)) << "the tests run in the build folder";
    const fs::path out = soundtest::freshDir("gen-sounds");
    const fs::path once = out / "once";
    const fs::path twice = out / "nested" / "twice";
    for (const auto& dir : {once, twice})
        ASSERT_EQ(std::system(("'" + generator.string() + "' '" + dir.string() + "'").c_str()), 0);
    for (const auto& cue : cues) {
        const std::string file = std::string(cue.name) + ".wav";
        const auto bytes = soundtest::readBytes(once / file);
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes, soundtest::readBytes(twice / file)) << file;
        EXPECT_EQ(bytes, soundtest::readBytes(musicsDir() / file)) << file << " differs from the build's copy";
    }
    fs::remove_all(out);
}

}  // namespace
