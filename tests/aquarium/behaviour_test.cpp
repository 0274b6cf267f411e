// behaviour_test.cpp -- one fish's step: arriving, eating and growing, replacements, leaving, waves and the turn.
#include "aquarium/behaviour.h"

#include <gtest/gtest.h>

#include <cmath>

#include "aquarium/feeder.h"
#include "aquarium_test_support.h"
#include "core/scene_state.h"

using namespace aquarium_test;

namespace {

class BehaviourTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        fixClock(4242);
    }
    void TearDown() override { resetProcessState(); }

    // Puts fish i on top of worm slot w, hunting it.
    static void huntingAt(int i, int w) {
        fishes[i].position = worms[w].position;
        fishes[i].target = worms[w].position;
        fishHasTarget[i] = 1;
        fishTargetWorm[i] = w;
    }

    // A fish far from its target, moving by v; it will not arrive this step.
    static void cruising(int i, Vec3f position, Vec3f v) {
        fishes[i].position = position;
        fishes[i].velocity = v;
        fishes[i].target = {position.x + 50, position.y, position.z};
    }
};

TEST_F(BehaviourTest, OnTheFirstFrameEveryFishArrivesAndPicksAWormSlot) {
    int r = drawAt(4242);
    for (int i = 0; i < 4; ++i) {
        Vec3f start = fishes[i].position;
        stepFishLogic(i);
        int w = (i + 1) * 5 * r % 64;
        const Fish& f = fishes[i];
        EXPECT_EQ(f.target.x, worms[w].position.x) << i;
        EXPECT_EQ(f.target.y, worms[w].position.y) << i;
        EXPECT_EQ(f.target.z, worms[w].position.z) << i;
        EXPECT_EQ(fishHasTarget[i], worms[w].alive == 1.0f ? 1 : 0) << i;
        if (fishHasTarget[i] == 1) {
            EXPECT_EQ(fishTargetWorm[i], w);
        }
        EXPECT_EQ(f.size, fishStart[i].size) << "nothing was eaten";
        bool onTarget = start.x == f.target.x && start.y == f.target.y && start.z == f.target.z;
        EXPECT_NEAR(lengthOf(f.velocity), onTarget ? lengthOf(fishStart[i].velocity) : 0.1, 1e-6) << i;
    }
    EXPECT_TRUE(playedCues().empty());
}

TEST_F(BehaviourTest, AHuntLeftOverFromBeforeAResetIsEatenAtOnce) {
    fishHasTarget[1] = 1;
    fishTargetWorm[1] = 7;
    bowlFeeder.resetFeeder();
    stepFishLogic(1);
    EXPECT_FLOAT_EQ(fishes[1].size, 0.7f);
    EXPECT_EQ(worms[7].alive, 0.0f);
}

TEST_F(BehaviourTest, AnOrdinaryWormGrowsTheFishAndComesBackInTheNextEmptySlot) {
    worms[5].alive = 1.0f;  // 6 is the next empty slot after it
    huntingAt(3, 5);
    stepFishLogic(3);
    EXPECT_EQ(fishes[3].size, static_cast<float>(0.3f + 0.1));
    EXPECT_EQ(worms[5].alive, 0.0f);
    EXPECT_EQ(worms[6].alive, 1.0f);
    EXPECT_EQ(worms[6].colorIndex, 9.0f);
    EXPECT_EQ(presentWorms().size(), 16u);
    ASSERT_FALSE(playedCues().empty());
    EXPECT_EQ(playedCues()[0], (PlayedCue{"musics/5169.wav", SoundMode::Background}));
    EXPECT_NEAR(lengthOf(fishes[3].velocity), 0.1, 1e-6) << "aimed at its next target";
}

TEST_F(BehaviourTest, TheReplacementSearchWrapsPastSlotSixtyThree) {
    worms[0].alive = 1.0f;  // 0, 1 and 2 present: the worm comes back in slot 3
    huntingAt(2, 63);
    stepFishLogic(2);
    EXPECT_EQ(worms[63].alive, 0.0f);
    EXPECT_EQ(worms[3].alive, 1.0f);
}

TEST_F(BehaviourTest, ARedWormGivesMoreGrowthAndIsNeverReplaced) {
    worms[5] = Worm{1.0f, 2.5f, 0.0f, worms[5].position};
    huntingAt(3, 5);
    stepFishLogic(3);
    EXPECT_EQ(fishes[3].size, static_cast<float>(0.3f + 0.2));
    EXPECT_FALSE(fishHasTarget[3] == 1 && fishTargetWorm[3] == 5);
    EXPECT_EQ(worms[5].alive, 0.0f);
    EXPECT_EQ(worms[5].scale, 1.0f);
    EXPECT_EQ(worms[5].colorIndex, 9.0f);
    EXPECT_EQ(worms[6].alive, 0.0f);
    EXPECT_EQ(presentWorms().size(), 15u);
    ASSERT_FALSE(playedCues().empty());
    EXPECT_EQ(playedCues()[0], (PlayedCue{"musics/correct.wav", SoundMode::Background}));
}

TEST_F(BehaviourTest, ManualModeReplacesNeitherWormsNorFish) {
    scene.autoFeed = 0;
    worms[5].alive = 1.0f;
    huntingAt(3, 5);
    stepFishLogic(3);
    EXPECT_EQ(worms[5].alive, 0.0f);
    EXPECT_EQ(worms[6].alive, 0.0f);
    EXPECT_EQ(presentWorms().size(), 15u);

    fishes[2].size = 0.9f;
    fishes[2].position = fishes[2].target = {0, 5, 0};
    stepFishLogic(2);
    EXPECT_EQ(presentFish(), (std::set<int>{0, 1, 3}));
    EXPECT_EQ(cueNames(), (std::vector<std::string>{"musics/goodbye.wav"}));
}

TEST_F(BehaviourTest, ASecondFishAtAnEatenWormStillGrowsAndPutsOneIn) {
    worms[5].alive = 1.0f;
    huntingAt(0, 5);
    huntingAt(3, 5);
    stepFishLogic(0);
    EXPECT_EQ(worms[6].alive, 1.0f);
    stepFishLogic(3);
    EXPECT_FLOAT_EQ(fishes[3].size, 0.4f);
    EXPECT_EQ(worms[9].alive, 1.0f);  // 6, 7 and 8 present now
}

TEST_F(BehaviourTest, AFishGrownToPointEightTurnsAtOnceForTheSurface) {
    worms[5].alive = 1.0f;
    huntingAt(0, 5);  // size 0.7
    stepFishLogic(0);
    EXPECT_GE(fishes[0].size, 0.8f);
    EXPECT_EQ(fishes[0].target.x, 0.0f);
    EXPECT_EQ(fishes[0].target.y, 5.0f);
    EXPECT_EQ(fishes[0].target.z, 0.0f);
    EXPECT_GT(fishes[0].velocity.y, 0.0f);
}

TEST_F(BehaviourTest, ASmallFishNeedsSevenOrdinaryWormsToGrow) {
    fishes[5].alive = 1.0f;  // size 0.1
    int eaten = 0;
    while (static_cast<double>(fishes[5].size) < 0.8 && eaten < 20) {
        worms[12].alive = 1.0f;
        huntingAt(5, 12);
        stepFishLogic(5);
        ++eaten;
    }
    EXPECT_EQ(eaten, 7);
}

TEST_F(BehaviourTest, AGrownFishAtTheSurfaceLeavesAndTheNextAbsentSlotComesIn) {
    fishes[2].size = 0.85f;
    fishes[2].position = fishes[2].target = {0, 5, 0};
    fishHasTarget[2] = 1;
    stepFishLogic(2);

    const Fish& f = fishes[2];
    EXPECT_EQ(f.alive, 0.0f);
    EXPECT_EQ(f.size, 0.1f);
    EXPECT_EQ(f.colorIndex, 3.0f);
    EXPECT_FLOAT_EQ(f.position.x, 0.1f);  // rewritten to the origin, then moved once
    EXPECT_FLOAT_EQ(f.position.y, 0.1f);
    EXPECT_EQ(f.target.y, 0.0f);
    EXPECT_EQ(fishHasTarget[2], 1) << "leaving does not touch the side arrays";
    EXPECT_EQ(presentFish(), (std::set<int>{0, 1, 3, 4}));
    EXPECT_EQ(fishes[4].size, 0.2f) << "the newcomer keeps its start record";
    EXPECT_EQ(playedCues(), (std::vector<PlayedCue>{{"musics/goodbye.wav", SoundMode::Blocking},
                                                    {"musics/CHIMES.wav", SoundMode::Background}}));
    EXPECT_FLOAT_EQ(scene.waveAmplitude, 0.5f) << "the fish that left is no longer high";
}

TEST_F(BehaviourTest, WithTheOtherNinePresentALeavingFishIsItsOwnReplacement) {
    for (Fish& f : fishes) f.alive = 1.0f;
    fishes[9].size = 1.0f;
    fishes[9].position = fishes[9].target = {0, 5, 0};
    stepFishLogic(9);
    EXPECT_EQ(fishes[9].alive, 1.0f);
    EXPECT_EQ(fishes[9].size, 0.1f);
    EXPECT_EQ(presentFish().size(), 10u);
}

TEST_F(BehaviourTest, AGrownFishSentToAWormGetsTheSurfaceTargetButKeepsItsCourse) {
    fishes[0].size = 0.9f;
    aimFishAtWormLogic(0, 63);
    Vec3f course = fishes[0].velocity;
    int frames = 0;
    while (fishHasTarget[0] == 1 && frames < 200) {
        stepFishLogic(0);
        ++frames;
    }
    ASSERT_EQ(fishHasTarget[0], 0) << "it reaches the worm";
    EXPECT_EQ(worms[63].alive, 1.0f) << "a grown fish does not eat";
    EXPECT_EQ(fishes[0].size, 0.9f);
    EXPECT_EQ(fishes[0].target.x, 0.0f);
    EXPECT_EQ(fishes[0].target.y, 5.0f);
    EXPECT_EQ(fishes[0].target.z, 0.0f);
    EXPECT_EQ(fishes[0].velocity.x, course.x);
    EXPECT_EQ(fishes[0].velocity.y, course.y);
    EXPECT_EQ(fishes[0].velocity.z, course.z);
    EXPECT_EQ(fishes[0].alive, 1.0f);
}

TEST_F(BehaviourTest, WavesRiseOnlyForAHighFishWhileTheyAreAtMostPointSix) {
    cruising(1, {0, 3.5f, 0}, {0.1f, 0, 0});
    stepFishLogic(1);
    EXPECT_EQ(scene.waveAmplitude, 3.0f);

    scene.waveAmplitude = 0.61f;
    cruising(1, {0, 4.0f, 0}, {0.1f, 0, 0});
    stepFishLogic(1);
    EXPECT_EQ(scene.waveAmplitude, 0.61f);

    scene.waveAmplitude = 0.59f;
    stepFishLogic(1);
    EXPECT_EQ(scene.waveAmplitude, 3.0f);

    scene.waveAmplitude = 0.5f;
    cruising(1, {0, 3.49f, 0}, {0.1f, 0, 0});
    stepFishLogic(1);
    EXPECT_EQ(scene.waveAmplitude, 0.5f);

    // The height is the one before this step's move.
    cruising(1, {0, 3.45f, 0}, {0, 0.1f, 0});
    stepFishLogic(1);
    EXPECT_EQ(scene.waveAmplitude, 0.5f);
    stepFishLogic(1);
    EXPECT_EQ(scene.waveAmplitude, 3.0f);
}

TEST(FishOrientation, YawFollowsTheQuadrantCorrections) {
    const double yawFactor = -180.0 / 3.1415926;
    double a = std::atan(1.0) * yawFactor;  // a hair under -45
    EXPECT_NEAR(orientationFor(1, 0, 0).yaw, 0.0, 1e-9);
    EXPECT_NEAR(orientationFor(1, 0, 1).yaw, a, 1e-4);
    EXPECT_NEAR(orientationFor(1, 0, -1).yaw, -a, 1e-4);
    // -x, -z: the first correction, 90 - yaw rather than a half turn.
    EXPECT_NEAR(orientationFor(-1, 0, -1).yaw, 90 - a, 1e-4);
    EXPECT_FLOAT_EQ(orientationFor(-1, 0, 0).yaw, 180.0f);
    EXPECT_FLOAT_EQ(orientationFor(-0.1f, 0.05f, 0).yaw, 180.0f);
    // -x, +z: a half turn on.
    EXPECT_NEAR(orientationFor(-1, 0, 1).yaw, 180 - a, 1e-4);
    EXPECT_NEAR(orientationFor(-2, 0, 1).yaw, 180 + std::atan(-0.5) * yawFactor, 1e-4);
}

TEST(FishOrientation, StraightAlongZOrAtRestTheTurnIsStillDefined) {
    EXPECT_FLOAT_EQ(orientationFor(0, 0, 1).yaw, -90.0f);
    EXPECT_FLOAT_EQ(orientationFor(0, 0, -1).yaw, 90.0f);
    EXPECT_FLOAT_EQ(orientationFor(-0.0f, 0, 1).yaw, -90.0f);
    FishTurn still = orientationFor(0, 0, 0);
    EXPECT_EQ(still.yaw, 0.0f);
    EXPECT_EQ(still.pitch, 0.0f);
    FishTurn up = orientationFor(0, 0.1f, 0);
    EXPECT_EQ(up.yaw, 0.0f);
    EXPECT_NEAR(up.pitch, 90.0 * 3.1415926535 / 3.14, 1e-4);  // the pitch converts with 3.14
    EXPECT_NEAR(orientationFor(0.1f, -0.1f, 0).pitch, -45.0 * 3.1415926535 / 3.14, 1e-3);
}

}  // namespace
