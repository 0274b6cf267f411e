// exit_test.cpp -- quitting from the keyboard and the menu: the process ends with status 0, clapping only while
// sound is on. The child's cues are written to stderr, since the recorder dies with it.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/commands/menu.h"
#include "controls/keyboard.h"
#include "core/scene_state.h"
#include "support/capture.h"

namespace {

// Where GoogleTest can start no child process (the browser build's tests under node), the page's
// end-to-end test watches the exit instead.
#if GTEST_HAS_DEATH_TEST
class StderrBackend final : public CueBackend {
public:
    void play(const std::string& fileName, SoundMode mode) override {
        std::fprintf(stderr, "cue %s %s\n", fileName.c_str(), mode == SoundMode::Blocking ? "blocking" : "background");
        std::fflush(stderr);
    }
};

class ExitDeathTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        setCueBackend(std::make_unique<StderrBackend>());
    }
    void TearDown() override { setCueBackend(makeRecordingBackend()); }
};

// Writes a marker first, so an exit that played nothing leaves exactly the marker.
void markThen(void (*quit)()) {
    std::fprintf(stderr, "quitting\n");
    std::fflush(stderr);
    quit();
}

TEST_F(ExitDeathTest, QuitKeysClapBlockingWhileSoundIsOn) {
    EXPECT_EXIT(markThen([] { onKeyboard(27, 0, 0); }), testing::ExitedWithCode(0),
                "^quitting\ncue musics/CLAP.wav blocking\n$");
    EXPECT_EXIT(markThen([] { onKeyboard('q', 0, 0); }), testing::ExitedWithCode(0),
                "^quitting\ncue musics/CLAP.wav blocking\n$");
    EXPECT_EXIT(markThen([] { onKeyboard('Q', 0, 0); }), testing::ExitedWithCode(0),
                "^quitting\ncue musics/CLAP.wav blocking\n$");
}

TEST_F(ExitDeathTest, MenuExitClapsToo) {
    EXPECT_EXIT(markThen([] { onMainMenu(6); }), testing::ExitedWithCode(0),
                "^quitting\ncue musics/CLAP.wav blocking\n$");
}

TEST_F(ExitDeathTest, SilentExitWhenSoundIsOff) {
    scene.soundOn = 0;
    EXPECT_EXIT(markThen([] { onKeyboard('q', 0, 0); }), testing::ExitedWithCode(0), "^quitting\n$");
    EXPECT_EXIT(markThen([] { onMainMenu(6); }), testing::ExitedWithCode(0), "^quitting\n$");
}
#else
TEST(ExitDeathTest, NeedsAChildProcess) {
    GTEST_SKIP() << "GoogleTest starts no child process here";
}
#endif

}  // namespace
