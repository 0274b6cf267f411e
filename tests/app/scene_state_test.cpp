// Start values, the start-up computations and what a reset writes.
#include "app/scene_state.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/scene_reset.h"
#include "aquarium/tables.h"
#include "support/capture.h"

namespace {

// Every field, compared one by one (padding bytes are not part of the state).
std::string differences(const SceneState& a, const SceneState& b) {
    std::ostringstream out;
#define FIELD(name) \
    if (!(a.name == b.name)) out << #name << ": " << +a.name << " vs " << +b.name << "\n";
    FIELD(windowWidth)
    FIELD(windowHeight)
    FIELD(mouseFracX)
    FIELD(mouseFracY)
    FIELD(orbitAngle)
    FIELD(tiltAngle)
    FIELD(orbitRate)
    FIELD(viewDistance)
    FIELD(nearPlane)
    FIELD(farPlane)
    FIELD(fieldOfView)
    FIELD(orthoRotation)
    FIELD(orthoLeft)
    FIELD(orthoRight)
    FIELD(orthoBottom)
    FIELD(orthoTop)
    FIELD(headingAngle)
    FIELD(eyeX)
    FIELD(eyeY)
    FIELD(eyeZ)
    FIELD(lookDirX)
    FIELD(lookDirY)
    FIELD(lookDirZ)
    FIELD(upX)
    FIELD(upY)
    FIELD(upZ)
    FIELD(stepSize)
    FIELD(viewMode)
    FIELD(polygonFill)
    FIELD(lightingOn)
    FIELD(texturesOn)
    FIELD(cullingOn)
    FIELD(depthTestOn)
    FIELD(polishedOn)
    FIELD(flatShading)
    FIELD(collisionCheckOn)
    FIELD(ceilingLightOff)
    FIELD(leftLampOff)
    FIELD(rightLampOff)
    FIELD(frontLampOff)
    FIELD(furnitureCount)
    FIELD(tickCount)
    FIELD(flapSign)
    FIELD(waveAmplitude)
    FIELD(autoFeed)
    FIELD(soundOn)
    FIELD(mainWindow)
#undef FIELD
    return out.str();
}

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

TEST_F(SceneStateTest, ResetDiffersFromStartOnlyInFarPlaneAndDistance) {
    SceneState start = scene;
    resetScene();
    EXPECT_DOUBLE_EQ(scene.farPlane, 33.01);
    EXPECT_DOUBLE_EQ(scene.viewDistance, -16.505);
    scene.farPlane = start.farPlane;
    scene.viewDistance = start.viewDistance;
    EXPECT_EQ(differences(scene, start), "") << "reset wrote a value that differs from its start";
}

TEST_F(SceneStateTest, ResetPutsBackEveryChangedValueButSound) {
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

    resetScene();

    SceneState expected{};
    expected.farPlane = 33.01;
    expected.viewDistance = -16.505;
    expected.lookDirZ = -1.0;
    expected.soundOn = 0;  // sound stays as the user set it
    EXPECT_EQ(differences(scene, expected), "");
    EXPECT_EQ(fishes[0].alive, 1.0f);
    EXPECT_EQ(worms[1].alive, 1.0f);
    EXPECT_TRUE(playedCues().empty()) << "a reset neither starts nor stops a cue";
}

}  // namespace
