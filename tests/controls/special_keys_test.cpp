// special_keys_test.cpp -- special keys through onSpecialKey: zoom, render toggles, the view cycle, the arrows in each
// view, the reset and the Insert feeding.
#include "controls/special_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands/scene_reset.h"
#include "aquarium/random.h"
#include "aquarium/random_testing.h"
#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "core/window_calls_testing.h"
#include "support/capture.h"
#include "support/process_state.h"

namespace {

using Lines = std::vector<std::string>;

const std::string header = "**********collision ckeck.**********";

class SpecialKeysTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    void press(int key) { onSpecialKey(key, 40, 50); }
    ConsoleCapture console;
};

TEST_F(SpecialKeysTest, ZoomStopsAt10And170) {
    for (int i = 0; i < 10; ++i) press(KeyF2);
    EXPECT_EQ(scene.fieldOfView, 10);
    press(KeyF2);
    EXPECT_EQ(scene.fieldOfView, 10);
    for (int i = 0; i < 22; ++i) press(KeyF3);
    EXPECT_EQ(scene.fieldOfView, 120);
    resetProcessState();
    for (int i = 0; i < 22; ++i) press(KeyF3);
    EXPECT_EQ(scene.fieldOfView, 170);
}

TEST_F(SpecialKeysTest, ViewCycleGoesCombinedPerspectiveOrthogonal) {
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        press(KeyF11);
        seen.push_back(scene.viewMode);
    }
    EXPECT_EQ(seen, (std::vector<int>{Perspective, Orthogonal, Combined, Perspective}));
}

TEST_F(SpecialKeysTest, WireframeKeyTogglesBackToFilled) {
    press(KeyF5);
    EXPECT_EQ(scene.polygonFill, 1);
    press(KeyF5);
    EXPECT_EQ(scene.polygonFill, 2);
    scene.polygonFill = 7;
    press(KeyF5);
    EXPECT_EQ(scene.polygonFill, 1);
}

TEST_F(SpecialKeysTest, RenderTogglesFlipAndAskForARedisplay) {
    struct Case {
        int key;
        uint8_t SceneState::*flag;
    };
    const Case cases[] = {
        {KeyF4, &SceneState::depthTestOn}, {KeyF6, &SceneState::cullingOn},  {KeyF7, &SceneState::polishedOn},
        {KeyF8, &SceneState::flatShading}, {KeyF9, &SceneState::texturesOn}, {KeyF10, &SceneState::collisionCheckOn},
    };
    for (const Case& c : cases) {
        const uint8_t start = scene.*c.flag;
        const long before = redisplayRequestCount();
        press(c.key);
        EXPECT_EQ(scene.*c.flag, start == 1 ? 0 : 1) << "key " << c.key;
        EXPECT_EQ(redisplayRequestCount(), before + 1) << "key " << c.key;
        press(c.key);
        EXPECT_EQ(scene.*c.flag, start) << "key " << c.key;
    }
    EXPECT_TRUE(console.text().empty());
}

TEST_F(SpecialKeysTest, SixteenStepsForwardStopAtTheTable) {
    for (int i = 0; i < 15; ++i) press(KeyUp);
    EXPECT_DOUBLE_EQ(scene.eyeZ, 1.5);
    Lines lines = console.lines();
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[0], header);
    EXPECT_EQ(lines[1], "eyeX=0eyeY=0.63eyeZ=8.5");
    EXPECT_EQ(lines[29], "eyeX=0eyeY=0.63eyeZ=1.5");
    console.clear();
    press(KeyUp);
    EXPECT_EQ(console.lines(), (Lines{header, "You are hitting the table.", "eyeX=0eyeY=0.63eyeZ=1.5"}));
    EXPECT_DOUBLE_EQ(scene.eyeZ, 1.5);
}

TEST_F(SpecialKeysTest, DownArrowStepsBackUntilTheBackWall) {
    press(KeyDown);
    EXPECT_DOUBLE_EQ(scene.eyeZ, 9.5);
    console.clear();
    press(KeyDown);
    EXPECT_EQ(console.lines(), (Lines{header, "You are hitting back wall.", "eyeX=0eyeY=0.63eyeZ=9.5"}));
}

TEST_F(SpecialKeysTest, CollisionCheckOffLetsTheEyeThroughTheTableAndWalls) {
    press(KeyF10);
    for (int i = 0; i < 20; ++i) press(KeyUp);  // from 9 through the table to -1
    EXPECT_DOUBLE_EQ(scene.eyeZ, -1.0);
    for (int i = 0; i < 19; ++i) press(KeyUp);  // on to -10.5, beyond the front wall
    EXPECT_DOUBLE_EQ(scene.eyeZ, -10.5);
    const Lines lines = console.lines();
    EXPECT_EQ(console.text().find(header), std::string::npos);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "eyeX=0eyeY=0.63eyeZ=-10");
    EXPECT_EQ(lines[lines.size() - 2], "You are hitting front wall.");
    EXPECT_EQ(lines.back(), "eyeX=0eyeY=0.63eyeZ=-10.5");

    // Back on, every step is refused while the eye stands outside.
    press(KeyF10);
    console.clear();
    press(KeyUp);
    EXPECT_EQ(console.lines(), (Lines{header, "You are hitting front wall.", "eyeX=0eyeY=0.63eyeZ=-10.5"}));
}

TEST_F(SpecialKeysTest, ArrowsTurnTheOrbitInThePerspectiveView) {
    scene.viewMode = Perspective;
    press(KeyLeft);
    EXPECT_EQ(scene.orbitAngle, 359);
    press(KeyRight);
    EXPECT_EQ(scene.orbitAngle, 0);
    scene.orbitAngle = 360;
    press(KeyRight);
    EXPECT_EQ(scene.orbitAngle, 1);
    press(KeyLeft);
    EXPECT_EQ(scene.orbitAngle, 0);
    scene.orbitAngle = 360;
    press(KeyLeft);
    EXPECT_EQ(scene.orbitAngle, 359);
    scene.orbitAngle = -5;
    press(KeyRight);
    EXPECT_EQ(scene.orbitAngle, -4);  // the remainder keeps the sign
    press(KeyLeft);
    EXPECT_EQ(scene.orbitAngle, 359);
    press(KeyUp);
    press(KeyDown);
    EXPECT_EQ(scene.fieldOfView, 60);
    EXPECT_EQ(scene.eyeX, 0);
    EXPECT_EQ(scene.eyeZ, 9);
    EXPECT_TRUE(console.text().empty());
}

TEST_F(SpecialKeysTest, OrthogonalViewStrafesButDoesNotStep) {
    scene.viewMode = Orthogonal;
    press(KeyUp);
    press(KeyDown);
    EXPECT_TRUE(console.text().empty());
    EXPECT_EQ(scene.eyeZ, 9);
    press(KeyRight);
    EXPECT_DOUBLE_EQ(scene.eyeX, 0.5);
    press(KeyLeft);
    press(KeyLeft);
    EXPECT_DOUBLE_EQ(scene.eyeX, -0.5);
    EXPECT_EQ(scene.orbitAngle, 0);
    EXPECT_EQ(console.lines().back(), "eyeX=-0.5eyeY=0.63eyeZ=9");
}

TEST_F(SpecialKeysTest, CombinedViewStrafesWithTheSideArrows) {
    press(KeyLeft);
    EXPECT_EQ(console.lines(), (Lines{header, "eyeX=-0.5eyeY=0.63eyeZ=9"}));
    EXPECT_EQ(scene.orbitAngle, 0);
}

TEST_F(SpecialKeysTest, HomeRunsTheResetAndAsksForOneRedisplay) {
    // What the reset writes is pinned by scene_reset_test.cpp; Home must run exactly that.
    scene.viewMode = Perspective;
    scene.farPlane = 15;
    scene.eyeX = 3;
    scene.soundOn = 0;
    fishes[0].alive = 0.0f;
    const SceneState changed = scene;
    resetScene();
    const SceneState expected = scene;
    scene = changed;
    fishes[0].alive = 0.0f;
    const long redisplays = redisplayRequestCount();
    const long projections = projectionRequestCount();

    press(KeyHome);

    EXPECT_EQ(sceneDifferences(scene, expected), "");
    EXPECT_EQ(fishes[0].alive, 1.0f) << "the aquarium is reset with the scene";
    EXPECT_EQ(redisplayRequestCount(), redisplays + 1);
    EXPECT_EQ(projectionRequestCount(), projections + 1);
    EXPECT_TRUE(console.text().empty());
}

int presentWorms() {
    int n = 0;
    for (const Worm& w : worms) n += w.alive == 1.0f ? 1 : 0;
    return n;
}

TEST_F(SpecialKeysTest, InsertFeedsOneRedWormToTheSmallestFish) {
    setTimeSource([] { return std::time_t{1700000000}; });
    const long redisplays = redisplayRequestCount();

    press(KeyInsert);

    int red = -1;
    for (int s = 0; s < wormSlots; ++s)
        if (worms[s].alive == 1.0f && worms[s].scale == 2.5f && worms[s].colorIndex == 0.0f) red = s;
    ASSERT_GE(red, 0) << "no red worm was put in";
    EXPECT_EQ(playedCues(), (std::vector<PlayedCue>{{"musics/REMINDER.wav", SoundMode::Background}}));
    // Of the four start fish, slot 3 (size 0.3) is the smallest and goes for the new worm.
    EXPECT_EQ(fishHasTarget[3], 1);
    EXPECT_EQ(fishTargetWorm[3], red);
    EXPECT_EQ(fishes[3].target.x, worms[red].position.x);
    EXPECT_EQ(fishes[3].target.y, worms[red].position.y);
    EXPECT_EQ(fishes[3].target.z, worms[red].position.z);
    for (int f : {0, 1, 2}) EXPECT_EQ(fishHasTarget[f], 0) << "fish " << f;
    EXPECT_EQ(redisplayRequestCount(), redisplays + 1);
}

TEST_F(SpecialKeysTest, InsertWithNoFishStillAddsTheWorm) {
    for (Fish& fish : fishes) fish.alive = 0.0f;
    for (Worm& worm : worms) worm.alive = 0.0f;
    press(KeyInsert);
    EXPECT_EQ(presentWorms(), 1);
    for (int f = 0; f < fishSlots; ++f) EXPECT_EQ(fishHasTarget[f], 0) << "fish " << f;
}

TEST_F(SpecialKeysTest, InsertOutsideTheCombinedViewOnlyAsksForARedisplay) {
    for (int mode : {Perspective, Orthogonal}) {
        resetProcessState();
        scene.viewMode = mode;
        const int wormsBefore = presentWorms();
        const long redisplays = redisplayRequestCount();
        press(KeyInsert);
        EXPECT_EQ(presentWorms(), wormsBefore);
        EXPECT_TRUE(playedCues().empty());
        EXPECT_EQ(redisplayRequestCount(), redisplays + 1);
    }
}

TEST_F(SpecialKeysTest, UnlistedCodesDoNothing) {
    scene.viewMode = Perspective;
    const long redisplays = redisplayRequestCount();
    const int worms0 = presentWorms();
    for (int key : {0, 12, 104, 105, 107, 109, 112, 113, 114, 115, 116, 117, 200, -1}) press(key);
    EXPECT_EQ(scene.viewMode, Perspective);
    EXPECT_EQ(scene.fieldOfView, 60);
    EXPECT_EQ(scene.orbitAngle, 0);
    EXPECT_EQ(scene.eyeZ, 9);
    EXPECT_EQ(scene.polygonFill, 2);
    EXPECT_EQ(presentWorms(), worms0);
    EXPECT_EQ(redisplayRequestCount(), redisplays);
    EXPECT_TRUE(console.text().empty());
    EXPECT_TRUE(playedCues().empty());
}

}  // namespace
