// cue_backend_sdltest.cpp -- the SDL2_mixer backend on SDL's dummy audio driver: modes, one cue at a
// time, bad files and a missing device.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/linux/cue_backend_sdl_testing.h"
#include "platform/platform.h"
#include "sound/sound_cue.h"
#include "sound/sound_test_support.h"

namespace {
using namespace std::chrono_literals;
using soundtest::countOf;
using soundtest::FdCapture;
using soundtest::ScopedEnv;

class MixerBackendTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = soundtest::freshDir("mixer");
        shortTone_ = (dir_ / "short.wav").string();
        otherTone_ = (dir_ / "other.wav").string();
        soundtest::writeToneWave(shortTone_, 0.2);
        soundtest::writeToneWave(otherTone_, 0.3);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    // Waits (up to a generous limit) for the channel to fall silent; true if it did.
    static bool fallsSilent(const CueBackend& backend) {
        for (int i = 0; i < 500 && !sdlPlayingCue(backend).empty(); ++i) std::this_thread::sleep_for(10ms);
        return sdlPlayingCue(backend).empty();
    }

    ScopedEnv driver_{"SDL_AUDIODRIVER", "dummy"};
    std::filesystem::path dir_;
    std::string shortTone_;
    std::string otherTone_;
};

TEST_F(MixerBackendTest, OpensAudioOnlyOnTheFirstCueAndReleasesItWhenDestroyed) {
    {
        auto backend = platformMakeCueBackend();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "the device opens lazily";
        backend->play(shortTone_, SoundMode::Background);
        ASSERT_TRUE(sdlCueDeviceOpen(*backend));
        EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "the sound must not start SDL's video";
    }
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(MixerBackendTest, LoopKeepsPlayingPastTheLengthOfItsFile) {
    auto backend = platformMakeCueBackend();
    backend->play(shortTone_, SoundMode::BackgroundLoop);
    std::this_thread::sleep_for(700ms);  // three and a half times the 0.2 s file
    EXPECT_EQ(sdlPlayingCue(*backend), shortTone_);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(MixerBackendTest, BackgroundCueReturnsWhilePlayingAndStopsAfterOnePass) {
    auto backend = platformMakeCueBackend();
    backend->play(otherTone_, SoundMode::Background);
    EXPECT_EQ(sdlPlayingCue(*backend), otherTone_) << "a background cue returns while it still sounds";
    EXPECT_TRUE(fallsSilent(*backend)) << "a background cue plays once";
}

TEST_F(MixerBackendTest, NewCueReplacesThePlayingOne) {
    auto backend = platformMakeCueBackend();
    backend->play(shortTone_, SoundMode::BackgroundLoop);
    backend->play(otherTone_, SoundMode::Background);
    EXPECT_EQ(sdlPlayingCue(*backend), otherTone_);
    EXPECT_EQ(Mix_Playing(-1), 1) << "one cue at a time";
    EXPECT_TRUE(fallsSilent(*backend)) << "the replaced loop does not come back";

    backend->play(otherTone_, SoundMode::Background);
    backend->play(shortTone_, SoundMode::BackgroundLoop);
    EXPECT_EQ(sdlPlayingCue(*backend), shortTone_);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(MixerBackendTest, BlockingCueHoldsTheCallerForItsLengthAndEndsTheLoop) {
    const std::string longer = file("longer.wav");
    soundtest::writeToneWave(longer, 0.5);
    auto backend = platformMakeCueBackend();
    backend->play(shortTone_, SoundMode::BackgroundLoop);
    const auto start = std::chrono::steady_clock::now();
    backend->play(longer, SoundMode::Blocking);
    const auto held = std::chrono::steady_clock::now() - start;
    EXPECT_GE(held, 250ms) << "at least half of the 0.5 s cue";
    EXPECT_EQ(sdlPlayingCue(*backend), "") << "the loop stays stopped after the blocking cue";
}

TEST_F(MixerBackendTest, UnplayableFilesStaySilentWithOneWarningEachOnStderrOnly) {
    const std::string missing = file("missing.wav");
    const std::string garbage = file("garbage.wav");
    const std::string empty = file("empty.wav");
    const std::string truncated = file("truncated.wav");
    soundtest::writeBytes(garbage, std::vector<unsigned char>(4000, 'x'));
    soundtest::writeBytes(empty, {});
    soundtest::writeToneWave(truncated, 0.1, 2.0);

    auto backend = platformMakeCueBackend();
    FdCapture out(1);
    FdCapture err(2);
    backend->play(shortTone_, SoundMode::BackgroundLoop);
    for (int round = 0; round < 2; ++round) {
        for (const auto& bad : {missing, garbage, empty, truncated}) {
            backend->play(bad, SoundMode::Background);
            EXPECT_EQ(sdlPlayingCue(*backend), "") << bad << " must not sound, and it stops the cue before it";
            backend->play(bad, SoundMode::Blocking);
            backend->play(bad, SoundMode::BackgroundLoop);
            EXPECT_EQ(sdlPlayingCue(*backend), "") << bad;
        }
    }
    backend->play("", SoundMode::Background);
    backend->play("", SoundMode::Background);
    backend->play(otherTone_, SoundMode::Background);
    EXPECT_EQ(sdlPlayingCue(*backend), otherTone_) << "a good cue still plays after the bad ones";

    const std::string warnings = err.text();
    for (const auto& bad : {missing, garbage, empty, truncated})
        EXPECT_EQ(countOf(warnings, "\"" + bad + "\""), 1u) << warnings;
    EXPECT_EQ(countOf(warnings, "\"\""), 1u) << warnings;
    EXPECT_EQ(countOf(warnings, "\n"), 5u) << warnings;
    EXPECT_EQ(out.text(), "") << "stdout is the program's console";
}

TEST_F(MixerBackendTest, NoDeviceMeansSilenceOneWarningAndBlockingCuesReturnAtOnce) {
    const std::string longCue = file("long.wav");
    soundtest::writeToneWave(longCue, 20.0);
    ScopedEnv noDriver("SDL_AUDIODRIVER", "glintmere-no-such-driver");
    auto backend = platformMakeCueBackend();
    FdCapture out(1);
    FdCapture err(2);
    backend->play(shortTone_, SoundMode::BackgroundLoop);
    const auto start = std::chrono::steady_clock::now();
    backend->play(longCue, SoundMode::Blocking);
    const auto held = std::chrono::steady_clock::now() - start;
    backend->play(otherTone_, SoundMode::Background);

    EXPECT_FALSE(sdlCueDeviceOpen(*backend));
    EXPECT_EQ(sdlPlayingCue(*backend), "");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "a failed open leaves nothing initialised";
    // Not a timing bound in earnest: without a device the 20 s cue must not hold the caller at all.
    EXPECT_LT(held, 10s);
    const std::string warnings = err.text();
    EXPECT_EQ(countOf(warnings, "\n"), 1u) << warnings;
    EXPECT_NE(warnings.find("sound is off"), std::string::npos) << warnings;
    EXPECT_EQ(out.text(), "");
}

}  // namespace
