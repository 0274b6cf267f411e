// render_state_gltest.cpp -- the lights as start-up sets them, and the render state, light switches and lamp material
// each frame applies, read back from GL.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "room/draw/render_state_testing.h"
#include "room/room_gl.h"

namespace {

using Quad = std::array<float, 4>;

Quad lightValue(GLenum light, GLenum what) {
    Quad q{};
    glGetLightfv(light, what, q.data());
    return q;
}

Quad asQuad(const float* v) {
    return {v[0], v[1], v[2], v[3]};
}

void expectQuadNear(const Quad& actual, const Quad& expected, const char* what) {
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6) << what << " component " << i;
}

bool enabled(GLenum cap) {
    return glIsEnabled(cap) == GL_TRUE;
}

GLint integer(GLenum what) {
    GLint v[4] = {};
    glGetIntegerv(what, v);
    return v[0];
}

class RenderStateTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        roomtest::ensureRoomReady();
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

TEST_F(RenderStateTest, FourPointLightsTakeTheirRecordsInEyeSpace) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    initLights();
    struct Expected {
        GLenum light;
        const LightRecord& record;
    };
    const Expected lights[] = {
        {GL_LIGHT0, ceilingLight}, {GL_LIGHT1, leftLamp}, {GL_LIGHT2, rightLamp}, {GL_LIGHT3, frontLamp}};
    for (const Expected& e : lights) {
        SCOPED_TRACE(e.light - GL_LIGHT0);
        expectQuadNear(lightValue(e.light, GL_AMBIENT), asQuad(e.record.ambient), "ambient");
        expectQuadNear(lightValue(e.light, GL_DIFFUSE), asQuad(e.record.diffuse), "diffuse");
        expectQuadNear(lightValue(e.light, GL_SPECULAR), asQuad(e.record.specular), "specular");
        expectQuadNear(lightValue(e.light, GL_POSITION), asQuad(e.record.position), "position");
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_CONSTANT_ATTENUATION)[0], 1.0f);
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_LINEAR_ATTENUATION)[0], 0.07f);
        EXPECT_FLOAT_EQ(lightValue(e.light, GL_QUADRATIC_ATTENUATION)[0], 0.0f);
        EXPECT_TRUE(enabled(e.light));
    }
}

TEST_F(RenderStateTest, ResetStateIsFlatFilledCulledWithoutDepthAndDimlyLit) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    applyRenderState();
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_FLAT);
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_FILL);
    EXPECT_TRUE(enabled(GL_CULL_FACE));
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    Quad ambient{};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
    expectQuadNear(ambient, asQuad(dimAmbient), "global ambient");
    EXPECT_TRUE(enabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(integer(GL_COLOR_MATERIAL_FACE), GL_FRONT);
    EXPECT_EQ(integer(GL_COLOR_MATERIAL_PARAMETER), GL_AMBIENT_AND_DIFFUSE);
}

TEST_F(RenderStateTest, EachSwitchSetsItsOwnState) {
    scene.flatShading = 0;
    scene.polygonFill = 1;
    scene.cullingOn = 0;
    scene.depthTestOn = 1;
    applyRenderState();
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_EQ(modes[1], GL_LINE);
    EXPECT_FALSE(enabled(GL_CULL_FACE));
    EXPECT_TRUE(enabled(GL_DEPTH_TEST));

    // Back to filled: the render state leaves the lines for the room box to undo.
    scene.polygonFill = 2;
    applyRenderState();
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    // Any shading value but 1 is smooth.
    scene.flatShading = 7;
    applyRenderState();
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
}

TEST_F(RenderStateTest, BrightAmbientOnlyWhileLightingIsOnAndTheCeilingLightBurns) {
    struct Case {
        uint8_t lighting, ceilingOff;
        const float* ambient;
    };
    const Case cases[] = {{1, 0, brightAmbient}, {1, 1, dimAmbient}, {0, 0, dimAmbient}, {0, 1, dimAmbient}};
    for (const Case& c : cases) {
        scene.lightingOn = c.lighting;
        scene.ceilingLightOff = c.ceilingOff;
        applyRenderState();
        Quad ambient{};
        glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
        SCOPED_TRACE(testing::Message() << "lighting " << int(c.lighting) << " ceiling off " << int(c.ceilingOff));
        expectQuadNear(ambient, asQuad(c.ambient), "global ambient");
    }
}

TEST_F(RenderStateTest, LightEnablesFollowTheirOffFlagsEvenWithLightingOff) {
    for (uint8_t lighting : {0, 1}) {
        for (int pattern = 0; pattern < 16; ++pattern) {
            scene.lightingOn = lighting;
            scene.ceilingLightOff = pattern & 1;
            scene.leftLampOff = (pattern >> 1) & 1;
            scene.rightLampOff = (pattern >> 2) & 1;
            scene.frontLampOff = (pattern >> 3) & 1;
            applyLightSwitches();
            SCOPED_TRACE(testing::Message() << "lighting " << int(lighting) << " pattern " << pattern);
            EXPECT_EQ(enabled(GL_LIGHTING), lighting == 1);
            EXPECT_EQ(enabled(GL_LIGHT0), (pattern & 1) == 0);
            EXPECT_EQ(enabled(GL_LIGHT1), (pattern & 2) == 0);
            EXPECT_EQ(enabled(GL_LIGHT2), (pattern & 4) == 0);
            EXPECT_EQ(enabled(GL_LIGHT3), (pattern & 8) == 0);
        }
    }
}

TEST_F(RenderStateTest, PolishedAndDullLampsDifferInSpecularAndShininessWithoutAGlError) {
    glDisable(GL_COLOR_MATERIAL);  // read the material as set, not as the colour tracks it
    Quad value{};
    scene.polishedOn = 1;
    applyLampMaterial();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, value.data());
    expectQuadNear(value, {0.2f, 0.2f, 0.2f, 1}, "polished ambient");
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, value.data());
    expectQuadNear(value, {0.2f, 0.2f, 0.2f, 1}, "polished diffuse");
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, value.data());
    expectQuadNear(value, {0.8f, 0.8f, 0.8f, 1}, "polished specular");
    float polishedShine = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &polishedShine);
    EXPECT_FLOAT_EQ(polishedShine, 128.0f);

    scene.polishedOn = 0;
    applyLampMaterial();
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, value.data());
    expectQuadNear(value, {0, 0, 0, 1}, "dull specular");
    float dullShine = -1;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &dullShine);
    EXPECT_FLOAT_EQ(dullShine, 0.0f);
    glEnable(GL_COLOR_MATERIAL);
}

}  // namespace
