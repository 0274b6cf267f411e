// camera_motion_gltest.cpp -- --motion orbit as the program runs it: the real idle and counted-run
// display callbacks, with GLUT's event pump between them as its main loop has it, for two turns.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "app/commands/camera_motion.h"
#include "app/commands/frame.h"
#include "app/draw/frame_draw.h"
#include "app/shell/glut_window_calls.h"
#include "app/shell/run_modes.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "room/room_gl.h"
#include "view/draw/projection.h"

namespace {

std::vector<int> anglesDrawn;
void noteDrawnAngle() {
    anglesDrawn.push_back(scene.orbitAngle);
}
void noDisplay() {}

class OrbitMotionTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        roomtest::ensureRoomReady();
        roomtest::emptyAquarium();
        anglesDrawn.clear();
        // GLUT's own window calls, so that the idle callback's redisplay request reaches GLUT.
        installGlutWindowCalls();
    }
    void TearDown() override {
        glutDisplayFunc(noDisplay);
        beforeSwapHook = nullptr;
        installWindowCalls(WindowCalls{});
        installProjection(applyProjection);
        startCameraMotion(CameraMotion::Still);
    }
};

TEST_F(OrbitMotionTest, TurnsADegreeEveryDrawnFrameWithIdleCallsBetween) {
    startCameraMotion(CameraMotion::Orbit);
    ASSERT_EQ(scene.viewMode, Perspective);
    startCountedRun(1000000, "");  // far more frames than are pumped, so the run never exits
    glutDisplayFunc(countedDisplay);
    beforeSwapHook = noteDrawnAngle;

    // glutMainLoop in small: it calls the idle callback between passes of GLUT's events, and a pass
    // draws the frame the idle call asked for. Here an idle call comes first, before any frame. GLUT
    // draws nothing into a window that another one covers whole, as a window of another test process
    // on the same display may for a while; the loop waits that out (a fault that draws no frames at
    // all ends it after two minutes).
    constexpr size_t framesWanted = 730;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (anglesDrawn.size() < framesWanted && std::chrono::steady_clock::now() < giveUp) {
        size_t drawnBefore = anglesDrawn.size();
        onIdle();
        glutMainLoopEvent();
        if (anglesDrawn.size() == drawnBefore) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(anglesDrawn.size(), framesWanted) << "frames drawn";
    for (size_t i = 0; i < anglesDrawn.size(); ++i) {
        ASSERT_TRUE(anglesDrawn[i] >= 1 && anglesDrawn[i] <= 360) << "frame " << i << ": " << anglesDrawn[i];
        if (i > 0) {
            ASSERT_EQ(anglesDrawn[i], anglesDrawn[i - 1] % 360 + 1) << "frame " << i;
        }
    }
}

}  // namespace
