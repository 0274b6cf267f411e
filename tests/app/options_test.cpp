// options_test.cpp -- command-line options: what is accepted, what is refused, and GLUT's own options passed over.
#include "app/commands/options.h"

#include <gtest/gtest.h>

#include "app/commands/frame_stats.h"
#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "support/capture.h"

namespace {

TEST(OptionsTest, NoArgumentsMeansTheOrdinaryProgram) {
    ParseResult r = parseOptions({});
    EXPECT_EQ(r.error, "");
    EXPECT_FALSE(r.options.help || r.options.version || r.options.mute);
    EXPECT_EQ(r.options.frames, 0);
    EXPECT_EQ(r.options.benchmark, 0);
    EXPECT_TRUE(r.options.screenshot.empty());
}

TEST(OptionsTest, ValuesInBothGnuForms) {
    ParseResult r = parseOptions({"--frames", "12", "--screenshot=out.png", "--mute"});
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.options.frames, 12);
    EXPECT_EQ(r.options.screenshot, "out.png");
    EXPECT_TRUE(r.options.mute);
    EXPECT_EQ(parseOptions({"--benchmark=600"}).options.benchmark, 600);
}

TEST(OptionsTest, CameraMotions) {
    EXPECT_EQ(parseOptions({"--frames", "3"}).options.motion, CameraMotion::Still);
    EXPECT_EQ(parseOptions({"--benchmark", "9", "--motion", "orbit"}).options.motion, CameraMotion::Orbit);
    EXPECT_EQ(parseOptions({"--frames", "3", "--motion=walk"}).options.motion, CameraMotion::Walk);
}

TEST(OptionsTest, FullScreenAndRecording) {
    ParseResult r = parseOptions({"--fullscreen", "--record", "clip.y4m", "--frames", "120"});
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.options.fullscreen);
    EXPECT_EQ(r.options.record, "clip.y4m");
    EXPECT_EQ(r.options.frames, 120);
    EXPECT_EQ(parseOptions({"--record=-a b.mp4"}).options.record, "-a b.mp4");
    EXPECT_FALSE(parseOptions({}).options.fullscreen);
}

TEST(OptionsTest, GlutOptionsAreLeftToGlut) {
    ParseResult r = parseOptions({"-display", ":3", "-geometry", "800x600+0+0", "-iconic", "-sync", "--mute"});
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.options.mute);
}

TEST(OptionsTest, RefusedArguments) {
    for (auto args : std::vector<std::vector<std::string>>{
             {"--bogus"},
             {"-x"},
             {"stray"},
             {"--frames"},
             {"--frames", "0"},
             {"--frames", "-3"},
             {"--frames", "12abc"},
             {"--frames", "99999999999999999999999"},
             {"--benchmark", "ten"},
             {"--screenshot", "a.png"},  // needs --frames
             {"--mute=yes"},
             {"--scene", "party"},
             {"--motion", "orbit"},  // needs --frames or --benchmark
             {"--benchmark", "9", "--motion", "spin"},
             {"--frames", "3", "--benchmark", "3"},
             {"--fullscreen=yes"},
             {"--record"},
             {"--record="},
             {"--benchmark", "3", "--record", "a.y4m"},
         }) {
        EXPECT_NE(parseOptions(args).error, "") << args[0];
    }
}

TEST(OptionsTest, ScenePresetsPrepareTheBenchmarkScenes) {
    resetProcessState();
    applyScenePreset(ScenePreset::Start);
    EXPECT_EQ(scene.lightingOn, 0);
    applyScenePreset(ScenePreset::Lit);
    EXPECT_EQ(scene.lightingOn, 1);
    EXPECT_EQ(scene.ceilingLightOff + scene.leftLampOff + scene.rightLampOff + scene.frontLampOff, 0);
    int fish = 0;
    for (const Fish& f : fishes) fish += f.alive == 1.0f;
    EXPECT_EQ(fish, 4);
    applyScenePreset(ScenePreset::Busy);
    fish = 0;
    int wormCount = 0;
    for (const Fish& f : fishes) fish += f.alive == 1.0f;
    for (const Worm& w : worms) wormCount += w.alive == 1.0f;
    EXPECT_EQ(fish, 10);
    EXPECT_EQ(wormCount, 64);
}

TEST(OptionsTest, FrameStatistics) {
    FrameStats s = summarise({5, 1, 3, 2, 4});
    EXPECT_DOUBLE_EQ(s.medianMs, 3);
    EXPECT_DOUBLE_EQ(s.p99Ms, 5);
    std::vector<double> many(200, 1.0);
    many[0] = 50;
    many[1] = 40;
    s = summarise(many);
    EXPECT_DOUBLE_EQ(s.medianMs, 1.0);
    EXPECT_DOUBLE_EQ(s.p99Ms, 1.0) << "the worst 1% of 200 frames lies beyond the 99th percentile";
    many[2] = 30;
    EXPECT_DOUBLE_EQ(summarise(many).p99Ms, 30.0);
    EXPECT_DOUBLE_EQ(summarise({2, 4}).medianMs, 3.0);
}

}  // namespace
