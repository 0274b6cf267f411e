// feeder_test.cpp -- the aquarium's reset and its feeding commands, and the time-seeded draws behind them.
#include "aquarium/feeder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "aquarium/behaviour.h"
#include "aquarium_test_support.h"
#include "core/scene_state.h"

using namespace aquarium_test;

namespace {

const std::set<int> startWorms = {1, 2, 7, 8, 14, 16, 21, 31, 34, 40, 41, 43, 54, 57, 63};

class FeederTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    void TearDown() override { resetProcessState(); }
};

TEST_F(FeederTest, StartAndResetHoldFourFishAndFifteenWorms) {
    EXPECT_EQ(presentFish(), (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(presentWorms(), startWorms);

    // Disturb everything the reset owns, and the side arrays it must leave alone.
    for (Fish& f : fishes) f = Fish{1, 2, 3, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}};
    for (Worm& w : worms) w = Worm{1, 2.5f, 0, {9, 9, 9}};
    fishHasTarget[3] = 1;
    fishTargetWorm[3] = 42;
    scene.autoFeed = 0;
    scene.waveAmplitude = 3.0f;

    bowlFeeder.resetFeeder();

    EXPECT_EQ(presentFish(), (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(presentWorms(), startWorms);
    EXPECT_EQ(scene.autoFeed, 1);
    EXPECT_FLOAT_EQ(scene.waveAmplitude, 0.5f);
    EXPECT_EQ(fishHasTarget[3], 1);
    EXPECT_EQ(fishTargetWorm[3], 42);

    const float sizes[fishSlots] = {0.7f, 0.6f, 0.5f, 0.3f, 0.2f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f};
    const float starts[4] = {1.5f, 0.5f, -0.5f, -1.5f};
    for (int i = 0; i < fishSlots; ++i) {
        const Fish& f = fishes[i];
        EXPECT_EQ(f.size, sizes[i]) << i;
        EXPECT_EQ(f.colorIndex, static_cast<float>(i + 1)) << i;
        float p = starts[i % 4];
        EXPECT_EQ(f.position.x, p) << i;
        EXPECT_EQ(f.position.z, p) << i;
        EXPECT_EQ(f.target.y, p) << i;
        EXPECT_EQ(f.velocity.y, 0.01f) << i;
        EXPECT_EQ(f.up.y, 1.0f) << i;
    }
    // Slot s sits on the 4 x 4 x 4 lattice, x falling with s / 16, y with s mod 4, z with s / 4 mod 4.
    EXPECT_EQ(worms[0].position.x, 1.5f);
    EXPECT_EQ(worms[0].position.y, 1.5f);
    EXPECT_EQ(worms[0].position.z, 1.5f);
    EXPECT_EQ(worms[39].position.x, -0.5f);
    EXPECT_EQ(worms[39].position.y, -1.5f);
    EXPECT_EQ(worms[39].position.z, 0.5f);
    for (const Worm& w : worms) {
        EXPECT_EQ(w.scale, 1.0f);
        EXPECT_EQ(w.colorIndex, 9.0f);
    }
}

TEST_F(FeederTest, FishNineIsBlackAndStrayColourIndicesStayInTheTable) {
    const float* nine = colorFor(fishes[9].colorIndex);
    EXPECT_EQ(nine[0] + nine[1] + nine[2], 0.0f);
    EXPECT_EQ(colorFor(9.99f), colorTable[9]);
    EXPECT_EQ(colorFor(-3.0f), colorTable[0]);
    EXPECT_EQ(colorFor(250.0f), colorTable[10]);
    EXPECT_EQ(colorFor(std::nanf("")), colorTable[0]);
}

TEST_F(FeederTest, FifteenWormsAfterResetSkipPresentSlotsButRetakeSlotTwo) {
    bowlFeeder.addFifteenWorms();
    std::set<int> expected = startWorms;
    for (int s : {9, 17, 25, 33, 42, 49, 58, 10, 18, 26, 35, 44, 50}) expected.insert(s);
    EXPECT_EQ(presentWorms(), expected);
    EXPECT_EQ(expected.size(), startWorms.size() + 13);
    EXPECT_TRUE(playedCues().empty());
}

TEST_F(FeederTest, FifteenWormsAfterClearingFillTheListedSlots) {
    bowlFeeder.clearWorms();
    EXPECT_TRUE(presentWorms().empty());
    bowlFeeder.addFifteenWorms();
    EXPECT_EQ(presentWorms(), (std::set<int>{1, 9, 17, 25, 33, 41, 49, 57, 2, 10, 18, 26, 34, 42, 50}));
}

TEST_F(FeederTest, FifteenWormsWithEverySlotFullChangeNothing) {
    for (Worm& w : worms) w.alive = 1.0f;
    worms[5].colorIndex = 0.0f;
    bowlFeeder.addFifteenWorms();
    EXPECT_EQ(presentWorms().size(), 64u);
    EXPECT_EQ(worms[5].colorIndex, 0.0f);
}

TEST_F(FeederTest, ClearingEmptiesEverySlotStopsTheHuntAndRestartsTheMusic) {
    fishHasTarget[0] = 1;
    fishHasTarget[7] = 1;
    fishes[0].target = {0.25f, 0.5f, 0.75f};
    worms[4].colorIndex = 0.0f;
    worms[4].scale = 2.5f;

    bowlFeeder.clearWorms();

    EXPECT_TRUE(presentWorms().empty());
    for (int h : fishHasTarget) EXPECT_EQ(h, 0);
    EXPECT_EQ(fishes[0].target.z, 0.75f);
    // A cleared red worm keeps its colour and size for whoever fills the slot next.
    EXPECT_EQ(worms[4].colorIndex, 0.0f);
    EXPECT_EQ(worms[4].scale, 2.5f);
    ASSERT_EQ(playedCues().size(), 1u);
    EXPECT_EQ(playedCues()[0], (PlayedCue{"musics/CHECKERS.wav", SoundMode::BackgroundLoop}));
}

TEST_F(FeederTest, AddWormMakesARedWormInTheDrawnSlotEvenOverAnOrdinaryOne) {
    std::time_t t = timeGiving(64, 7);  // slot 7 holds an ordinary worm at start
    fixClock(t);
    EXPECT_EQ(bowlFeeder.addWorm(), 7);
    EXPECT_EQ(worms[7].alive, 1.0f);
    EXPECT_EQ(worms[7].scale, 2.5f);
    EXPECT_EQ(worms[7].colorIndex, 0.0f);
    EXPECT_EQ(presentWorms().size(), 15u);
    ASSERT_EQ(playedCues().size(), 1u);
    EXPECT_EQ(playedCues()[0], (PlayedCue{"musics/REMINDER.wav", SoundMode::Background}));

    fixClock(timeGiving(64, 0));
    EXPECT_EQ(bowlFeeder.addWorm(), 0);
    EXPECT_EQ(presentWorms().size(), 16u);
}

TEST_F(FeederTest, AddFishBringsInTheNextAbsentSlotAfterTheDraw) {
    fixClock(timeGiving(10, 1));  // slots 2 and 3 are present, so the search lands on 4
    bowlFeeder.addFish();
    EXPECT_EQ(presentFish(), (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(fishes[4].size, 0.2f);

    fixClock(timeGiving(10, 9));  // wraps round to slot 0, present, then 1 ... 4 present, 5
    bowlFeeder.addFish();
    EXPECT_EQ(presentFish(), (std::set<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(cueNames(), (std::vector<std::string>{"musics/CHIMES.wav", "musics/CHIMES.wav"}));
}

TEST_F(FeederTest, AddFishWithAllTenPresentOnlyChimes) {
    for (Fish& f : fishes) f.alive = 1.0f;
    Fish before[fishSlots];
    std::copy(std::begin(fishes), std::end(fishes), before);
    bowlFeeder.addFish();
    EXPECT_EQ(std::memcmp(before, fishes, sizeof fishes), 0);
    EXPECT_EQ(cueNames(), (std::vector<std::string>{"musics/CHIMES.wav"}));
}

TEST_F(FeederTest, CommandsAndStepsStayQuietWithSoundOff) {
    scene.soundOn = 0;
    bowlFeeder.addFish();
    bowlFeeder.addWorm();
    bowlFeeder.clearWorms();
    worms[5].alive = 1.0f;
    fishHasTarget[3] = 1;
    fishTargetWorm[3] = 5;
    fishes[3].position = fishes[3].target = worms[5].position;
    stepFishLogic(3);  // eats and puts a worm back in
    fishes[2].size = 0.9f;
    fishes[2].position = fishes[2].target = {0, 5, 0};
    stepFishLogic(2);  // leaves and is replaced
    EXPECT_EQ(worms[5].alive, 0.0f);
    EXPECT_EQ(fishes[2].alive, 0.0f);
    EXPECT_TRUE(playedCues().empty());
}

TEST_F(FeederTest, ChooseFishTakesTheSmallestAndTheLowestSlotOnTies) {
    fishes[5].alive = 1.0f;
    fishes[5].size = 0.3f;
    EXPECT_EQ(bowlFeeder.chooseFish(), 3);  // 0.3 at slots 3 and 5

    fishes[7].alive = 1.0f;
    fishes[7].size = 0.2f;
    EXPECT_EQ(bowlFeeder.chooseFish(), 7);

    fishes[8].size = 0.05f;  // smaller, but absent
    EXPECT_EQ(bowlFeeder.chooseFish(), 7);

    // Slot 0 absent: the starting choice is the lowest present slot, not slot 0.
    for (Fish& f : fishes) f.alive = 0.0f;
    fishes[0].size = 0.01f;
    fishes[6].alive = 1.0f;
    fishes[6].size = 0.9f;
    EXPECT_EQ(bowlFeeder.chooseFish(), 6);
}

TEST_F(FeederTest, ChooseFishWithNoFishPresentSaysSo) {
    for (Fish& f : fishes) f.alive = 0.5f;  // anything but exactly 1.0 is absent
    EXPECT_EQ(bowlFeeder.chooseFish(), -1);
}

TEST_F(FeederTest, AimingSetsTheWormAsTargetAndMakesOneMoveAtSpeed) {
    aimFishAtWormLogic(3, 40);
    const Fish& f = fishes[3];
    EXPECT_EQ(f.target.x, worms[40].position.x);
    EXPECT_EQ(f.target.y, worms[40].position.y);
    EXPECT_EQ(f.target.z, worms[40].position.z);
    EXPECT_NEAR(lengthOf(f.velocity), 0.1, 1e-6);
    // From (-1.5, -1.5, -1.5) towards (-1, 1.5, -0.5): the move points the same way.
    EXPECT_GT(f.velocity.x, 0.0f);
    EXPECT_GT(f.velocity.y, 0.0f);
    EXPECT_GT(f.velocity.z, 0.0f);
    EXPECT_FLOAT_EQ(f.position.y, -1.5f + f.velocity.y);
    EXPECT_EQ(fishHasTarget[3], 1);
    EXPECT_EQ(fishTargetWorm[3], 40);
}

TEST_F(FeederTest, AimingAFishSittingOnTheWormKeepsItsVelocity) {
    fishes[1].position = worms[20].position;
    fishes[1].velocity = {0.02f, -0.03f, 0.04f};
    aimFishAtWormLogic(1, 20);
    const Fish& f = fishes[1];
    EXPECT_EQ(f.velocity.x, 0.02f);
    EXPECT_EQ(f.velocity.y, -0.03f);
    EXPECT_TRUE(std::isfinite(f.position.x) && std::isfinite(f.position.y) && std::isfinite(f.position.z));
    EXPECT_EQ(fishHasTarget[1], 1);
    EXPECT_EQ(fishTargetWorm[1], 20);
}

TEST_F(FeederTest, AimingWithoutAFishOrOutsideTheWormTableDoesNothing) {
    Fish before[fishSlots];
    std::copy(std::begin(fishes), std::end(fishes), before);
    aimFishAtWormLogic(-1, 5);
    aimFishAtWormLogic(2, 64);
    EXPECT_EQ(std::memcmp(before, fishes, sizeof fishes), 0);
    for (int h : fishHasTarget) EXPECT_EQ(h, 0);
}

}  // namespace
