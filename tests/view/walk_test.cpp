// walk_test.cpp -- walk-through moves of the look-at eye: the collision test, the take-back and the console lines.
#include "view/walk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/scene_state.h"
#include "support/capture.h"

namespace {

using Lines = std::vector<std::string>;

const std::string header = "**********collision ckeck.**********";

class WalkTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    ConsoleCapture console;
};

TEST_F(WalkTest, StartPositionPrintsInShortestForm) {
    printEyePosition();
    EXPECT_EQ(console.lines(), Lines{"eyeX=0eyeY=0.63eyeZ=9"});
}

TEST_F(WalkTest, EyeLineUsesSixSignificantDigitsAndExponentsForTinyValues) {
    scene.eyeX = -0.5;
    scene.eyeY = 1.0 / 3.0;
    scene.eyeZ = 0.0000123;
    printEyePosition();
    scene.eyeX = 1234567.0;
    scene.eyeY = 2.5;
    scene.eyeZ = -7.0;
    printEyePosition();
    EXPECT_EQ(console.lines(), (Lines{"eyeX=-0.5eyeY=0.333333eyeZ=1.23e-05", "eyeX=1.23457e+06eyeY=2.5eyeZ=-7"}));
}

TEST_F(WalkTest, FreeMovePrintsHeaderThenEyeLine) {
    moveForward();
    EXPECT_EQ(console.lines(), (Lines{header, "eyeX=0eyeY=0.63eyeZ=8.5"}));
    EXPECT_DOUBLE_EQ(scene.eyeZ, 8.5);
}

TEST_F(WalkTest, EachObstacleHasItsMessage) {
    struct Case {
        double x, y, z;
        const char* message;
    };
    const Case cases[] = {
        {-7.4, 0.63, 5, "You are hitting left wall."},    {7.4, 0.63, 5, "You are hitting right wall."},
        {0, -1.9, 5, "You are hitting floor."},           {0, 5.4, 5, "You are hitting ceiling."},
        {0, 0.63, -9.9, "You are hitting front wall."},   {0, 0.63, 9.9, "You are hitting back wall."},
        {-2.0, 0.63, -1.0, "You are hitting the table."}, {2.0, 0.63, 1.19, "You are hitting the table."},
    };
    for (const Case& c : cases) {
        scene.eyeX = c.x;
        scene.eyeY = c.y;
        scene.eyeZ = c.z;
        console.clear();
        EXPECT_TRUE(checkCollision()) << c.message;
        EXPECT_EQ(console.lines(), (Lines{header, c.message}));
    }
}

TEST_F(WalkTest, JustInsideTheBoundsIsFree) {
    const double inside[][3] = {{-7.39, 0.63, 5}, {7.39, 0.63, 5}, {0, -1.89, 5},  {0, 5.39, 5},    {0, 0.63, -9.89},
                                {0, 0.63, 9.89},  {2.01, 0.63, 0}, {0, 0.63, 1.2}, {0, 0.63, -1.01}};
    for (const auto& p : inside) {
        scene.eyeX = p[0];
        scene.eyeY = p[1];
        scene.eyeZ = p[2];
        console.clear();
        EXPECT_FALSE(checkCollision()) << p[0] << " " << p[1] << " " << p[2];
        EXPECT_EQ(console.lines(), Lines{header});
    }
}

TEST_F(WalkTest, FirstMatchingObstacleWins) {
    scene.eyeX = -8;
    scene.eyeZ = 12;
    EXPECT_TRUE(checkCollision());
    EXPECT_EQ(console.lines(), (Lines{header, "You are hitting left wall."}));
}

TEST_F(WalkTest, TableReachesFromFloorToCeiling) {
    for (double y : {-1.5, 0.63, 5.0}) {
        scene.eyeX = 0;
        scene.eyeY = y;
        scene.eyeZ = 0;
        console.clear();
        EXPECT_TRUE(checkCollision());
        EXPECT_EQ(console.lines().back(), "You are hitting the table.");
    }
}

TEST_F(WalkTest, WithCheckingOffMovesStandAndMessagesStillPrint) {
    scene.collisionCheckOn = 0;
    scene.eyeX = -7.0;
    strafeLeft();  // to -7.5, beyond the left wall
    strafeLeft();  // to -8.0, still beyond it
    EXPECT_DOUBLE_EQ(scene.eyeX, -8.0);
    EXPECT_EQ(console.lines(), (Lines{"You are hitting left wall.", "eyeX=-7.5eyeY=0.63eyeZ=9",
                                      "You are hitting left wall.", "eyeX=-8eyeY=0.63eyeZ=9"}));
    console.clear();
    scene.eyeX = 0;
    scene.eyeZ = 1.5;
    for (int i = 0; i < 6; ++i) moveForward();  // 1.0 to -1.0 lie in the table, -1.5 is past it
    EXPECT_DOUBLE_EQ(scene.eyeZ, -1.5);
    Lines expected;
    for (const char* z : {"1", "0.5", "0", "-0.5", "-1"}) {
        expected.push_back("You are hitting the table.");
        expected.push_back(std::string("eyeX=0eyeY=0.63eyeZ=") + z);
    }
    expected.push_back("eyeX=0eyeY=0.63eyeZ=-1.5");
    EXPECT_EQ(console.lines(), expected);
}

TEST_F(WalkTest, HeadingClimbsPast360BeforeWrapping) {
    std::vector<double> seen;
    for (int i = 0; i < 20; ++i) {
        increaseHeading();
        seen.push_back(scene.headingAngle);
    }
    EXPECT_EQ(seen[17], 360);
    EXPECT_EQ(seen[18], 380);
    EXPECT_EQ(seen[19], 20);
}

TEST_F(WalkTest, HeadingFallsThroughZeroTo340) {
    decreaseHeading();
    EXPECT_EQ(scene.headingAngle, 340);
    for (int i = 0; i < 16; ++i) decreaseHeading();
    EXPECT_EQ(scene.headingAngle, 20);
    decreaseHeading();
    EXPECT_EQ(scene.headingAngle, 0);
    decreaseHeading();
    EXPECT_EQ(scene.headingAngle, 340);
}

TEST_F(WalkTest, LookDirectionUses314ForPi) {
    scene.headingAngle = 360;
    updateLookDirection();
    EXPECT_NEAR(scene.lookDirX, -0.0031853, 1e-7);
    EXPECT_NEAR(scene.lookDirZ, -0.9999949, 1e-7);
    scene.headingAngle = 380;
    updateLookDirection();
    EXPECT_NEAR(scene.lookDirX, 0.33886, 1e-5);
    EXPECT_NEAR(scene.lookDirZ, -0.94084, 1e-5);
    scene.headingAngle = 20;
    updateLookDirection();
    EXPECT_NEAR(scene.lookDirX, 0.34185, 1e-5);
    EXPECT_NEAR(scene.lookDirZ, -0.93975, 1e-5);
}

TEST_F(WalkTest, TurningPrintsNothingEvenInsideAnObstacle) {
    scene.eyeX = 0;
    scene.eyeZ = 0;
    increaseHeading();
    decreaseHeading();
    EXPECT_TRUE(console.text().empty());
}

TEST_F(WalkTest, StrafingGoesAlongTheViewersRightHand) {
    strafeRight();
    EXPECT_DOUBLE_EQ(scene.eyeX, 0.5);
    EXPECT_DOUBLE_EQ(scene.eyeZ, 9.0);
    strafeLeft();
    strafeLeft();
    EXPECT_DOUBLE_EQ(scene.eyeX, -0.5);
    // Turned by 90: forward is +x, the right hand +z.
    scene.headingAngle = 90;
    updateLookDirection();
    scene.eyeX = 0;
    scene.eyeZ = 5;
    strafeRight();
    EXPECT_NEAR(scene.eyeZ, 5.5, 1e-3);
    moveBackward();
    EXPECT_NEAR(scene.eyeX, -0.5, 1e-3);
}

TEST_F(WalkTest, SidewaysStepIsHalfAUnitLong) {
    scene.headingAngle = 40;
    updateLookDirection();
    scene.eyeX = 0;
    scene.eyeZ = 5;
    strafeLeft();
    EXPECT_NEAR(std::hypot(scene.eyeX, scene.eyeZ - 5), 0.5, 1e-12);
}

}  // namespace
