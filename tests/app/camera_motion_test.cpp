// The benchmark's camera motions: the orbit turns a degree a frame and wraps, and the walk keeps to
// free space, so a walking benchmark never measures refused moves.
#include "app/camera_motion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/scene_state.h"
#include "support/capture.h"

namespace {

TEST(CameraMotionTest, TheOrbitTurnsADegreeAFrameInThePerspectiveView) {
    resetProcessState();
    scene.orbitAngle = 358;
    startCameraMotion(CameraMotion::Orbit);
    EXPECT_EQ(scene.viewMode, Perspective);
    EXPECT_EQ(scene.orbitRate, 0.0) << "the idle callback must not turn it as well";
    for (int expected : {359, 0, 1}) {
        stepCameraMotion();
        EXPECT_EQ(scene.orbitAngle, expected);
    }
}

TEST(CameraMotionTest, TheWalkCirclesThroughFreeSpace) {
    resetProcessState();
    startCameraMotion(CameraMotion::Walk);
    EXPECT_EQ(scene.viewMode, Combined);
    ConsoleCapture console;
    double minZ = scene.eyeZ, maxZ = scene.eyeZ, maxX = scene.eyeX;
    for (int frame = 0; frame < 40; ++frame) {
        stepCameraMotion();
        minZ = std::min(minZ, scene.eyeZ), maxZ = std::max(maxZ, scene.eyeZ), maxX = std::max(maxX, scene.eyeX);
    }
    EXPECT_EQ(console.text().find("You are hitting"), std::string::npos) << console.text();
    EXPECT_GT(maxX, 2.0) << "the eye moves round a circle, not on the spot";
    EXPECT_GT(maxZ - minZ, 2.0);
    startCameraMotion(CameraMotion::Still);
}

}  // namespace
