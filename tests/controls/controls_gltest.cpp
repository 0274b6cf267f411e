// controls_gltest.cpp -- commands that re-apply the projection, and the GLUT menus built from the
// table, read back from GL.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/commands/menu.h"
#include "app/shell/menu_glut.h"
#include "controls/keyboard.h"
#include "controls/special_keys.h"
#include "core/scene_state.h"
#include "support/capture.h"
#include "support/gl_window.h"
#include "view/draw/projection.h"

namespace {

class ControlsGlTest : public testing::Test {
protected:
    void SetUp() override {
        // The process reset forgets the window's identifier; keep it so the window can be selected again.
        const int window = scene.mainWindow;
        resetProcessState();
        scene.mainWindow = window;
        ensureGlWindow();
        applyProjection(1200, 600);
    }
    static void viewport(GLint out[4]) { glGetIntegerv(GL_VIEWPORT, out); }
    // The vertical field of view that the current perspective matrix holds, in degrees.
    static double projectedFieldOfView() {
        const auto m = currentMatrix(GL_PROJECTION_MATRIX);
        return 2.0 * std::atan(1.0 / m[5]) * 180.0 / std::numbers::pi;
    }
    ConsoleCapture console;
};

TEST_F(ControlsGlTest, HomeGivesA1200By600Viewport) {
    applyProjection(800, 500);
    onSpecialKey(KeyHome, 0, 0);
    GLint v[4];
    viewport(v);
    EXPECT_EQ(v[2], 1200);
    EXPECT_EQ(v[3], 600);
    EXPECT_EQ(scene.windowWidth, 1200);
    EXPECT_EQ(scene.windowHeight, 600);
}

TEST_F(ControlsGlTest, LightKeysReapplyTheProjection) {
    for (unsigned char key : {'p', 'o', '[', ']', '+'}) {
        glViewport(0, 0, 10, 10);
        onKeyboard(key, 0, 0);
        GLint v[4];
        viewport(v);
        EXPECT_EQ(v[2], 1200) << key;
        EXPECT_EQ(v[3], 600) << key;
    }
}

TEST_F(ControlsGlTest, OrbitAndEyeKeysLeaveTheProjectionAlone) {
    for (unsigned char key : {'l', 'r', 's', 't', 'v', 'f', 'g', 'x'}) {
        glViewport(0, 0, 10, 10);
        onKeyboard(key, 0, 0);
        GLint v[4];
        viewport(v);
        EXPECT_EQ(v[2], 10) << key;
    }
}

TEST_F(ControlsGlTest, ZoomShowsInThePerspectiveMatrixAndIsReappliedAtItsLimit) {
    for (int i = 0; i < 10; ++i) onSpecialKey(KeyF2, 0, 0);
    EXPECT_NEAR(projectedFieldOfView(), 10.0, 1e-4);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    onSpecialKey(KeyF2, 0, 0);  // already at 10: unchanged, but projected again
    EXPECT_NEAR(projectedFieldOfView(), 10.0, 1e-4);
    onSpecialKey(KeyF3, 0, 0);
    EXPECT_NEAR(projectedFieldOfView(), 15.0, 1e-4);
}

TEST_F(ControlsGlTest, ViewCycleSwitchesBetweenPerspectiveAndOrthogonalMatrices) {
    onSpecialKey(KeyF11, 0, 0);  // perspective
    EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX)[11], -1.0);
    onSpecialKey(KeyF11, 0, 0);  // orthogonal
    const auto ortho = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_EQ(ortho[11], 0.0);
    EXPECT_NEAR(ortho[0], 2.0 / 30.0, 1e-6);
    onViewMenu(2);  // combined, from the menu
    EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX)[11], -1.0);
}

TEST_F(ControlsGlTest, ViewVolumeFromTheMenuReachesTheProjection) {
    scene.viewMode = Orthogonal;
    onMainMenu(3);  // near 6, far 15
    const auto m = currentMatrix(GL_PROJECTION_MATRIX);
    // glOrtho maps z = -near to -1 and z = -far to +1: m[10] = -2 / (far - near).
    EXPECT_NEAR(m[10], -2.0 / 9.0, 1e-6);
}

TEST_F(ControlsGlTest, MenusAreBuiltWithTheirItemCounts) {
    buildMenus();
    const int mainMenu = glutGetMenu();
    ASSERT_GT(mainMenu, 0);
    EXPECT_EQ(glutGet(GLUT_MENU_NUM_ITEMS), 10);
    // GLUT numbers menus in the order they are created: lamp, view, rendering, aquarium, main.
    const int expected[] = {4, 3, 4, 4};
    for (int m = 0; m < 4; ++m) {
        glutSetMenu(mainMenu - 4 + m);
        EXPECT_EQ(glutGet(GLUT_MENU_NUM_ITEMS), expected[m]) << "menu " << m;
    }
}

}  // namespace
