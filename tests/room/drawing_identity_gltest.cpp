// drawing_identity_gltest.cpp -- the program's frames against the straightforward drawing of the
// same state: from the same saved aquarium and scene, with the clock fixed, both must give the same
// picture up to the rasteriser's rounding, the same simulation afterwards and the same GL state.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/commands/menu.h"
#include "app/commands/scene_reset.h"
#include "app/draw/frame_draw.h"
#include "app/draw/globals.h"
#include "aquarium/random_testing.h"
#include "gl/buffer_calls.h"
#include "gl/buffer_calls_testing.h"
#include "gl/read_back.h"
#include "gl/straightforward.h"
#include "room/room_gl.h"
#include "sound/sound_cue.h"
#include "support/drawing_state.h"
#include "support/plain_gl_state.h"
#include "view/walk.h"

namespace {

// Everything a frame reads or changes outside GL (support/drawing_state.h), compared whole.
::testing::AssertionResult sameSimulation(const ProcessSnapshot& a, const ProcessSnapshot& b) {
    const std::string differences = a.differencesFrom(b);
    if (differences.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "differs outside GL:\n" << differences;
}

// The GL state one frame hands to the next and that later drawing may read.
struct GlLeftovers {
    float colour[4], normal[3], texCoord[4];
    float ambient[4], diffuse[4], specular[4], emission[4], shininess;
    float lineWidth, pointSize;
    GLint binding, polygonMode[2], matrixMode, shadeModel, modelviewDepth;
    GLboolean texturing, lighting, depthTest, culling, normalize, colourMaterial, blend, depthMask;
    float modelview[16];

    static GlLeftovers read() {
        GlLeftovers g{};
        glGetFloatv(GL_CURRENT_COLOR, g.colour);
        glGetFloatv(GL_CURRENT_NORMAL, g.normal);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, g.texCoord);
        glGetMaterialfv(GL_FRONT, GL_AMBIENT, g.ambient);
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, g.diffuse);
        glGetMaterialfv(GL_FRONT, GL_SPECULAR, g.specular);
        glGetMaterialfv(GL_FRONT, GL_EMISSION, g.emission);
        glGetMaterialfv(GL_FRONT, GL_SHININESS, &g.shininess);
        glGetFloatv(GL_LINE_WIDTH, &g.lineWidth);
        glGetFloatv(GL_POINT_SIZE, &g.pointSize);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &g.binding);
        glGetIntegerv(GL_POLYGON_MODE, g.polygonMode);
        glGetIntegerv(GL_MATRIX_MODE, &g.matrixMode);
        glGetIntegerv(GL_SHADE_MODEL, &g.shadeModel);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &g.modelviewDepth);
        g.texturing = glIsEnabled(GL_TEXTURE_2D);
        g.lighting = glIsEnabled(GL_LIGHTING);
        g.depthTest = glIsEnabled(GL_DEPTH_TEST);
        g.culling = glIsEnabled(GL_CULL_FACE);
        g.normalize = glIsEnabled(GL_NORMALIZE);
        g.colourMaterial = glIsEnabled(GL_COLOR_MATERIAL);
        g.blend = glIsEnabled(GL_BLEND);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &g.depthMask);
        glGetFloatv(GL_MODELVIEW_MATRIX, g.modelview);
        return g;
    }
};

::testing::AssertionResult sameLeftovers(const GlLeftovers& a, const GlLeftovers& b) {
    auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    const char* what = nullptr;
    if (!same(a.colour, b.colour))
        what = "current colour";
    else if (!same(a.normal, b.normal))
        what = "current normal";
    else if (!same(a.texCoord, b.texCoord))
        what = "current texture coordinates";
    else if (!same(a.ambient, b.ambient) || !same(a.diffuse, b.diffuse) || !same(a.specular, b.specular) ||
             !same(a.emission, b.emission) || a.shininess != b.shininess)
        what = "material";
    else if (a.lineWidth != b.lineWidth || a.pointSize != b.pointSize)
        what = "line or point size";
    else if (a.binding != b.binding)
        what = "texture binding";
    else if (!same(a.polygonMode, b.polygonMode))
        what = "polygon mode";
    else if (a.matrixMode != b.matrixMode || a.modelviewDepth != b.modelviewDepth || !same(a.modelview, b.modelview))
        what = "model-view matrix";
    else if (a.shadeModel != b.shadeModel)
        what = "shade model";
    else if (a.texturing != b.texturing || a.lighting != b.lighting || a.depthTest != b.depthTest ||
             a.culling != b.culling || a.normalize != b.normalize || a.colourMaterial != b.colourMaterial ||
             a.blend != b.blend || a.depthMask != b.depthMask)
        what = "enables";
    if (what == nullptr) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "GL state differs: " << what;
}

// A frame as read back: the whole window, whatever its size.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Picture readPicture() {
    Picture p;
    p.width = glutGet(GLUT_WINDOW_WIDTH);
    p.height = glutGet(GLUT_WINDOW_HEIGHT);
    readBackBuffer(0, 0, p.width, p.height, p.rgb);
    return p;
}

// How far the fast picture may stray from the straightforward one. The two send the same geometry
// through transforms composed in another order (the plant's blade corners are placed on the CPU,
// GL places them blade by blade), so a vertex can land a rounding step apart. An edge then moves by
// a pixel, and inside the plant's blades, most of them smaller than a pixel, the texture is sampled
// a hair elsewhere in a texture squeezed hundreds of texels into one pixel: single pixels there
// change by up to some fifty levels, but as often up as down. Measured over the views below, at
// most 1.4% of the pixels differ by more than 4 levels, and no 8 by 8 block's mean moves by more
// than 5.2 levels in any channel. The bounds are 3% and 8 levels. The faults a fast path could
// bring (an object missing, a texture or colour wrong, a switch that does nothing) move whole
// blocks: by 33 to 154 levels in the cases the last test draws.
struct Tolerance {
    int levels = 4;
    double differingShare = 0.03;
    double blockLevels = 8;
};

struct Comparison {
    long differing = 0;     // pixels with a channel more than `levels` apart
    double worstBlock = 0;  // the largest difference of an 8 by 8 block's mean in one channel
    int blockX = -1, blockY = -1;
    bool sizeDiffers = false;
};

Comparison compare(const Picture& expected, const Picture& actual, const Tolerance& t) {
    Comparison c;
    if (expected.width != actual.width || expected.height != actual.height) {
        c.sizeDiffers = true;
        return c;
    }
    for (size_t i = 0; i < expected.rgb.size(); i += 3)
        for (size_t k = 0; k < 3; ++k)
            if (std::abs(expected.rgb[i + k] - actual.rgb[i + k]) > t.levels) {
                ++c.differing;
                break;
            }
    for (int by = 0; by + 8 <= expected.height; by += 8)
        for (int bx = 0; bx + 8 <= expected.width; bx += 8) {
            double sum[3] = {0, 0, 0};
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x)
                    for (int k = 0; k < 3; ++k) sum[k] += actual.at(x, y)[k] - expected.at(x, y)[k];
            for (double d : sum)
                if (std::abs(d) / 64 > c.worstBlock) c.worstBlock = std::abs(d) / 64, c.blockX = bx, c.blockY = by;
        }
    return c;
}

::testing::AssertionResult samePicture(const Picture& expected, const Picture& actual, const Tolerance& t = {}) {
    const Comparison c = compare(expected, actual, t);
    if (c.sizeDiffers) return ::testing::AssertionFailure() << "the pictures differ in size";
    const double pixels = static_cast<double>(expected.width) * expected.height;
    const std::string counts = std::to_string(c.differing) + " of " + std::to_string(static_cast<long>(pixels)) +
                               " pixels differ; the worst 8 by 8 block is " + std::to_string(c.worstBlock) +
                               " levels off at (" + std::to_string(c.blockX) + ", " + std::to_string(c.blockY) + ")";
    if (static_cast<double>(c.differing) > t.differingShare * pixels || c.worstBlock > t.blockLevels)
        return ::testing::AssertionFailure() << counts;
    return ::testing::AssertionSuccess() << counts;
}

struct FrameRecord {
    Picture picture;
    GlLeftovers gl;
    ProcessSnapshot app;
};

using FrameHook = std::function<void(int)>;

// Between frames the timers would move the fins and calm the waves; the test does the same.
void betweenFrames() {
    scene.flapSign = -scene.flapSign;
    if (scene.waveAmplitude > 0.5f) scene.waveAmplitude = static_cast<float>(scene.waveAmplitude - 0.02);
}

// Frames drawn from `start`, the straightforward way or the program's.
std::vector<FrameRecord> drawFrames(const ProcessSnapshot& start, int frames, bool straightforward,
                                    const FrameHook& beforeFrame) {
    start.restore();
    startFromPlainGlState();
    setStraightforwardDrawing(straightforward);
    std::vector<FrameRecord> out;
    for (int i = 0; i < frames; ++i) {
        if (beforeFrame) beforeFrame(i);
        roomtest::renderFrame();
        out.push_back({readPicture(), GlLeftovers::read(), ProcessSnapshot::take()});
        betweenFrames();
    }
    setStraightforwardDrawing(false);
    return out;
}

// A frame as feedback mode hands it back: each primitive's token and its vertices in window
// coordinates with their colours (GL_3D_COLOR: x, y, z, then r, g, b, a).
struct FedBackPrimitive {
    GLenum token;
    std::vector<std::array<float, 7>> vertices;
};

std::vector<FedBackPrimitive> parseFeedback(const std::vector<GLfloat>& buffer) {
    std::vector<FedBackPrimitive> out;
    for (size_t i = 0; i < buffer.size();) {
        FedBackPrimitive p{static_cast<GLenum>(buffer[i++]), {}};
        size_t count = 0;
        if (p.token == GL_POLYGON_TOKEN)
            count = static_cast<size_t>(buffer[i++]);
        else if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN)
            count = 2;
        else if (p.token == GL_POINT_TOKEN || p.token == GL_BITMAP_TOKEN || p.token == GL_DRAW_PIXEL_TOKEN ||
                 p.token == GL_COPY_PIXEL_TOKEN)
            count = 1;
        else if (p.token == GL_PASS_THROUGH_TOKEN)
            ++i;
        for (size_t k = 0; k < count && i + 7 <= buffer.size(); ++k, i += 7) {
            std::array<float, 7> v{};
            std::copy(buffer.begin() + static_cast<long>(i), buffer.begin() + static_cast<long>(i + 7), v.begin());
            p.vertices.push_back(v);
        }
        out.push_back(p);
    }
    return out;
}

// One frame from `start` in feedback mode, the straightforward way or the program's.
std::vector<FedBackPrimitive> frameInFeedback(const ProcessSnapshot& start, bool straightforward) {
    start.restore();
    startFromPlainGlState();
    setStraightforwardDrawing(straightforward);
    std::vector<GLfloat> buffer(1 << 22);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawFrame();
    const GLint used = glRenderMode(GL_RENDER);
    setStraightforwardDrawing(false);
    EXPECT_GE(used, 0) << "the feedback buffer overflowed";
    buffer.resize(static_cast<size_t>(std::max(used, 0)));
    return parseFeedback(buffer);
}

// Feedback goes through the same transforms either way, vertex by vertex, so the two must agree
// exactly: primitive by primitive, every window coordinate. Colours are left out: where a polygon
// is clipped under flat shading, Mesa leaves the colour of the corner it makes up undefined.
::testing::AssertionResult sameFeedback(const std::vector<FedBackPrimitive>& expected,
                                        const std::vector<FedBackPrimitive>& actual) {
    auto samePlace = [](const FedBackPrimitive& a, const FedBackPrimitive& b) {
        if (a.token != b.token || a.vertices.size() != b.vertices.size()) return false;
        for (size_t k = 0; k < a.vertices.size(); ++k)
            if (!std::equal(a.vertices[k].begin(), a.vertices[k].begin() + 3, b.vertices[k].begin())) return false;
        return true;
    };
    const size_t common = std::min(expected.size(), actual.size());
    for (size_t i = 0; i < common; ++i)
        if (!samePlace(expected[i], actual[i]))
            return ::testing::AssertionFailure() << "primitive " << i << " differs (" << actual.size()
                                                 << " primitives, " << expected.size() << " drawn straightforwardly)";
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure() << actual.size() << " primitives instead of " << expected.size();
    return ::testing::AssertionSuccess() << expected.size() << " primitives alike";
}

class DrawingIdentityTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        roomtest::ensureRoomReady();
        fixTheClock();
        applyProjection(1200, 600);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        setStraightforwardDrawing(false);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        setTimeSource({});
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    static void fixTheClock() {
        setTimeSource([] { return static_cast<std::time_t>(1234567); });
    }

    static void allLightsOn() {
        scene.lightingOn = 1;
        scene.ceilingLightOff = 0;
        scene.leftLampOff = 0;
        scene.rightLampOff = 0;
        scene.frontLampOff = 0;
    }

    static void busyAquarium() {
        for (Fish& f : fishes) f.alive = 1.0f;
        for (Worm& w : worms) w.alive = 1.0f;
    }

    // A camera just in front of the tank, looking down into it, so the aquarium fills the frame.
    static void closeToTheTank() {
        scene.eyeX = 0.3, scene.eyeY = 0.6, scene.eyeZ = 2.4;
        scene.lookDirX = -0.1, scene.lookDirY = -0.45, scene.lookDirZ = -1;
    }

    // The frames both ways from the state as it stands. `beforeFrame` changes the scene before a
    // given frame; `fault` is done to the program's frames only.
    struct Both {
        std::vector<FrameRecord> straightforward, fast;
    };
    Both drawBothWays(int frames, const FrameHook& beforeFrame = {}, const FrameHook& fault = {}) {
        applyProjection(1200, 600);
        const ProcessSnapshot start = ProcessSnapshot::take();
        Both both;
        both.straightforward = drawFrames(start, frames, true, beforeFrame);
        both.fast = drawFrames(start, frames, false, [&](int i) {
            if (beforeFrame) beforeFrame(i);
            if (fault) fault(i);
        });
        return both;
    }

    void expectSameFrames(int frames = 4, const FrameHook& beforeFrame = {}) {
        const Both both = drawBothWays(frames, beforeFrame);
        for (int i = 0; i < frames; ++i) {
            SCOPED_TRACE("frame " + std::to_string(i + 1));
            EXPECT_TRUE(samePicture(both.straightforward[i].picture, both.fast[i].picture));
            EXPECT_TRUE(sameLeftovers(both.straightforward[i].gl, both.fast[i].gl));
            EXPECT_TRUE(sameSimulation(both.straightforward[i].app, both.fast[i].app));
        }
        // A frame that draws nothing at all would pass the comparison; make sure there is a picture.
        const Picture& last = both.straightforward.back().picture;
        size_t lit = 0;
        for (size_t i = 0; i < last.rgb.size(); i += 3) lit += last.rgb[i] | last.rgb[i + 1] | last.rgb[i + 2] ? 1 : 0;
        EXPECT_GT(lit, last.rgb.size() / 3 / 10);
    }

    // True when some frame of the faulty program fails the comparison.
    bool faultShows(int frames, const FrameHook& fault, const FrameHook& beforeFrame = {}) {
        const Both both = drawBothWays(frames, beforeFrame, fault);
        for (int i = 0; i < frames; ++i)
            if (!samePicture(both.straightforward[i].picture, both.fast[i].picture)) return true;
        return false;
    }
};

TEST_F(DrawingIdentityTest, StartView) {
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, StartViewCloseToTheTank) {
    closeToTheTank();
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, PerspectiveView) {
    scene.viewMode = Perspective;
    scene.orbitAngle = 35;
    scene.mouseFracX = 0.62;
    scene.mouseFracY = 0.3;
    expectSameFrames();
}

// F11 with the mouse untouched: the orbit's start values put the camera outside the room, where a
// box reaching past its shell would show. Then culling goes off, so the box's faces are drawn from
// both sides, and after a wireframe frame it is the box that fills back faces again: where it is not
// painted, the state it hands on must do that, or the back of the back wall stays in lines.
TEST_F(DrawingIdentityTest, FromOutsideTheRoomAsF11LeavesItThenWithoutCulling) {
    scene.viewMode = Perspective;
    expectSameFrames(4, [](int frame) {
        if (frame == 1) scene.cullingOn = 0, scene.polygonFill = 1;
        if (frame == 2) scene.polygonFill = 2;
    });
}

TEST_F(DrawingIdentityTest, OrthogonalView) {
    scene.viewMode = Orthogonal;
    scene.orthoRotation = 20;
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, Wireframe) {
    scene.polygonFill = 1;
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, WireframeCloseToTheTankWithoutTextures) {
    scene.polygonFill = 1;
    scene.texturesOn = 0;
    closeToTheTank();
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, TexturesOff) {
    scene.texturesOn = 0;
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, LightingOnWithAllFourLights) {
    allLightsOn();
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, LightingCloseToTheTankWithThePolishedBulbAndSmoothShading) {
    allLightsOn();
    scene.ceilingLightOff = 1;
    scene.polishedOn = 1;
    scene.flatShading = 0;
    closeToTheTank();
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, BusyAquariumLitCloseUpWithRisingWaves) {
    allLightsOn();
    busyAquarium();
    closeToTheTank();
    scene.waveAmplitude = 3.0f;
    expectSameFrames(5);
}

TEST_F(DrawingIdentityTest, BusyAquariumCloseUpWithDepthTestAndNoCulling) {
    busyAquarium();
    closeToTheTank();
    scene.depthTestOn = 1;
    scene.cullingOn = 0;
    scene.nearPlane = 0.05;
    expectSameFrames();
}

TEST_F(DrawingIdentityTest, BusyAquariumCloseUpInWireframeWithLighting) {
    allLightsOn();
    busyAquarium();
    closeToTheTank();
    scene.polygonFill = 1;
    expectSameFrames();
}

// The main menu's view volume, near 6 and far 15: it cuts the room, so the shell no longer fills the
// window and wherever the box strays from the shell near the cut, the box would show.
TEST_F(DrawingIdentityTest, TheMenusViewVolumeCutsTheRoom) {
    onMainMenu(3);
    expectSameFrames();
}

// The camera moves in every frame: once round the orbit in big steps, inside the room (the eye
// stays 5 from its middle), then a walk through the real move operations, with the switches
// changing on the way.
TEST_F(DrawingIdentityTest, AMovingCamera) {
    scene.viewMode = Perspective;
    scene.mouseFracY = 0.15;
    expectSameFrames(8, [](int frame) { scene.orbitAngle = 10 + 45 * frame; });
}

TEST_F(DrawingIdentityTest, AWalkWithTheSwitchesChanging) {
    busyAquarium();
    expectSameFrames(8, [](int frame) {
        moveForward();
        increaseHeading();
        if (frame == 2) scene.lightingOn = 1, scene.leftLampOff = 0;
        if (frame == 4) scene.texturesOn = 0;
        if (frame == 6) scene.texturesOn = 1, scene.polygonFill = 1;
    });
}

// In a window larger than 1200 by 600 the reset draws into a 1200 by 600 corner; the rest of the
// window is cleared black in every frame.
TEST_F(DrawingIdentityTest, AResetInALargerWindowLeavesBlackMargins) {
    glutReshapeWindow(1500, 800);
    for (int i = 0; i < 20 && glutGet(GLUT_WINDOW_WIDTH) != 1500; ++i) glutMainLoopEvent();
    ASSERT_EQ(glutGet(GLUT_WINDOW_WIDTH), 1500);
    ASSERT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 800);
    resetScene();
    const ProcessSnapshot start = ProcessSnapshot::take();
    const Both both = drawBothWays(3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        EXPECT_TRUE(samePicture(both.straightforward[i].picture, both.fast[i].picture));
        for (const FrameRecord* f : {&both.straightforward[i], &both.fast[i]}) {
            const Picture& p = f->picture;
            long coloured = 0;
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x)
                    if ((x >= 1200 || y >= 600) && (p.at(x, y)[0] | p.at(x, y)[1] | p.at(x, y)[2])) ++coloured;
            EXPECT_EQ(coloured, 0) << "pixels outside the scene's corner";
        }
    }
    start.restore();
    glutReshapeWindow(1200, 600);
    for (int i = 0; i < 20 && glutGet(GLUT_WINDOW_WIDTH) != 1200; ++i) glutMainLoopEvent();
    applyProjection(1200, 600);
}

// Feedback and selection get every object as the plain drawing sends it: the room box too, though
// the textured shell would hide it on the screen.
TEST_F(DrawingIdentityTest, FeedbackModeGetsTheWholeRoomBox) {
    const ProcessSnapshot start = ProcessSnapshot::take();
    const auto straightforward = frameInFeedback(start, true);
    const auto fast = frameInFeedback(start, false);
    EXPECT_TRUE(sameFeedback(straightforward, fast));

    // The box has something to lose: its faces, known by their colours, are among the primitives.
    const std::array<float, 3> boxColours[] = {{0.8f, 0.8f, 0.75f}, {0.85f, 0.85f, 0.8f}, {0.75f, 0.75f, 0.7f}};
    for (const auto& colour : boxColours) {
        auto boxCorner = [&](const std::array<float, 7>& v) {
            return v[3] == colour[0] && v[4] == colour[1] && v[5] == colour[2];
        };
        const long faces =
            std::count_if(straightforward.begin(), straightforward.end(), [&](const FedBackPrimitive& p) {
                return p.token == GL_POLYGON_TOKEN && std::any_of(p.vertices.begin(), p.vertices.end(), boxCorner);
            });
        EXPECT_GT(faces, 0) << "no box face coloured " << colour[0] << ", " << colour[1] << ", " << colour[2];
    }
}

// A GL without buffer objects (GL 1.1, as Windows' own software renderer has it): the water and sand
// grids go point by point instead, and the close-up frames, the state they leave and the simulation
// are the straightforward drawing's; no GL error comes of it (TearDown).
TEST_F(DrawingIdentityTest, WithoutBufferObjectsTheGridsDrawAsTheStraightforwardWayDoes) {
    struct Withheld {
        Withheld() { withholdBufferCalls(true); }
        ~Withheld() { withholdBufferCalls(false); }
    } withheld;
    ASSERT_FALSE(bufferCalls().complete());
    closeToTheTank();
    scene.waveAmplitude = 3.0f;
    expectSameFrames();
}

// The bound is no wider than it must be: faults a fast path could bring show through it.
TEST_F(DrawingIdentityTest, TheComparisonSeesRealFaults) {
    busyAquarium();
    closeToTheTank();
    const unsigned int marble = marbleTexture, picture2 = picture2Texture;
    EXPECT_TRUE(faultShows(2, [=](int) { marbleTexture = picture2, picture2Texture = marble; }))
        << "pebbles bound to the wrong textures";
    marbleTexture = marble, picture2Texture = picture2;
    EXPECT_TRUE(faultShows(2, [](int) { worms[0].alive = 0.0f; })) << "a missing worm";
    allLightsOn();
    EXPECT_TRUE(faultShows(2, [](int) { scene.leftLampOff = 1; })) << "a lamp switch that does nothing";
    EXPECT_TRUE(faultShows(2, [](int) { scene.flatShading = 0; })) << "a shading switch that does nothing";
}

}  // namespace
