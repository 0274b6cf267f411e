// scene_state_test.cpp -- start values and the start-up computations of the scene state.
#include "core/scene_state.h"

#include <gtest/gtest.h>

#include "aquarium/tables.h"
#include "support/capture.h"

namespace {

class SceneStateTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
};

TEST_F(SceneStateTest, StartValuesBeforeAnyInput) {
    EXPECT_EQ(scene.viewMode, Combined);
    EXPECT_EQ(scene.lightingOn, 0);
    EXPECT_EQ(scene.ceilingLightOff, 1);
    EXPECT_EQ(scene.leftLampOff, 1);
    EXPECT_EQ(scene.rightLampOff, 1);
    EXPECT_EQ(scene.frontLampOff, 1);
    EXPECT_EQ(scene.texturesOn, 1);
    EXPECT_EQ(scene.cullingOn, 1);
    EXPECT_EQ(scene.depthTestOn, 0);
    EXPECT_DOUBLE_EQ(scene.farPlane, 33.1);
    EXPECT_DOUBLE_EQ(scene.viewDistance, -16.55);
    EXPECT_DOUBLE_EQ(scene.lookDirX, 0.0);
    EXPECT_DOUBLE_EQ(scene.lookDirZ, -1.0);
    EXPECT_EQ(scene.windowWidth, 1200);
    EXPECT_EQ(scene.windowHeight, 600);
    EXPECT_EQ(scene.soundOn, 1);
    EXPECT_EQ(scene.autoFeed, 1);
    EXPECT_FLOAT_EQ(scene.waveAmplitude, 0.5f);
}

}  // namespace
