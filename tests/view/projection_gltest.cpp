// projection_gltest.cpp -- the viewport, projection and view transforms of each mode, read back from GL.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/mat4x4.hpp>
#include <numbers>
#include <string>
#include <utility>

#include "app/commands/frame.h"
#include "app/commands/scene_reset.h"
#include "core/scene_state.h"
#include "support/capture.h"
#include "support/gl_window.h"
#include "view/draw/projection.h"
#include "view/mouse_steering.h"

namespace {

using Matrix = std::array<double, 16>;  // column-major, as GL keeps it

glm::dmat4 translation(double x, double y, double z) {
    return glm::translate(glm::dmat4(1), glm::dvec3(x, y, z));
}

glm::dmat4 rotation(double degrees, double x, double y, double z) {
    return glm::rotate(glm::dmat4(1), glm::radians(degrees), glm::dvec3(x, y, z));
}

void expectMatrixNear(const Matrix& actual, const glm::dmat4& expected, double tolerance = 1e-5) {
    const double* values = glm::value_ptr(expected);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], values[i], tolerance) << "element " << i;
}

class ProjectionTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        ensureGlWindow();
    }

    Matrix modelViewAfterViewTransform() {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        applyViewTransform();
        return currentMatrix(GL_MODELVIEW_MATRIX);
    }
};

TEST_F(ProjectionTest, CombinedViewUsesAPerspectiveOfTheWindowShape) {
    applyProjection(1200, 600);
    Matrix p = currentMatrix(GL_PROJECTION_MATRIX);
    double f = 1.0 / std::tan(30.0 * std::numbers::pi / 180.0);
    EXPECT_NEAR(p[0], f / 2.0, 1e-5);
    EXPECT_NEAR(p[5], f, 1e-5);
    EXPECT_NEAR(p[10], -1.0, 1e-6);  // near plane 0 goes to GLU as it stands
    EXPECT_NEAR(p[11], -1.0, 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION) << "the projection stays the current matrix";
}

TEST_F(ProjectionTest, OrthogonalBoxIsThirtyUnitsWhateverTheWindow) {
    scene.viewMode = Orthogonal;
    applyProjection(1200, 600);
    Matrix p = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], 2.0 / 30.0, 1e-6);
    EXPECT_NEAR(p[5], 2.0 / 30.0, 1e-6);
    EXPECT_NEAR(p[10], -2.0 / 33.1, 1e-6);
    EXPECT_NEAR(p[14], -1.0, 1e-6);
    EXPECT_NEAR(p[15], 1.0, 1e-6);
}

TEST_F(ProjectionTest, FieldOfViewAndClipPlanesReachThePerspective) {
    scene.fieldOfView = 90;
    scene.nearPlane = 6.0;
    scene.farPlane = 15.0;
    applyProjection(800, 800);
    Matrix p = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], 1.0, 1e-6);
    EXPECT_NEAR(p[5], 1.0, 1e-6);
    EXPECT_NEAR(p[10], (15.0 + 6.0) / (6.0 - 15.0), 1e-6);
    EXPECT_NEAR(p[14], 2 * 15.0 * 6.0 / (6.0 - 15.0), 1e-5);
}

TEST_F(ProjectionTest, EmptyWindowKeepsEveryMatrixFinite) {
    applyProjection(1200, 600);
    Matrix before = currentMatrix(GL_PROJECTION_MATRIX);
    for (auto [w, h] : {std::pair{1200, 0}, std::pair{0, 600}, std::pair{0, 0}}) {
        applyProjection(w, h);
        Matrix p = currentMatrix(GL_PROJECTION_MATRIX);
        for (double v : p) EXPECT_TRUE(std::isfinite(v)) << w << " by " << h;
        expectMatrixNear(p, glm::make_mat4(before.data()));
    }
    scene.viewMode = Perspective;
    onMouseMotion(300, 200);
    EXPECT_TRUE(std::isfinite(scene.mouseFracX));
    EXPECT_TRUE(std::isfinite(scene.mouseFracY));
    for (double v : modelViewAfterViewTransform()) EXPECT_TRUE(std::isfinite(v));
}

TEST_F(ProjectionTest, ResetSetsA1200By600ViewportWhateverTheWindow) {
    applyProjection(800, 500);
    resetScene();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1200);
    EXPECT_EQ(viewport[3], 600);
}

TEST_F(ProjectionTest, OrbitViewTranslatesThenTurnsThenTilts) {
    scene.viewMode = Perspective;
    scene.orbitAngle = 30;
    scene.mouseFracX = 0.75;  // tilt 45
    scene.mouseFracY = 0.25;
    Matrix m = modelViewAfterViewTransform();
    double distance = -(33.1 * 0.25);
    glm::dmat4 expected = translation(0, -1.25, distance) * rotation(30, 0, 1, 0) * rotation(45, 1, 0, 0);
    expectMatrixNear(m, expected);
    EXPECT_DOUBLE_EQ(scene.tiltAngle, 45.0);
    EXPECT_DOUBLE_EQ(scene.viewDistance, distance);
}

TEST_F(ProjectionTest, PerspectiveTitleFollowsTheMouseThroughTheOrbitView) {
    // The title shows what the last perspective frame derived from the mouse.
    scene.viewMode = Perspective;
    scene.mouseFracX = 0.75;
    scene.mouseFracY = 0.2;
    applyOrbitView();
    onIdle();
    EXPECT_EQ(std::string(titleBuffer), "Glintmere: Mouse at (0.750, 0.200).  Alpha=360.  Beta= 45.  Distance=-6.62.");
}

TEST_F(ProjectionTest, DragBeyondTheWindowIsNotClamped) {
    scene.viewMode = Perspective;
    onMouseMotion(-120, 700);
    EXPECT_DOUBLE_EQ(scene.mouseFracX, -0.1);
    EXPECT_LT(scene.mouseFracY, 0.0);
    modelViewAfterViewTransform();
    EXPECT_NEAR(scene.tiltAngle, -108.0, 1e-9);
    EXPECT_GT(scene.viewDistance, 0.0) << "the scene moves behind the camera";
}

TEST_F(ProjectionTest, DragOutsidePerspectiveKeepsTheFractions) {
    scene.viewMode = Combined;
    onMouseMotion(10, 10);
    scene.viewMode = Orthogonal;
    onMouseMotion(20, 20);
    EXPECT_DOUBLE_EQ(scene.mouseFracX, 0.5);
    EXPECT_DOUBLE_EQ(scene.mouseFracY, 0.5);
}

TEST_F(ProjectionTest, LookAtViewStandsAtTheEye) {
    Matrix start = modelViewAfterViewTransform();
    expectMatrixNear(start, translation(0, -0.63, -9.0));
    scene.viewMode = Orthogonal;  // the orthogonal view looks from the same eye
    expectMatrixNear(modelViewAfterViewTransform(), glm::make_mat4(start.data()));
}

TEST_F(ProjectionTest, SwitchingModesKeepsCameraValues) {
    scene.eyeX = 2;
    scene.orbitAngle = 77;
    scene.mouseFracX = 0.1;
    for (int mode : {Perspective, Orthogonal, Combined}) {
        scene.viewMode = mode;
        applyProjection(scene.windowWidth, scene.windowHeight);
    }
    EXPECT_EQ(scene.eyeX, 2);
    EXPECT_EQ(scene.orbitAngle, 77);
    EXPECT_EQ(scene.mouseFracX, 0.1);
}

}  // namespace
