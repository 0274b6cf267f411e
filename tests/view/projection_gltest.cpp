// The projection and view transforms of each mode, read back from GL.
#include <gtest/gtest.h>

#include <cmath>

#include "app/scene_state.h"
#include "support/capture.h"
#include "support/gl_window.h"
#include "view/projection.h"

namespace {

class ProjectionTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        ensureGlWindow();
    }
};

TEST_F(ProjectionTest, ResetSetsA1200By600Viewport) {
    applyProjection(800, 500);
    resetScene();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1200);
    EXPECT_EQ(viewport[3], 600);
}

}  // namespace
