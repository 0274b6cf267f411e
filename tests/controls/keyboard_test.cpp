// keyboard_test.cpp -- character keys through onKeyboard: the light and orbit switches, the eye keys and the echo.
#include "controls/keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/scene_state.h"
#include "support/capture.h"

namespace {

using Lines = std::vector<std::string>;

class KeyboardTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
    void press(unsigned char key) { onKeyboard(key, 17, 23); }
    ConsoleCapture console;
};

TEST_F(KeyboardTest, LightKeysFlipTheirOwnSwitchInBothCases) {
    struct Case {
        unsigned char a, b;
        uint8_t SceneState::*flag;
    };
    const Case cases[] = {
        {'p', 'P', &SceneState::lightingOn},   {'o', 'O', &SceneState::ceilingLightOff},
        {'[', '{', &SceneState::leftLampOff},  {']', '}', &SceneState::rightLampOff},
        {'+', '=', &SceneState::frontLampOff},
    };
    for (const Case& c : cases) {
        resetProcessState();
        const SceneState before = scene;
        press(c.a);
        EXPECT_EQ(scene.*c.flag, before.*c.flag == 1 ? 0 : 1) << c.a;
        for (const Case& other : cases) {
            if (other.flag != c.flag) {
                EXPECT_EQ(scene.*other.flag, before.*other.flag) << c.a << " touched another light";
            }
        }
        press(c.b);
        EXPECT_EQ(scene.*c.flag, before.*c.flag) << c.b;
    }
    EXPECT_TRUE(console.text().empty());
}

TEST_F(KeyboardTest, OrbitRateKeys) {
    press('r');
    press('r');
    EXPECT_EQ(scene.orbitRate, 1.0);
    press('l');
    EXPECT_EQ(scene.orbitRate, -0.5);
    press('L');
    press('l');
    EXPECT_EQ(scene.orbitRate, -1.5);
    press('R');
    EXPECT_EQ(scene.orbitRate, 0.5);
    press('s');
    EXPECT_EQ(scene.orbitRate, 0.0);
    press('r');
    press('S');
    EXPECT_EQ(scene.orbitRate, 0.0);
    EXPECT_TRUE(console.text().empty());
}

TEST_F(KeyboardTest, HeadingKeysFollowTheirSequences) {
    std::vector<double> up;
    for (int i = 0; i < 20; ++i) {
        press(i % 2 ? 'F' : 'f');
        up.push_back(scene.headingAngle);
    }
    EXPECT_EQ(up[0], 20);
    EXPECT_EQ(up[17], 360);
    EXPECT_EQ(up[18], 380);
    EXPECT_EQ(up[19], 20);
    EXPECT_NEAR(scene.lookDirX, 0.34185, 1e-5);

    resetProcessState();
    press('g');
    EXPECT_EQ(scene.headingAngle, 340);
    press('G');
    EXPECT_EQ(scene.headingAngle, 320);
    EXPECT_TRUE(console.text().empty());
}

TEST_F(KeyboardTest, EyeKeysWorkInEveryViewAndPrintTheirLines) {
    for (int mode : {Orthogonal, Perspective, Combined}) {
        resetProcessState();
        scene.viewMode = mode;
        console.clear();
        press('t');
        press('V');
        press('T');
        EXPECT_EQ(console.lines(), (Lines{"**********collision ckeck.**********", "eyeX=0eyeY=0.68eyeZ=9",
                                          "**********collision ckeck.**********", "eyeX=0eyeY=0.63eyeZ=9",
                                          "**********collision ckeck.**********", "eyeX=0eyeY=0.68eyeZ=9"}))
            << "view mode " << mode;
    }
}

TEST_F(KeyboardTest, RaisingRefusedAtTheCeilingAndLoweringAtTheFloor) {
    for (int i = 0; i < 95; ++i) press('t');
    console.clear();
    press('t');
    EXPECT_EQ(console.lines(),
              (Lines{"**********collision ckeck.**********", "You are hitting ceiling.", "eyeX=0eyeY=5.38eyeZ=9"}));
    resetProcessState();
    for (int i = 0; i < 50; ++i) press('v');
    console.clear();
    press('v');
    EXPECT_EQ(console.lines(),
              (Lines{"**********collision ckeck.**********", "You are hitting floor.", "eyeX=0eyeY=-1.87eyeZ=9"}));
}

TEST_F(KeyboardTest, UnlistedBytesAreEchoedAsTheyStand) {
    const SceneState before = scene;
    const unsigned char keys[] = {'-', 'a', 'z', '1', ' ', '\r', '\b', 0, 126, 127, 200, 255};
    std::string expected;
    for (unsigned char key : keys) {
        press(key);
        expected.push_back(static_cast<char>(key));
        expected.push_back('\n');
    }
    EXPECT_EQ(console.text(), expected);
    EXPECT_EQ(scene.orbitRate, before.orbitRate);
    EXPECT_EQ(scene.frontLampOff, before.frontLampOff);
    EXPECT_EQ(scene.eyeY, before.eyeY);
}

TEST_F(KeyboardTest, MinusIsOnlyEchoedAndPlusSwitchesTheGreenLamp) {
    press('-');
    EXPECT_EQ(console.lines(), Lines{"-"});
    EXPECT_EQ(scene.frontLampOff, 1);
    EXPECT_EQ(scene.furnitureCount, 7);
    press('+');
    EXPECT_EQ(scene.frontLampOff, 0);
    EXPECT_EQ(scene.furnitureCount, 7);
}

}  // namespace
