// pixel_imprint_gltest.cpp -- the imprint on its own: laid down it leaves the very pixels and GL state
// the drawing leaves, over any background; it stands aside for depth-tested drawing and feedback.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/scene_state.h"
#include "room/pixel_imprint.h"
#include "support/capture.h"
#include "support/gl_window.h"

namespace {

using Outcome = PixelImprint::Outcome;

std::vector<unsigned char> backBuffer() {
    std::vector<unsigned char> p(static_cast<size_t>(1200) * 600 * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1200, 600, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return p;
}

class PixelImprintTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        ensureGlWindow();
        glViewport(0, 0, 1200, 600);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -1, 1, -5, 5);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_CULL_FACE, GL_TEXTURE_2D, GL_BLEND}) glDisable(cap);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glColor4f(1, 1, 1, 1);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        unsigned char texels[8 * 8 * 3];
        for (int i = 0; i < 8 * 8 * 3; ++i) texels[i] = static_cast<unsigned char>(i * 37);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glBindTexture(GL_TEXTURE_2D, 0);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        glDeleteTextures(1, &texture);
        glPointSize(1);
        glLineWidth(1);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // A drawing that reads and changes state: a textured, shaded triangle, a wide point and a line,
    // leaving its own colour, binding, sizes and polygon mode behind.
    void drawing() const {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glShadeModel(GL_SMOOTH);
        glBegin(GL_TRIANGLES);
        glColor3f(1, 0.5f, 0.25f);
        glTexCoord2f(0, 0);
        glVertex2f(-1.3f, -0.7f);
        glColor3f(0.2f, 1, 0.4f);
        glTexCoord2f(1, 0);
        glVertex2f(0.9f, -0.4f);
        glColor3f(0.3f, 0.3f, 1);
        glTexCoord2f(0.5f, 1);
        glVertex2f(-0.2f, 0.8f);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glPointSize(9);
        glBegin(GL_POINTS);
        glColor3f(1, 1, 0);
        glVertex2f(1.5f, 0.5f);
        glEnd();
        glLineWidth(3);
        glBegin(GL_LINES);
        glColor3f(0, 1, 1);
        glVertex2f(1.1f, -0.9f);
        glVertex2f(1.9f, 0.9f);
        glEnd();
        glPolygonMode(GL_BACK, GL_LINE);
        glColor4f(0.7f, 0.6f, 0.5f, 0.4f);
    }

    // A background that differs from frame to frame.
    static void background(int frame) {
        glClearColor(0.1f * static_cast<float>(frame % 5), 0.3f, 0.6f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_QUADS);
        glColor3f(0.9f, 0.1f * static_cast<float>(frame % 7), 0.2f);
        glVertex2f(-2 + 0.1f * static_cast<float>(frame), -1);
        glVertex2f(0, -1);
        glVertex2f(0, 1);
        glVertex2f(-2 + 0.1f * static_cast<float>(frame), 1);
        glEnd();
        glClearColor(0, 0, 0, 0);
    }

    struct Left {
        float colour[4], lineWidth, pointSize;
        GLint binding, polygonMode[2], shadeModel;
        GLboolean texturing;
        bool operator==(const Left& o) const {
            for (int i = 0; i < 4; ++i)
                if (colour[i] != o.colour[i]) return false;
            return lineWidth == o.lineWidth && pointSize == o.pointSize && binding == o.binding &&
                   polygonMode[0] == o.polygonMode[0] && polygonMode[1] == o.polygonMode[1] &&
                   shadeModel == o.shadeModel && texturing == o.texturing;
        }
    };
    static Left left() {
        Left l{};
        glGetFloatv(GL_CURRENT_COLOR, l.colour);
        glGetFloatv(GL_LINE_WIDTH, &l.lineWidth);
        glGetFloatv(GL_POINT_SIZE, &l.pointSize);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &l.binding);
        glGetIntegerv(GL_POLYGON_MODE, l.polygonMode);
        glGetIntegerv(GL_SHADE_MODEL, &l.shadeModel);
        l.texturing = glIsEnabled(GL_TEXTURE_2D);
        return l;
    }

    // The state the drawing starts from in every frame.
    static void startState() {
        glPointSize(1);
        glLineWidth(1);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glShadeModel(GL_FLAT);
        glColor4f(1, 1, 1, 1);
        glTexCoord4f(0, 0, 0, 1);  // the drawing's last texture coordinates would change the key
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    GLuint texture = 0;
};

TEST_F(PixelImprintTest, LaysDownExactlyThePixelsAndStateTheDrawingLeavesOverAnyBackground) {
    PixelImprint imprint;
    std::vector<Outcome> outcomes;
    for (int frame = 0; frame < 6; ++frame) {
        background(frame);
        startState();
        drawing();
        const auto plainPixels = backBuffer();
        const Left plainLeft = left();

        background(frame);
        startState();
        imprint.draw({7}, [this] { drawing(); });
        outcomes.push_back(imprint.lastOutcome());
        EXPECT_TRUE(backBuffer() == plainPixels) << "frame " << frame;
        EXPECT_TRUE(left() == plainLeft) << "frame " << frame;
    }
    const std::vector<Outcome> expected = {Outcome::Drawn,    Outcome::Imprinted, Outcome::LaidDown,
                                           Outcome::LaidDown, Outcome::LaidDown,  Outcome::LaidDown};
    EXPECT_EQ(outcomes, expected);
}

TEST_F(PixelImprintTest, ADifferentIdentityOrStateIsDrawnAfresh) {
    PixelImprint imprint;
    for (int frame = 0; frame < 3; ++frame) {
        startState();
        imprint.draw({1}, [this] { drawing(); });
    }
    ASSERT_EQ(imprint.lastOutcome(), Outcome::LaidDown);
    startState();
    imprint.draw({2}, [this] { drawing(); });
    EXPECT_EQ(imprint.lastOutcome(), Outcome::Drawn) << "another identity";
    startState();
    glTranslatef(0.001f, 0, 0);
    imprint.draw({1}, [this] { drawing(); });
    EXPECT_EQ(imprint.lastOutcome(), Outcome::Drawn) << "moved";
    glLoadIdentity();
    startState();
    glColor3f(0.5f, 0.5f, 0.5f);
    imprint.draw({1}, [this] { drawing(); });
    EXPECT_EQ(imprint.lastOutcome(), Outcome::Drawn) << "another current colour";
}

TEST_F(PixelImprintTest, AStillDrawingWaitsTheFramesItIsToldTo) {
    PixelImprint imprint(4);
    std::vector<Outcome> outcomes;
    for (int frame = 0; frame < 5; ++frame) {
        startState();
        imprint.draw({}, [this] { drawing(); });
        outcomes.push_back(imprint.lastOutcome());
    }
    const std::vector<Outcome> expected = {Outcome::Drawn, Outcome::Drawn, Outcome::Drawn, Outcome::Imprinted,
                                           Outcome::LaidDown};
    EXPECT_EQ(outcomes, expected);
}

TEST_F(PixelImprintTest, DepthTestedBlendedOrFedBackDrawingIsAlwaysDrawn) {
    PixelImprint imprint;
    int runs = 0;
    auto counted = [&] {
        ++runs;
        drawing();
    };
    glEnable(GL_DEPTH_TEST);
    for (int frame = 0; frame < 3; ++frame) imprint.draw({}, counted);
    glDisable(GL_DEPTH_TEST);
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(imprint.lastOutcome(), Outcome::Drawn);

    glEnable(GL_BLEND);
    for (int frame = 0; frame < 3; ++frame) imprint.draw({}, counted);
    glDisable(GL_BLEND);
    EXPECT_EQ(runs, 6);

    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    for (int frame = 0; frame < 3; ++frame) imprint.draw({}, counted);
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_EQ(runs, 9);
    EXPECT_GT(used, 0) << "feedback saw the primitives";
}

}  // namespace
