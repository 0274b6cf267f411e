// pixel_identity_gltest.cpp -- the program's frames against the plain immediate-mode frames of
// reference_scene.h: from the same saved aquarium and scene, with the clock fixed, both ways must
// give the same back buffer byte for byte, the same simulation afterwards and the same GL state.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "perf/reference_scene.h"
#include "room/imprints.h"
#include "room/pixel_imprint.h"
#include "room/room_gl.h"

namespace {

// Everything a frame reads or changes outside GL: the scene values, the fish and worm tables, the
// hunting marks, the two meshes and the drawers' little counters.
struct AppSnapshot {
    SceneState sceneValues;
    std::array<Fish, fishSlots> fishTable;
    std::array<Worm, wormSlots> wormTable;
    std::array<int32_t, fishSlots> hasTarget;
    std::array<int32_t, fishSlots> targetWorm;
    float waterHeights[meshSize][meshSize];
    float waterPhases[meshSize][meshSize];
    float waterAmplitude;
    float sandHeights[meshSize][meshSize];
    float sandPhases[meshSize][meshSize];
    float sandAmplitude;
    int fishFlap;
    int32_t legPhase;
    size_t cueCount;

    static AppSnapshot take() {
        AppSnapshot s;
        s.sceneValues = scene;
        std::memcpy(s.fishTable.data(), fishes, sizeof fishes);
        std::memcpy(s.wormTable.data(), worms, sizeof worms);
        std::memcpy(s.hasTarget.data(), fishHasTarget, sizeof fishHasTarget);
        std::memcpy(s.targetWorm.data(), fishTargetWorm, sizeof fishTargetWorm);
        std::memcpy(s.waterHeights, waterMesh.heights, sizeof s.waterHeights);
        std::memcpy(s.waterPhases, waterMesh.phases, sizeof s.waterPhases);
        s.waterAmplitude = waterMesh.amplitude;
        std::memcpy(s.sandHeights, sandMesh.heights, sizeof s.sandHeights);
        std::memcpy(s.sandPhases, sandMesh.phases, sizeof s.sandPhases);
        s.sandAmplitude = sandMesh.amplitude;
        s.fishFlap = fishSchool.flap;
        s.legPhase = wormDrawer.legPhase;
        s.cueCount = playedCues().size();
        return s;
    }

    void restore() const {
        scene = sceneValues;
        std::memcpy(fishes, fishTable.data(), sizeof fishes);
        std::memcpy(worms, wormTable.data(), sizeof worms);
        std::memcpy(fishHasTarget, hasTarget.data(), sizeof fishHasTarget);
        std::memcpy(fishTargetWorm, targetWorm.data(), sizeof fishTargetWorm);
        std::memcpy(waterMesh.heights, waterHeights, sizeof waterHeights);
        std::memcpy(waterMesh.phases, waterPhases, sizeof waterPhases);
        waterMesh.amplitude = waterAmplitude;
        std::memcpy(sandMesh.heights, sandHeights, sizeof sandHeights);
        std::memcpy(sandMesh.phases, sandPhases, sizeof sandPhases);
        sandMesh.amplitude = sandAmplitude;
        fishSchool.flap = fishFlap;
        wormDrawer.legPhase = legPhase;
        playedCues().resize(cueCount);
    }
};

// Byte-wise equality of what the drawing may change; the scene values the frame writes are named.
::testing::AssertionResult sameSimulation(const AppSnapshot& a, const AppSnapshot& b) {
    auto same = [](const void* x, const void* y, size_t n) { return std::memcmp(x, y, n) == 0; };
    if (!same(a.fishTable.data(), b.fishTable.data(), sizeof fishes))
        return ::testing::AssertionFailure() << "fish table";
    if (!same(a.wormTable.data(), b.wormTable.data(), sizeof worms))
        return ::testing::AssertionFailure() << "worm table";
    if (a.hasTarget != b.hasTarget || a.targetWorm != b.targetWorm)
        return ::testing::AssertionFailure() << "hunting marks";
    if (!same(a.waterHeights, b.waterHeights, sizeof a.waterHeights) ||
        !same(a.waterPhases, b.waterPhases, sizeof a.waterPhases) || a.waterAmplitude != b.waterAmplitude)
        return ::testing::AssertionFailure() << "water mesh";
    if (!same(a.sandHeights, b.sandHeights, sizeof a.sandHeights) ||
        !same(a.sandPhases, b.sandPhases, sizeof a.sandPhases))
        return ::testing::AssertionFailure() << "sand mesh";
    if (a.fishFlap != b.fishFlap || a.legPhase != b.legPhase) return ::testing::AssertionFailure() << "drawer counters";
    if (a.sceneValues.waveAmplitude != b.sceneValues.waveAmplitude ||
        a.sceneValues.viewDistance != b.sceneValues.viewDistance || a.sceneValues.tiltAngle != b.sceneValues.tiltAngle)
        return ::testing::AssertionFailure() << "scene values";
    if (a.cueCount != b.cueCount)
        return ::testing::AssertionFailure() << "cues played " << a.cueCount << " vs " << b.cueCount;
    return ::testing::AssertionSuccess();
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

// The same GL starting point for both ways, so nothing one way left behind colours the other.
void startFromPlainGlState() {
    static const float defaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1}, defaultDiffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    static const float black[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, defaultAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, defaultDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
    glColor4f(1, 1, 1, 1);
    glNormal3f(0, 0, 1);
    glTexCoord4f(0, 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1);
    glPointSize(1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

using Pixels = std::vector<unsigned char>;

Pixels readBackBuffer() {
    Pixels p(static_cast<size_t>(1200) * 600 * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1200, 600, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return p;
}

// Where two frames part, for the failure message.
std::string firstDifference(const Pixels& a, const Pixels& b) {
    size_t count = 0, first = a.size();
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) {
            if (first == a.size()) first = i;
            ++count;
        }
    if (count == 0) return "none";
    size_t pixel = first / 4;
    return std::to_string(count) + " bytes differ, the first at x " + std::to_string(pixel % 1200) + ", y " +
           std::to_string(pixel / 1200) + ": " + std::to_string(a[first]) + " vs " + std::to_string(b[first]);
}

struct FrameRecord {
    Pixels pixels;
    GlLeftovers gl;
    AppSnapshot app;
    PixelImprint::Outcome fittings;
    PixelImprint::Outcome background;
    PixelImprint::Outcome wormLayer;
};

using FrameHook = std::function<void(int)>;

// Between frames the timers would move the fins and calm the waves; the test does the same.
void betweenFrames() {
    scene.flapSign = -scene.flapSign;
    if (scene.waveAmplitude > 0.5f) scene.waveAmplitude = static_cast<float>(scene.waveAmplitude - 0.02);
}

std::vector<FrameRecord> drawFrames(const AppSnapshot& start, int frames, const std::function<void()>& frame,
                                    const FrameHook& beforeFrame) {
    start.restore();
    startFromPlainGlState();
    std::vector<FrameRecord> out;
    for (int i = 0; i < frames; ++i) {
        if (beforeFrame) beforeFrame(i);
        frame();
        out.push_back({readBackBuffer(), GlLeftovers::read(), AppSnapshot::take(), fittingsImprint().lastOutcome(),
                       backgroundImprint().lastOutcome(), wormsImprint().lastOutcome()});
        betweenFrames();
    }
    return out;
}

void programFrame() {
    roomtest::renderFrame();
}

class PixelIdentityTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        roomtest::ensureRoomReady();
        aquarium_fixed_clock();
        applyProjection(1200, 600);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        setTimeSource({});
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    static void aquarium_fixed_clock() {
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

    // Draws the frames both ways from the state as it stands and compares every frame; returns how
    // the program drew the room and the tank's fittings in each. `beforeFrame` changes the scene
    // before a given frame.
    struct Outcomes {
        std::vector<PixelImprint::Outcome> fittings, background, wormLayer;
    };
    Outcomes expectSameFrames(int frames = 6, const FrameHook& beforeFrame = {}) {
        applyProjection(1200, 600);
        const AppSnapshot start = AppSnapshot::take();
        const std::vector<FrameRecord> plain = drawFrames(start, frames, reference::renderFrame, beforeFrame);
        const std::vector<FrameRecord> fast = drawFrames(start, frames, programFrame, beforeFrame);
        for (int i = 0; i < frames; ++i) {
            SCOPED_TRACE("frame " + std::to_string(i + 1));
            EXPECT_TRUE(plain[i].pixels == fast[i].pixels) << firstDifference(plain[i].pixels, fast[i].pixels);
            EXPECT_TRUE(sameLeftovers(plain[i].gl, fast[i].gl));
            EXPECT_TRUE(sameSimulation(plain[i].app, fast[i].app));
        }
        // A frame that draws nothing at all would pass the comparison; make sure there is a picture.
        size_t lit = 0;
        for (size_t i = 0; i < plain.back().pixels.size(); i += 4)
            lit += plain.back().pixels[i] | plain.back().pixels[i + 1] | plain.back().pixels[i + 2] ? 1 : 0;
        EXPECT_GT(lit, plain.back().pixels.size() / 4 / 10);
        Outcomes outcomes;
        for (const FrameRecord& f : fast) {
            outcomes.fittings.push_back(f.fittings);
            outcomes.background.push_back(f.background);
            outcomes.wormLayer.push_back(f.wormLayer);
        }
        return outcomes;
    }

    // In a still view the room, the tank's fittings and the worms (which hop only once a second, and
    // the clock is fixed) are drawn, then imprinted, then laid down from the imprints. (Lighting
    // needs a frame more: the first frame starts without the tank's material.)
    void expectSameFramesLaidDown(int frames = 6) {
        Outcomes outcomes = expectSameFrames(frames);
        EXPECT_EQ(outcomes.fittings.back(), PixelImprint::Outcome::LaidDown);
        EXPECT_EQ(outcomes.background.back(), PixelImprint::Outcome::LaidDown);
        EXPECT_EQ(outcomes.wormLayer.back(), PixelImprint::Outcome::LaidDown);
    }
};

using Outcome = PixelImprint::Outcome;

TEST_F(PixelIdentityTest, StartView) {
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, StartViewCloseToTheTank) {
    closeToTheTank();
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, PerspectiveView) {
    scene.viewMode = Perspective;
    scene.orbitAngle = 35;
    scene.mouseFracX = 0.62;
    scene.mouseFracY = 0.3;
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, OrthogonalView) {
    scene.viewMode = Orthogonal;
    scene.orthoRotation = 20;
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, Wireframe) {
    scene.polygonFill = 1;
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, WireframeCloseToTheTankWithoutTextures) {
    scene.polygonFill = 1;
    scene.texturesOn = 0;
    closeToTheTank();
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, TexturesOff) {
    scene.texturesOn = 0;
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, TexturesOffCloseToTheTank) {
    scene.texturesOn = 0;
    closeToTheTank();
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, LightingOnWithAllFourLights) {
    allLightsOn();
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, LightingCloseToTheTankWithThePolishedShadedBulbAndSmoothShading) {
    allLightsOn();
    scene.ceilingLightOff = 1;
    scene.polishedOn = 1;
    scene.flatShading = 0;
    closeToTheTank();
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, BusyAquariumLit) {
    allLightsOn();
    busyAquarium();
    expectSameFramesLaidDown();
}

TEST_F(PixelIdentityTest, BusyAquariumCloseUpWithRisingWaves) {
    allLightsOn();
    busyAquarium();
    closeToTheTank();
    scene.waveAmplitude = 3.0f;
    expectSameFramesLaidDown(7);
}

TEST_F(PixelIdentityTest, BusyAquariumCloseUpUnlitWithDepthTestAndNoCulling) {
    busyAquarium();
    closeToTheTank();
    scene.depthTestOn = 1;
    scene.cullingOn = 0;
    scene.nearPlane = 0.05;
    Outcomes outcomes = expectSameFrames();
    for (Outcome fitting : outcomes.fittings)
        EXPECT_EQ(fitting, Outcome::Drawn) << "the depth test reads what lies below";
    for (Outcome room : outcomes.background)
        EXPECT_EQ(room, Outcome::Drawn) << "the depth test needs the room's depths";
    for (Outcome layer : outcomes.wormLayer) EXPECT_EQ(layer, Outcome::Drawn);
}

TEST_F(PixelIdentityTest, BusyAquariumCloseUpInWireframeWithLighting) {
    allLightsOn();
    busyAquarium();
    closeToTheTank();
    scene.polygonFill = 1;
    expectSameFramesLaidDown();
}

// The imprint is taken under one view and state; any change must bring the real drawing back.
TEST_F(PixelIdentityTest, TheImprintGoesWhenTheViewOrTheStateChanges) {
    closeToTheTank();
    const FrameHook changes = [](int frame) {
        if (frame == 3) scene.eyeX += 0.001;     // a hair's move of the eye
        if (frame == 6) scene.polygonFill = 1;   // back faces in lines
        if (frame == 9) scene.lightingOn = 1;    // lit, all lamps still off
        if (frame == 12) scene.leftLampOff = 0;  // one lamp on
        if (frame == 15) scene.texturesOn = 0;   // the plant keeps its own texture, the rest goes
        if (frame == 18) scene.flatShading = 0;
    };
    Outcomes outcomes = expectSameFrames(21, changes);
    for (int change : {3, 6, 9, 12, 15, 18}) {
        EXPECT_EQ(outcomes.fittings[change], Outcome::Drawn) << "frame " << change;
        EXPECT_EQ(outcomes.fittings[change + 1], Outcome::Imprinted) << "frame " << change + 1;
        EXPECT_EQ(outcomes.fittings[change + 2], Outcome::LaidDown) << "frame " << change + 2;
        EXPECT_EQ(outcomes.background[change], Outcome::Drawn) << "frame " << change;
    }
    EXPECT_EQ(outcomes.background[20], Outcome::LaidDown);
}

// The worms' imprint goes when they hop (the second changes) and when one of them goes.
TEST_F(PixelIdentityTest, TheWormsAreDrawnAgainWhenTheyHopOrOneIsEaten) {
    busyAquarium();
    closeToTheTank();
    auto hopAt = [](std::time_t t) {
        seedGenerator(static_cast<uint32_t>(t));
        return drawGenerator() % 3;
    };
    const std::time_t first = 1234567;
    std::time_t next = first + 1;
    while (hopAt(next) == hopAt(first)) ++next;
    const FrameHook clock = [first, next](int frame) {
        const std::time_t now = frame < 4 ? first : next;
        setTimeSource([now] { return now; });
        if (frame == 10) worms[5].alive = 0.0f;
    };
    Outcomes outcomes = expectSameFrames(16, clock);
    // Four frames of the same worms before the imprint is taken.
    for (int change : {4, 10}) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(outcomes.wormLayer[change + k], Outcome::Drawn) << "frame " << change + k;
        EXPECT_EQ(outcomes.wormLayer[change + 3], Outcome::Imprinted) << "frame " << change + 3;
        EXPECT_EQ(outcomes.wormLayer[change + 4], Outcome::LaidDown) << "frame " << change + 4;
    }
}

// A view that never holds still (the automatic orbit) never pays for an imprint.
TEST_F(PixelIdentityTest, ATurningOrbitDrawsTheRoomAndTheFittingsEveryTime) {
    scene.viewMode = Perspective;
    scene.orbitAngle = 10;
    const FrameHook turn = [](int) { scene.orbitAngle += 2; };
    Outcomes outcomes = expectSameFrames(4, turn);
    for (Outcome fitting : outcomes.fittings) EXPECT_EQ(fitting, Outcome::Drawn);
    for (Outcome room : outcomes.background) EXPECT_EQ(room, Outcome::Drawn);
}

}  // namespace
