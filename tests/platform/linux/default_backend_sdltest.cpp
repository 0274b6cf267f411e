// default_backend_sdltest.cpp -- the cue player with the program's default backend, SDL2_mixer:
// the first cue opens the device, a shutdown closes it, and the process exit releases it for good.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/platform.h"
#include "sound/sound_cue.h"
#include "sound/sound_test_support.h"
#include "support/capture.h"

namespace {
using soundtest::ScopedEnv;

class SoundCueTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        setDefaultCueBackendFactory(platformMakeCueBackend);
    }
    void TearDown() override { resetProcessState(); }
};

TEST_F(SoundCueTest, FirstCueAfterShutdownOpensTheMixerAndShutdownClosesIt) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    shutdownCues();
    soundtest::FdCapture err(2);  // the missing file's warning is expected; keep it out of the log
    playCue("musics/no-such-cue.wav", SoundMode::Background);
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    shutdownCues();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_NE(err.text().find("no-such-cue.wav"), std::string::npos);
}

// The exit routine plays its blocking cue with the music looping and leaves through std::exit
// without shutting the cues down; a destructor may still reach the player after the release.
void cueFromALateDestructor() {
    playCue("musics/CHIMES.wav", SoundMode::Background);
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) std::_Exit(3);  // the device came back during exit
}

TEST(SoundCueExit, ProcessExitReleasesTheDeviceAndDropsLaterCues) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::setenv("SDL_AUDIODRIVER", "dummy", 1);
            const auto dir = soundtest::freshDir("exit");
            soundtest::writeToneWave(dir / "loop.wav", 0.2);
            soundtest::writeToneWave(dir / "clap.wav", 0.1);
            std::atexit(cueFromALateDestructor);  // runs after the player's own exit hook
            setDefaultCueBackendFactory(platformMakeCueBackend);
            setCueBackend(nullptr);
            playCue((dir / "loop.wav").c_str(), SoundMode::BackgroundLoop);
            if (SDL_WasInit(SDL_INIT_AUDIO) == 0) std::_Exit(4);
            playCue((dir / "clap.wav").c_str(), SoundMode::Blocking);
            std::filesystem::remove_all(dir);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
