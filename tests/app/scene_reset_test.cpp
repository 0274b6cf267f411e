// scene_reset_test.cpp -- the reset: where its values differ from the start values, and that it
// puts back everything else but the sound switch. The one home of the reset values; the Home key
// and the menu entry are checked only for running it.
#include "app/commands/scene_reset.h"

#include <gtest/gtest.h>

#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "core/window_calls_testing.h"
#include "support/capture.h"
#include "support/process_state.h"

namespace {

class SceneResetTest : public testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
};

TEST_F(SceneResetTest, ResetDiffersFromStartOnlyInFarPlaneAndDistance) {
    SceneState start = scene;
    resetScene();
    EXPECT_DOUBLE_EQ(scene.farPlane, 33.01);
    EXPECT_DOUBLE_EQ(scene.viewDistance, -16.505);
    scene.farPlane = start.farPlane;
    scene.viewDistance = start.viewDistance;
    EXPECT_EQ(sceneDifferences(scene, start), "") << "reset wrote a value that differs from its start";
}

TEST_F(SceneResetTest, ResetPutsBackEveryChangedValueButSound) {
    scene.viewMode = Perspective;
    scene.windowWidth = 800;
    scene.windowHeight = 500;
    scene.mouseFracX = -0.1;
    scene.mouseFracY = 1.3;
    scene.orbitAngle = 123;
    scene.orbitRate = -1.5;
    scene.nearPlane = 6.0;
    scene.farPlane = 15.0;
    scene.fieldOfView = 170;
    scene.headingAngle = 380;
    scene.eyeX = -3;
    scene.eyeY = 4;
    scene.eyeZ = -5;
    scene.lookDirX = 0.3;
    scene.lookDirZ = 0.9;
    scene.polygonFill = 1;
    scene.lightingOn = 1;
    scene.texturesOn = 0;
    scene.cullingOn = 0;
    scene.depthTestOn = 1;
    scene.polishedOn = 1;
    scene.flatShading = 0;
    scene.collisionCheckOn = 0;
    scene.ceilingLightOff = 0;
    scene.leftLampOff = 0;
    scene.rightLampOff = 0;
    scene.frontLampOff = 0;
    scene.flapSign = -1;
    scene.tickCount = 77;
    scene.waveAmplitude = 3.0f;
    scene.autoFeed = 0;
    scene.soundOn = 0;
    fishes[0].alive = 0.0f;
    worms[1].alive = 0.0f;

    const long projections = projectionRequestCount();
    resetScene();
    EXPECT_EQ(projectionRequestCount(), projections + 1) << "the reset re-applies the projection once";

    SceneState expected{};
    expected.farPlane = 33.01;
    expected.viewDistance = -16.505;
    expected.lookDirZ = -1.0;
    expected.soundOn = 0;  // sound stays as the user set it
    EXPECT_EQ(sceneDifferences(scene, expected), "");
    EXPECT_EQ(fishes[0].alive, 1.0f);
    EXPECT_EQ(worms[1].alive, 1.0f);
    EXPECT_TRUE(playedCues().empty()) << "a reset neither starts nor stops a cue";
}

}  // namespace
