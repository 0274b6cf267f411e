// aquarium_gltest.cpp -- the aquarium against real GL: triangles sent per grid, and fish and worms showing where their
// positions project.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/draw/globals.h"
#include "aquarium/draw/mesh_drawing.h"
#include "aquarium_test_support.h"
#include "core/scene_state.h"
#include "support/gl_window.h"

using namespace aquarium_test;

namespace {

class AquariumGlTest : public testing::Test {
protected:
    void SetUp() override {
        int window = scene.mainWindow;  // the reset of the scene forgets the open window
        resetProcessState();
        scene.mainWindow = window;
        ensureGlWindow();
        glViewport(0, 0, 1200, 600);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glShadeModel(GL_FLAT);
        glClearColor(0.5f, 0.5f, 0.5f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override {
        int window = scene.mainWindow;
        resetProcessState();
        scene.mainWindow = window;
    }

    // A known camera: eight units across, four high, looking down -z.
    static void orthoCamera() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-4, 4, -2, 2, -50, 50);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // Counts the polygons GL receives while the grid draws, in feedback mode.
    static int trianglesOf(HeightGrid& grid) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-10, 140, -50, 50, -200, 200);  // holds the whole grid, rim included
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        std::vector<GLfloat> buffer(200000);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        drawGrid(grid);
        GLint used = glRenderMode(GL_RENDER);
        EXPECT_GT(used, 0) << "feedback buffer overflowed";
        int polygons = 0;
        for (GLint k = 0; k < used;) {
            auto token = static_cast<GLint>(buffer[k]);
            if (token == GL_POLYGON_TOKEN) {
                auto vertices = static_cast<GLint>(buffer[k + 1]);
                EXPECT_EQ(vertices, 3);
                ++polygons;
                k += 2 + 3 * vertices;
            } else {
                ADD_FAILURE() << "unexpected feedback token " << token;
                break;
            }
        }
        return polygons;
    }

    static bool colourNear(Rgb c, int r, int g, int b) {
        return std::abs(c.r - r) <= 2 && std::abs(c.g - g) <= 2 && std::abs(c.b - b) <= 2;
    }
};

TEST_F(AquariumGlTest, EachGridSendsSevenThousandNineHundredAndThirtyEightTriangles) {
    waterMesh.updateHeights(3.0f);
    EXPECT_EQ(trianglesOf(waterMesh), 7938);
    EXPECT_EQ(trianglesOf(sandMesh), 7938);
    // The grid always draws textured but leaves texturing off, in white at 0.6 alpha.
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[3], 0.6f);
}

TEST_F(AquariumGlTest, AFishAndAWormShowWhereTheirPositionsProject) {
    fixClock(777);
    int hop = drawAt(777) % 3;
    bowlFeeder.clearWorms();
    worms[22].alive = 1.0f;                                  // ordinary brown worm at (0.5, -0.5, 0.5)
    worms[45] = Worm{1.0f, 2.5f, 0.0f, worms[45].position};  // a red one at (-1.5, 0.5, -1.5)
    for (int i = 1; i < fishSlots; ++i) fishes[i].alive = 0.0f;
    // Fish 0 (green, with the disc body) cruising along +x, far from its target.
    fishes[0].position = {-1.0f, -0.6f, 0.0f};
    fishes[0].velocity = {0.1f, 0, 0};
    fishes[0].target = {40, -0.6f, 0};

    orthoCamera();
    wormDrawer.drawWorms(bowlFeeder);
    // The school's frame: three units per position unit under the composition's 0.3.
    glPushMatrix();
    glScalef(0.3f, 0.3f, 0.3f);
    fishSchool.drawSchool(1, bowlFeeder);
    glPopMatrix();

    // Worms: a little behind the head, clear of the eyes, and hopped by 0.05 per draw unit.
    float j = 0.05f * static_cast<float>(hop);
    const Vec3f& w = worms[22].position;
    auto brown = projectPoint(w.x + j - 0.025, w.y + j, w.z + j);
    EXPECT_TRUE(colourNear(readPixel(static_cast<int>(brown[0]), static_cast<int>(brown[1])), 204, 138, 25));
    const Vec3f& red = worms[45].position;
    auto redAt = projectPoint(red.x + j - 0.06, red.y + j, red.z + j);
    EXPECT_TRUE(colourNear(readPixel(static_cast<int>(redAt[0]), static_cast<int>(redAt[1])), 255, 0, 0));

    // The fish is drawn at 0.9 of its position before this frame's move; its centre is the disc.
    auto fish = projectPoint(0.9 * -1.0, 0.9 * -0.6, 0.0);
    EXPECT_TRUE(colourNear(readPixel(static_cast<int>(fish[0]), static_cast<int>(fish[1])), 0, 255, 0));
    // The head faces +x: the black eye sits 1.4 school units (size 0.7 x 2) ahead of the centre,
    // just beyond the disc's rim; look at its outer half.
    auto eye = projectPoint(0.9 * -1.0 + 0.3 * 1.48, 0.9 * -0.6 + 0.3 * 0.14, 0.0);
    EXPECT_TRUE(colourNear(readPixel(static_cast<int>(eye[0]), static_cast<int>(eye[1])), 0, 0, 0));
    EXPECT_FLOAT_EQ(fishes[0].position.x, -0.9f) << "stepped once while drawn";

    // Empty places stay background.
    auto empty = projectPoint(worms[0].position.x, worms[0].position.y, worms[0].position.z);
    EXPECT_TRUE(colourNear(readPixel(static_cast<int>(empty[0]), static_cast<int>(empty[1])), 128, 128, 128));
}

TEST_F(AquariumGlTest, AReplacementAtAHigherSlotStepsAndShowsInTheSameFrame) {
    fixClock(777);
    for (int i = 0; i < fishSlots; ++i) fishes[i].alive = 0.0f;
    fishes[2].alive = 1.0f;
    fishes[2].size = 0.9f;
    fishes[2].position = fishes[2].target = {0, 5, 0};
    fishes[3].alive = 1.0f;
    fishes[8].alive = 0.5f;  // not exactly 1.0: absent, neither drawn nor stepped
    const Vec3f before4 = fishes[4].position;
    const Vec3f before8 = fishes[8].position;

    orthoCamera();
    fishSchool.drawSchool(-1, bowlFeeder);

    EXPECT_EQ(fishes[2].alive, 0.0f);
    EXPECT_EQ(fishes[8].position.x, before8.x);
    EXPECT_EQ(fishes[4].alive, 1.0f);
    EXPECT_NE(fishes[4].position.x, before4.x) << "the newcomer took its step this frame";
    EXPECT_EQ(playedCues().front(), (PlayedCue{"musics/goodbye.wav", SoundMode::Blocking}));
    EXPECT_EQ(fishSchool.flap, -1);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1) << "every push is popped";
}

}  // namespace
