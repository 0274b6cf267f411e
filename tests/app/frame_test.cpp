// frame_test.cpp -- the idle step of the orbit, the perspective title, the two timers.
#include "app/commands/frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands/frame_testing.h"
#include "core/scene_state.h"
#include "support/capture.h"

namespace {

class FrameTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }

    std::vector<int> orbitSequence(int start, double rate, int calls) {
        scene.orbitAngle = start;
        scene.orbitRate = rate;
        std::vector<int> seen;
        for (int i = 0; i < calls; ++i) {
            advanceOrbit();
            seen.push_back(scene.orbitAngle);
        }
        return seen;
    }
};

TEST_F(FrameTest, OrbitAtRestShowsZeroAs360) {
    EXPECT_EQ(orbitSequence(0, 0.0, 2), (std::vector<int>{360, 360}));
}

TEST_F(FrameTest, HalfRateNeverMovesTheAngle) {
    EXPECT_EQ(orbitSequence(100, 0.5, 3), (std::vector<int>{100, 100, 100}));
}

TEST_F(FrameTest, NegativeHalfRateFallsByOneAndWrapsTo360) {
    EXPECT_EQ(orbitSequence(3, -0.5, 4), (std::vector<int>{2, 1, 360, 359}));
}

TEST_F(FrameTest, UnitRateRunsThrough360To1) {
    EXPECT_EQ(orbitSequence(357, 1.0, 5), (std::vector<int>{358, 359, 360, 1, 2}));
}

TEST_F(FrameTest, RateMinusOneAndAHalfFallsByTwo) {
    EXPECT_EQ(orbitSequence(10, -1.5, 3), (std::vector<int>{8, 6, 4}));
}

TEST_F(FrameTest, IdleOutsidePerspectiveLeavesTheAngle) {
    scene.orbitAngle = 42;
    scene.orbitRate = 1.0;
    scene.viewMode = Combined;
    onIdle();
    scene.viewMode = Orthogonal;
    onIdle();
    EXPECT_EQ(scene.orbitAngle, 42);
    scene.viewMode = Perspective;
    onIdle();
    EXPECT_EQ(scene.orbitAngle, 43);
}

TEST_F(FrameTest, HugeRatesKeepTheAngleInATurn) {
    scene.orbitAngle = 10;
    scene.orbitRate = 7.5e11;
    for (int i = 0; i < 1000; ++i) {
        advanceOrbit();
        ASSERT_GE(scene.orbitAngle, -360);
        ASSERT_LE(scene.orbitAngle, 720);
    }
}

TEST_F(FrameTest, StartTitle) {
    scene.orbitAngle = 360;
    EXPECT_STREQ(formatPerspectiveTitle(),
                 "Glintmere: Mouse at (0.500, 0.500).  Alpha=360.  Beta=  0.  Distance=-16.55.");
}

TEST_F(FrameTest, TitleFieldWidthsSignsAndRounding) {
    scene.mouseFracX = -0.1;
    scene.mouseFracY = 1.23456;
    scene.orbitAngle = 7;
    scene.tiltAngle = -45.3;
    scene.viewDistance = -20.0051;
    EXPECT_STREQ(formatPerspectiveTitle(),
                 "Glintmere: Mouse at (-0.100, 1.235).  Alpha=  7.  Beta=-45.  Distance=-20.01.");
    scene.tiltAngle = -7.6;
    scene.orbitAngle = 45;
    scene.viewDistance = 3.14159;
    EXPECT_STREQ(formatPerspectiveTitle(),
                 "Glintmere: Mouse at (-0.100, 1.235).  Alpha= 45.  Beta= -8.  Distance=3.14.");
}

TEST_F(FrameTest, FlapSignFlipsOnTheSecondTickThenEveryThird) {
    std::vector<int> signs;
    for (int tick = 0; tick < 9; ++tick) {
        onFlapTimer(0);
        signs.push_back(scene.flapSign);
    }
    EXPECT_EQ(signs, (std::vector<int>{1, -1, -1, -1, 1, 1, 1, -1, -1}));
    EXPECT_EQ(scene.tickCount, 9);
}

TEST_F(FrameTest, WavesDecayFromThreeIn126TicksAndRestJustBelowHalf) {
    scene.waveAmplitude = 3.0f;
    int ticks = 0;
    while (scene.waveAmplitude > 0.5f && ticks < 1000) {
        onWaveTimer(0);
        ++ticks;
    }
    EXPECT_EQ(ticks, 126);
    EXPECT_NEAR(scene.waveAmplitude, 0.48f, 0.005f);
    float resting = scene.waveAmplitude;
    onWaveTimer(0);
    EXPECT_EQ(scene.waveAmplitude, resting) << "a value of 0.5 or less is left alone";
}

TEST_F(FrameTest, WaveJustAboveHalfDropsOnceAndStays) {
    scene.waveAmplitude = 0.51f;
    onWaveTimer(0);
    EXPECT_NEAR(scene.waveAmplitude, 0.49f, 1e-6);
    onWaveTimer(0);
    EXPECT_NEAR(scene.waveAmplitude, 0.49f, 1e-6);
}

// The exit ends the process, so these watch it in a child process; where GoogleTest can start none (the
// browser build's tests under node), the page's end-to-end test watches the exit instead.
#if GTEST_HAS_DEATH_TEST
TEST_F(FrameTest, ExitWithSoundPlaysTheClapBlockingAndEndsWithStatusZero) {
    EXPECT_EXIT(
        {
            class Announcer final : public CueBackend {
            public:
                void play(const std::string& fileName, SoundMode mode) override {
                    std::fprintf(stderr, "cue %s %d\n", fileName.c_str(), static_cast<int>(mode));
                }
            };
            setCueBackend(std::make_unique<Announcer>());
            exitProgram();
        },
        testing::ExitedWithCode(0), "cue musics/CLAP.wav 0");
}

TEST_F(FrameTest, ExitWithSoundOffPlaysNothing) {
    scene.soundOn = 0;
    EXPECT_EXIT(
        {
            class Announcer final : public CueBackend {
            public:
                void play(const std::string& fileName, SoundMode) override {
                    std::fprintf(stderr, "cue %s\n", fileName.c_str());
                }
            };
            setCueBackend(std::make_unique<Announcer>());
            std::fprintf(stderr, "leaving\n");
            exitProgram();
        },
        testing::ExitedWithCode(0), "^leaving\n$");
}
#else
TEST_F(FrameTest, ExitNeedsAChildProcess) {
    GTEST_SKIP() << "GoogleTest starts no child process here";
}
#endif

}  // namespace
