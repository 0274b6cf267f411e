// sound_cue_test.cpp -- SoundCue, the front door: routing to the installed backend, replacing and
// releasing it. With the SDL2_mixer backend as the default: sound/default_backend_sdltest.cpp.
#include "sound/sound_cue.h"

#include <gtest/gtest.h>

#include "support/capture.h"

namespace {
class CountingBackend final : public CueBackend {
public:
    CountingBackend(int& plays, bool& destroyed) : plays_(plays), destroyed_(destroyed) {}
    ~CountingBackend() override { destroyed_ = true; }
    void play(const std::string&, SoundMode) override { ++plays_; }

private:
    int& plays_;
    bool& destroyed_;
};

class SoundCueTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    void TearDown() override { resetProcessState(); }
};

TEST_F(SoundCueTest, RoutesEachCueWithItsModeInOrder) {
    playCue("musics/CHECKERS.wav", SoundMode::BackgroundLoop);
    playCue("musics/CLAP.wav", SoundMode::Blocking);
    playCue(nullptr, SoundMode::Background);
    const std::vector<PlayedCue> expected{{"musics/CHECKERS.wav", SoundMode::BackgroundLoop},
                                          {"musics/CLAP.wav", SoundMode::Blocking},
                                          {"", SoundMode::Background}};
    EXPECT_EQ(playedCues(), expected);
}

TEST_F(SoundCueTest, ReplacingOrShuttingDownReleasesTheBackend) {
    int firstPlays = 0, secondPlays = 0;
    bool firstGone = false, secondGone = false;
    setCueBackend(std::make_unique<CountingBackend>(firstPlays, firstGone));
    playCue("musics/CHIMES.wav", SoundMode::Background);
    setCueBackend(std::make_unique<CountingBackend>(secondPlays, secondGone));
    EXPECT_TRUE(firstGone);
    playCue("musics/CHIMES.wav", SoundMode::Background);
    EXPECT_EQ(firstPlays, 1);
    EXPECT_EQ(secondPlays, 1);
    shutdownCues();
    EXPECT_TRUE(secondGone);
}

}  // namespace
