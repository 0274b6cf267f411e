// scene_gltest.cpp -- whole frames of the room, read back at pixels projected from the scene's own coordinates.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "room/bitmap.h"
#include "room/room_gl.h"

namespace {

using roomtest::colourNear;
using roomtest::renderSettledFrame;
using roomtest::rgbOf;
using roomtest::roomPixel;

const Rgb black{0, 0, 0};
const Rgb white{255, 255, 255};
const Rgb frontWallColour = rgbOf(0.8f, 0.8f, 0.75f);
const Rgb floorColour = rgbOf(0.85f, 0.85f, 0.8f);

// Points in room coordinates.
constexpr double wallpaperSpot[3] = {-5, 3, -10};  // front wall, clear of the picture and the table
constexpr double pictureCentre[3] = {0, 1.25, -10};
constexpr double bulbCentre[3] = {0, 4, 0};
constexpr double legFront[3] = {1.375, -2.0, 0.8};  // front face of the front right leg

Rgb at(const double (&p)[3]) {
    return roomPixel(p[0], p[1], p[2]);
}

class SceneFrameTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        roomtest::ensureRoomReady();
        roomtest::emptyAquarium();
        applyProjection(1200, 600);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // A camera placed freely: eye, look direction and up.
    void lookFrom(double x, double y, double z, double dx, double dy, double dz, double ux = 0, double uy = 1,
                  double uz = 0) {
        scene.eyeX = x, scene.eyeY = y, scene.eyeZ = z;
        scene.lookDirX = dx, scene.lookDirY = dy, scene.lookDirZ = dz;
        scene.upX = ux, scene.upY = uy, scene.upZ = uz;
    }

    // A near plane in front of the eye, so depth values mean something.
    void useDepthRange() {
        scene.nearPlane = 0.05;
        scene.farPlane = 40;
        applyProjection(1200, 600);
    }
};

// ---- textures

TEST_F(SceneFrameTest, WithoutTexturesTheFrontWallShowsItsFaceColour) {
    scene.texturesOn = 0;
    renderSettledFrame();
    EXPECT_PRED3(colourNear, at(wallpaperSpot), frontWallColour, 1) << at(wallpaperSpot);
    EXPECT_PRED3(colourNear, at(pictureCentre), frontWallColour, 1) << "no picture without textures";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(SceneFrameTest, WithTexturesTheWallpaperAndThePictureShow) {
    renderSettledFrame();
    Rgb paper = at(wallpaperSpot), picture = at(pictureCentre);
    EXPECT_FALSE(colourNear(paper, frontWallColour, 10)) << paper;
    EXPECT_FALSE(colourNear(picture, paper, 10)) << picture << " against " << paper;

    // The picture's middle is the middle of picture1, tinted white: its own texel colours.
    BitmapImage image;
    ASSERT_EQ(loadBitmap("texture/picture1.bmp", &image), 1);
    size_t middle = (size_t{image.sizeY / 2} * image.sizeX + image.sizeX / 2) * 3;
    Rgb texel{image.data[middle], image.data[middle + 1], image.data[middle + 2]};
    freeBitmapPixels(&image);
    EXPECT_PRED3(colourNear, picture, texel, 40) << picture << " against texel " << texel;

    // Texturing is left on with the last pebble's picture bound.
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), picture2Texture);
}

// ---- the lamp

TEST_F(SceneFrameTest, BulbIsWhiteWithLightingOff) {
    renderSettledFrame();
    EXPECT_EQ(at(bulbCentre).r, 255);
    EXPECT_PRED3(colourNear, at(bulbCentre), white, 0) << at(bulbCentre);
}

TEST_F(SceneFrameTest, BulbGlowsUnlitWhileTheCeilingLightBurnsAndIsShadedWhenItIsOff) {
    scene.lightingOn = 1;
    scene.ceilingLightOff = 0;
    renderSettledFrame();
    EXPECT_PRED3(colourNear, at(bulbCentre), white, 0) << at(bulbCentre);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "the lamp gives the lighting enable back";

    scene.ceilingLightOff = 1;
    scene.polishedOn = 1;  // and the polished material raises no GL error (checked on tear-down)
    renderSettledFrame();
    Rgb shaded = at(bulbCentre);
    EXPECT_LT(shaded.r, 128) << shaded << ": lit only by the dim ambient";
    EXPECT_EQ(shaded.r, shaded.g);
}

TEST_F(SceneFrameTest, LampFittingIsBrassWithoutTextures) {
    scene.texturesOn = 0;
    renderSettledFrame();
    Rgb rod = roomPixel(0, 4.6, 0);
    EXPECT_PRED3(colourNear, rod, rgbOf(0.66f, 0.57f, 0.06f), 1) << rod;
}

// ---- table

TEST_F(SceneFrameTest, TableReadsBlue) {
    for (uint8_t textures : {0, 1}) {
        scene.texturesOn = textures;
        renderSettledFrame();
        EXPECT_PRED3(colourNear, at(legFront), rgbOf(0, 0, 1), 0) << at(legFront) << " textures " << int(textures);
    }
}

TEST_F(SceneFrameTest, TableGoesWithNoFurniture) {
    scene.furnitureCount = 0;
    scene.texturesOn = 0;
    renderSettledFrame();
    EXPECT_PRED3(colourNear, at(legFront), floorColour, 1) << at(legFront);
}

// ---- what stays in force after a frame

TEST_F(SceneFrameTest, PebblesWearThePlantsLastGreen) {
    scene.texturesOn = 0;
    renderSettledFrame();
    // The third pebble: (-0.2, 1.25, -0.4) in the aquarium frame, inside the tank.
    Rgb pebble = roomPixel(-0.5, -0.925, -0.7);
    EXPECT_PRED3(colourNear, pebble, rgbOf(0.0857f, 1.0f, 0.0571f), 1) << pebble;
}

TEST_F(SceneFrameTest, TankMaterialAndShiftOutlastTheFrame) {
    renderSettledFrame();
    GLfloat specular[4] = {}, shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(specular[0], 0.8f);
    EXPECT_FLOAT_EQ(shininess, 100.0f);

    // The model-view matrix is the view moved down by 2.5.
    auto after = currentMatrix(GL_MODELVIEW_MATRIX);
    glPushMatrix();
    glLoadIdentity();
    applyLookAtView();
    glTranslatef(0, -2.5f, 0);
    auto expected = currentMatrix(GL_MODELVIEW_MATRIX);
    glPopMatrix();
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(after[i], expected[i], 1e-5) << i;
}

// ---- render switches

TEST_F(SceneFrameTest, WireframeDrawsTheBoxInLinesUntilFilledModeComesBack) {
    scene.polygonFill = 1;
    scene.texturesOn = 0;
    renderSettledFrame();
    EXPECT_PRED3(colourNear, at(wallpaperSpot), black, 0) << "an empty wall in wireframe " << at(wallpaperSpot);

    // Back to filled: the render state leaves the lines; the room box fills the faces again.
    scene.polygonFill = 2;
    renderSettledFrame();
    EXPECT_PRED3(colourNear, at(wallpaperSpot), frontWallColour, 1) << at(wallpaperSpot);
}

TEST_F(SceneFrameTest, TexturedRectanglesStayFilledInWireframe) {
    scene.polygonFill = 1;
    renderSettledFrame();
    EXPECT_FALSE(colourNear(at(wallpaperSpot), black, 10)) << "the wallpaper still fills " << at(wallpaperSpot);
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_LINE);
}

TEST_F(SceneFrameTest, CullingHidesTheFloorSeenFromBelow) {
    // From under the floor the ray to the front wall passes up through the floor, which faces up.
    scene.texturesOn = 0;
    lookFrom(0, -4, 9, 0, 0, -1);
    renderSettledFrame();
    EXPECT_PRED3(colourNear, roomPixel(0, 0, -10), frontWallColour, 1) << roomPixel(0, 0, -10);

    scene.cullingOn = 0;
    renderSettledFrame();
    EXPECT_PRED3(colourNear, roomPixel(0, 0, -10), floorColour, 1) << "the floor's back, drawn last";
}

TEST_F(SceneFrameTest, DepthTestHidesTheAquariumBehindTheTableSeenFromBelow) {
    // Under the table, looking straight up at its underside: the aquarium above is drawn later.
    useDepthRange();
    lookFrom(0.5, -2.2, 0.3, 0, 1, 0, 0, 0, -1);
    const double underside[3] = {0.5, -1.3375, 0.3};
    scene.depthTestOn = 1;
    renderSettledFrame();
    EXPECT_PRED3(colourNear, at(underside), rgbOf(0, 0, 1), 0) << at(underside);

    scene.depthTestOn = 0;
    renderSettledFrame();
    EXPECT_FALSE(colourNear(at(underside), rgbOf(0, 0, 1), 10)) << at(underside);
}

TEST_F(SceneFrameTest, FlatShadingPaintsALitWallOneColourAndSmoothShadingGrades) {
    scene.texturesOn = 0;
    scene.lightingOn = 1;
    scene.ceilingLightOff = 0;
    renderSettledFrame();
    Rgb left = roomPixel(-6, 0, -10), right = roomPixel(6, 4, -10);
    EXPECT_PRED3(colourNear, left, right, 0) << left << " and " << right;

    scene.flatShading = 0;
    renderSettledFrame();
    left = roomPixel(-6, 0, -10), right = roomPixel(6, 4, -10);
    EXPECT_FALSE(colourNear(left, right, 2)) << left << " and " << right;
}

TEST_F(SceneFrameTest, LightingDimsTheWallsUntilTheCeilingLightComesOn) {
    scene.texturesOn = 0;
    renderSettledFrame();
    Rgb unlit = at(wallpaperSpot);

    scene.lightingOn = 1;
    renderSettledFrame();
    Rgb dark = at(wallpaperSpot);
    EXPECT_PRED3(colourNear, dark, rgbOf(0.8f * 0.2f, 0.8f * 0.2f, 0.75f * 0.2f), 2) << dark;

    scene.ceilingLightOff = 0;
    renderSettledFrame();
    Rgb lit = at(wallpaperSpot);
    EXPECT_GT(lit.r, dark.r + 100) << lit;
    EXPECT_NE(lit.r, unlit.r);

    // A coloured lamp tints what it reaches: the blue lamp lifts blue over red.
    scene.ceilingLightOff = 1;
    scene.leftLampOff = 0;
    renderSettledFrame();
    Rgb blue = at(wallpaperSpot);
    EXPECT_GT(blue.b, dark.b) << blue;
    EXPECT_EQ(blue.r, dark.r) << blue;
}

}  // namespace
