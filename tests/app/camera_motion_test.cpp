// camera_motion_test.cpp -- the benchmark's camera motions, made of the ordinary moves.
// The benchmark's walk keeps to free space, so a walking benchmark never measures refused moves. The
// orbit is tested through the frame loop, with its idle calls, in camera_motion_gltest.cpp.
#include "app/commands/camera_motion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/scene_state.h"
#include "support/capture.h"

namespace {

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
