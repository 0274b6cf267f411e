// render_state.cpp -- the four lights, the per-frame render state and light switches, the lamp material.
#include "room/draw/render_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "core/scene_state.h"
#include "gl/capability.h"
#include "room/draw/render_state_testing.h"
#include "room/draw/scene.h"

const LightRecord ceilingLight = {{0.2f, 0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.2f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0, 3.9f, 0, 1}};
const LightRecord leftLamp = {{0, 0, 0.2f, 1}, {0, 0, 0.2f, 1}, {0, 0, 0.8f, 1}, {-1.8f, 0, -1.8f, 1}};
const LightRecord rightLamp = {{0.2f, 0, 0, 1}, {0.2f, 0, 0, 1}, {0.8f, 0, 0, 1}, {1.8f, 0, -1.8f, 1}};
const LightRecord frontLamp = {{0, 0.2f, 0, 1}, {0, 0.2f, 0, 1}, {0, 0.8f, 0, 1}, {0, 0, 2.55f, 1}};
const float dimAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
const float brightAmbient[4] = {0.9f, 0.9f, 0.9f, 1};

namespace {

constexpr float lightAttenuation = 0.07f;
constexpr float dullSpecular[4] = {0, 0, 0, 1};
// A polished bulb was meant to have shininess 200, but GL refuses anything above 128 and would
// then keep the old exponent; 128 is the sharpest highlight GL takes.
constexpr float polishedShininess = 128.0f;
constexpr float dullShininess = 0.0f;

}  // namespace

void initLights() {
    struct Light {
        GLenum id;
        const LightRecord& record;
    };
    const Light lights[] = {
        {GL_LIGHT0, ceilingLight}, {GL_LIGHT1, leftLamp}, {GL_LIGHT2, rightLamp}, {GL_LIGHT3, frontLamp}};
    // Positions are given while the model-view matrix is the identity, so they stay put in eye space.
    for (const Light& light : lights) {
        glLightfv(light.id, GL_AMBIENT, light.record.ambient);
        glLightfv(light.id, GL_DIFFUSE, light.record.diffuse);
        glLightfv(light.id, GL_SPECULAR, light.record.specular);
        glLightf(light.id, GL_LINEAR_ATTENUATION, lightAttenuation);
        glLightfv(light.id, GL_POSITION, light.record.position);
        glEnable(light.id);
    }
}

void applyRenderState() {
    glShadeModel(scene.flatShading == 1 ? GL_FLAT : GL_SMOOTH);

    // Filled mode comes back through the room box; here only wireframe is set.
    if (scene.polygonFill == 1)
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    else if (sharedQuadric) {
        gluQuadricTexture(sharedQuadric, GL_TRUE);
        quadricWithTexCoords = sharedQuadric;
    }

    if (scene.cullingOn == 1) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }

    setCapability(GL_DEPTH_TEST, scene.depthTestOn == 1);

    const bool ceilingBurns = scene.lightingOn == 1 && scene.ceilingLightOff == 0;
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ceilingBurns ? brightAmbient : dimAmbient);

    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

void applyLightSwitches() {
    setCapability(GL_LIGHTING, scene.lightingOn == 1);
    // The enables follow the off flags even with lighting off, ready for when it comes on.
    setCapability(GL_LIGHT0, scene.ceilingLightOff != 1);
    setCapability(GL_LIGHT1, scene.leftLampOff != 1);
    setCapability(GL_LIGHT2, scene.rightLampOff != 1);
    setCapability(GL_LIGHT3, scene.frontLampOff != 1);
}

void applyLampMaterial() {
    const bool polished = scene.polishedOn == 1;
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, ceilingLight.diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, polished ? ceilingLight.specular : dullSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, polished ? polishedShininess : dullShininess);
}
