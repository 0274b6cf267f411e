// scene.cpp -- draws the whole world once per frame, in its fixed order; the fish step happens inside.
#include "room/draw/scene.h"

#include <GL/gl.h>

#include "aquarium/draw/aquarium.h"
#include "core/scene_state.h"
#include "gl/capability.h"
#include "gl/quadric_shape.h"
#include "gl/recorded_shape.h"
#include "gl/straightforward.h"
#include "room/draw/furniture.h"
#include "room/draw/render_state.h"
#include "room/draw/room_shell.h"
#include "room/draw/textures.h"

GLUquadric* sharedQuadric = nullptr;
GLUquadric* quadricWithTexCoords = nullptr;

namespace {

// The lamp's and the pebbles' shapes are drawn with the shared quadric. It is made at start-up
// right after the textures; until then there is nothing to draw with.
template <class Draw>
void drawShared(QuadricShape& shape, Draw drawWith) {
    shape.draw(sharedQuadric, quadricWithTexCoords == sharedQuadric, drawWith);
}

QuadricShape ceilingRose;
QuadricShape roseDisk;
QuadricShape lampRod;
QuadricShape bulb;
QuadricShape smallPebble;
QuadricShape largePebble;

bool texturesOn() {
    return scene.texturesOn == 1;
}

void applyDepthTestSetting() {
    setCapability(GL_DEPTH_TEST, scene.depthTestOn == 1);
}

// The shell's textured rectangles lie on the box's faces and cover each of them whole, opaque and
// filled, so with textures on, filled faces and no depth test the box's colours never show; its
// faces then need not be painted, only the state the box hands on is set. That holds for pixels
// only: feedback and selection see every face, covered or not.
bool shellHidesTheBox() {
    return !straightforwardDrawing() && texturesOn() && scene.polygonFill != 1 && scene.depthTestOn != 1 &&
           renderingPixels();
}

void drawRoom() {
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    if (shellHidesTheBox())
        handOverAsTheRoomBox();
    else
        drawRoomBox();
    glPopMatrix();

    glPushMatrix();
    if (texturesOn()) {
        glTranslatef(0, 2, 0);
        drawRoomShell();
    }
    glPopMatrix();
}

void drawTable() {
    if (scene.furnitureCount <= 0) return;
    glPushMatrix();
    Table table(scene.polygonFill);
    glColor3f(0, 0, 1);  // the wood shows through blue
    table.draw(scene.texturesOn);
    glPopMatrix();
}

void drawWater() {
    if (texturesOn()) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, waterTexture);
    }
    glPushMatrix();
    glTranslatef(-0.45f, 1.8f, 0.4f);
    glScalef(0.007f, 0.006f, 0.007f);
    glRotatef(180, 1, 0, 0);
    drawMesh(waterMesh, scene.waveAmplitude);
    glPopMatrix();
}

void drawSandFloorTankAndSandBed() {
    // The sand floor square, laid flat at the bottom of the tank, facing down.
    if (texturesOn()) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, sandTexture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glPushMatrix();
    glTranslatef(0, 1.05f, 0);
    glScalef(0.9f, 1.1f, 0.9f);
    glRotatef(90, 1, 0, 0);
    if (texturesOn()) sharedRect.draw(sandTexture, 1, 1, 1, 1);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);

    glPushMatrix();
    glTranslatef(-0.01f, 1.5f, -0.04f);
    glScalef(0.15f, 0.15f, 0.15f);
    glPushMatrix();
    glColor3f(0.4f, 0.4f, 0.4f);
    GlassTank tank(6, 6, 6);
    tank.draw();
    glPopMatrix();
    glPopMatrix();

    // Texturing is off here; the sand bed switches it on itself and shows whatever is bound.
    glPushMatrix();
    glTranslatef(-0.45f, 1.25f, 0.4f);
    glScalef(0.007f, 0.006f, 0.007f);
    glRotatef(180, 1, 0, 0);
    drawMesh(sandMesh, 0.2f);
    glPopMatrix();
}

void drawPlantAndPebbles() {
    glPushMatrix();
    glTranslatef(-0.01f, 1.5f, -0.04f);
    glRotatef(-25, 0, 1, 1);
    glScalef(0.15f, 0.15f, 0.15f);
    glTranslatef(2, -2.5f, 0);
    WaterPlant plant(7, 2, 2, 2);
    plant.draw(sandTexture);
    glPopMatrix();

    struct Pebble {
        unsigned int* texture;
        float x, y, z;
        double radius;
        QuadricShape* shape;
    };
    const Pebble pebbles[3] = {
        {&marbleTexture, -0.2f, 1.25f, 0.2f, 1.0, &smallPebble},
        {&picture3Texture, -0.2f, 1.25f, -0.2f, 1.5, &largePebble},
        {&picture2Texture, -0.2f, 1.25f, -0.4f, 1.5, &largePebble},
    };
    // No colour of their own: the pebbles wear the plant's last green.
    for (const Pebble& pebble : pebbles) {
        if (texturesOn()) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, *pebble.texture);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        glPushMatrix();
        glTranslatef(pebble.x, pebble.y, pebble.z);
        glRotatef(90, 0, 0, 1);
        glScalef(0.02f, 0.02f, 0.02f);
        const double radius = pebble.radius;
        drawShared(*pebble.shape, [radius](GLUquadric* q) { gluSphere(q, radius, 20, 20); });
        glPopMatrix();
    }
}

void drawWormsAndFish() {
    glPushMatrix();
    glTranslatef(0, 1.5f, 0);
    glScalef(0.15f, 0.15f, 0.15f);
    wormDrawer.drawWorms(bowlFeeder);
    glPushMatrix();
    glScalef(0.3f, 0.3f, 0.3f);
    applyDepthTestSetting();
    fishSchool.drawSchool(scene.flapSign, bowlFeeder);
    applyDepthTestSetting();
    glPopMatrix();
    glPopMatrix();
}

}  // namespace

void drawCeilingLamp() {
    glPushMatrix();
    // Saved so the bulb can glow unlit and the lamp's material stays its own.
    glPushAttrib(GL_LIGHTING_BIT);
    glColor3f(0.66f, 0.57f, 0.06f);  // brass
    glTranslatef(0, 7.5f, 0);
    if (texturesOn()) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, woodTexture);
    }

    glPushMatrix();  // ceiling rose
    glRotatef(-90, 1, 0, 0);
    drawShared(ceilingRose, [](GLUquadric* q) { gluCylinder(q, 0.18, 0.2, 0.1, 10, 5); });
    glRotatef(180, 1, 0, 0);
    drawShared(roseDisk, [](GLUquadric* q) { gluDisk(q, 0, 0.18, 10, 3); });
    glPopMatrix();

    glTranslatef(0, -1, 0);
    glPushMatrix();  // rod
    glTranslatef(0, 0.2f, 0);
    glRotatef(-90, 1, 0, 0);
    drawShared(lampRod, [](GLUquadric* q) { gluCylinder(q, 0.05, 0.05, 0.8, 10, 5); });
    glPopMatrix();

    glDisable(GL_TEXTURE_2D);
    applyLampMaterial();
    // A burning ceiling light (or no lighting at all) shows the bulb plain white.
    setCapability(GL_LIGHTING, scene.ceilingLightOff == 1 && scene.lightingOn == 1);
    glColor3f(1, 1, 1);
    drawShared(bulb, [](GLUquadric* q) { gluSphere(q, 0.2, 20, 20); });
    glPopAttrib();
    glPopMatrix();
}

namespace {

void enterFurnitureFrame() {
    glScalef(2.5f, 1.5f, 2);
    glTranslatef(0, 0, -0.45f);
}

}  // namespace

void drawScene() {
    glTranslatef(0, -2.5f, 0);  // the room's floor frame; not undone
    drawRoom();
    drawCeilingLamp();
    glPushMatrix();
    enterFurnitureFrame();
    drawTable();
    glPopMatrix();

    glPushMatrix();  // furniture frame
    enterFurnitureFrame();

    glPushMatrix();  // aquarium frame
    glTranslatef(0, -0.2f, 0.55f);
    drawWater();
    drawSandFloorTankAndSandBed();
    drawPlantAndPebbles();
    drawWormsAndFish();
    glPopMatrix();
    glPopMatrix();
}
