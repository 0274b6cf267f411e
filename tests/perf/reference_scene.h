// reference_scene.h -- the plain immediate-mode frame, kept as it was drawn before the drawing was
// made fast: every object sent vertex by vertex each frame. The pixel-identity test draws each
// frame this way and the program's way and compares them byte for byte.
#pragma once

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "app/globals.h"
#include "app/scene_state.h"
#include "aquarium/behaviour.h"
#include "aquarium/meshes.h"
#include "aquarium/random.h"
#include "aquarium/random_testing.h"
#include "aquarium/tables.h"
#include "room/render_state.h"
#include "room/scene.h"
#include "room/textures.h"
#include "view/projection.h"

namespace reference {

// ---- render state and lights

inline void switchCap(GLenum cap, bool on) {
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

inline void applyRenderState() {
    glShadeModel(scene.flatShading == 1 ? GL_FLAT : GL_SMOOTH);
    if (scene.polygonFill == 1)
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    else if (sharedQuadric)
        gluQuadricTexture(sharedQuadric, GL_TRUE);
    if (scene.cullingOn == 1) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
    switchCap(GL_DEPTH_TEST, scene.depthTestOn == 1);
    const bool ceilingBurns = scene.lightingOn == 1 && scene.ceilingLightOff == 0;
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ceilingBurns ? brightAmbient : dimAmbient);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

inline void applyLightSwitches() {
    switchCap(GL_LIGHTING, scene.lightingOn == 1);
    switchCap(GL_LIGHT0, scene.ceilingLightOff != 1);
    switchCap(GL_LIGHT1, scene.leftLampOff != 1);
    switchCap(GL_LIGHT2, scene.rightLampOff != 1);
    switchCap(GL_LIGHT3, scene.frontLampOff != 1);
}

inline void applyLampMaterial() {
    static const float dullSpecular[4] = {0, 0, 0, 1};
    const bool polished = scene.polishedOn == 1;
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, ceilingLight.diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, polished ? ceilingLight.specular : dullSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, polished ? 128.0f : 0.0f);
}

// ---- room box and shell

inline void drawRect(unsigned int texture, float repeatS, float repeatT, float cellWidth, float cellHeight) {
    const float width = repeatS * cellWidth;
    const float height = repeatT * cellHeight;
    glPushMatrix();
    glTranslatef(-0.5f * width, -0.5f * height, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPolygonMode(GL_FRONT, GL_FILL);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(repeatS, 0);
    glVertex2f(width, 0);
    glTexCoord2f(repeatS, repeatT);
    glVertex2f(width, height);
    glTexCoord2f(0, repeatT);
    glVertex2f(0, height);
    glEnd();
    glPopMatrix();
}

inline const float corners[9][3] = {
    {0, 0, 0},        {-2.5f, -2.5f, 5}, {-2.5f, 2.5f, 5}, {-2.5f, -2.5f, 0}, {-2.5f, 2.5f, 0},
    {2.5f, -2.5f, 5}, {2.5f, 2.5f, 5},   {2.5f, -2.5f, 0}, {2.5f, 2.5f, 0},
};

inline void drawBoxFace(int a, int b, int c, int d) {
    glPushMatrix();
    glEnable(GL_NORMALIZE);
    if (scene.polygonFill != 1) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glScalef(3, 4, 1.5f);
    glBegin(GL_POLYGON);
    glVertex3fv(corners[a]);
    glVertex3fv(corners[b]);
    glVertex3fv(corners[c]);
    glVertex3fv(corners[d]);
    glEnd();
    glDisable(GL_NORMALIZE);
    glPopMatrix();
}

inline void drawRoomBox() {
    struct Face {
        int c[4];
        float colour[3];
        float normal[3];
    };
    static const Face faces[6] = {
        {{2, 4, 8, 6}, {0.8f, 0.8f, 0.75f}, {0, -1, 0}},  {{1, 2, 6, 5}, {0.85f, 0.85f, 0.8f}, {0, 0, -1}},
        {{5, 6, 8, 7}, {0.75f, 0.75f, 0.7f}, {-1, 0, 0}}, {{4, 2, 1, 3}, {0.75f, 0.75f, 0.7f}, {1, 0, 0}},
        {{7, 3, 1, 5}, {0.8f, 0.8f, 0.75f}, {0, 1, 0}},   {{8, 4, 3, 7}, {0.85f, 0.85f, 0.8f}, {0.2f, 0.2f, 0.8f}},
    };
    for (const Face& f : faces) {
        glColor3fv(f.colour);
        glNormal3fv(f.normal);
        drawBoxFace(f.c[0], f.c[1], f.c[2], f.c[3]);
    }
    glColor3f(1, 1, 1);
}

inline void drawRoomShell() {
    struct Rect {
        unsigned int* texture;
        float s, t, w, h;
    };
    struct Piece {
        float tr[3];
        float angle;
        float axis[3];
        Rect rects[2];
        int count;
        bool staysOn;
    };
    static const Piece pieces[6] = {
        {{0, -2, 0}, -90, {1, 0, 0}, {{&floorTexture, 15, 20, 1, 1}, {}}, 1, false},
        {{0, 5.5f, 0}, 90, {1, 0, 0}, {{&ceilingTexture, 15, 20, 1, 1}, {}}, 1, false},
        {{0, 1.75f, 10},
         180,
         {0, 1, 0},
         {{&wallPaper1Texture, 15, 7.5f, 1, 1}, {&picture4Texture, 1, 1, 2.48f, 1.92f}},
         2,
         true},
        {{0, 1.75f, -10},
         0,
         {0, 0, 0},
         {{&wallPaper1Texture, 15, 7.5f, 1, 1}, {&picture1Texture, 1, 1, 2.48f, 1.92f}},
         2,
         false},
        {{-7.5f, 1.75f, 0},
         90,
         {0, 1, 0},
         {{&wallPaperTexture, 20, 7.5f, 1, 1}, {&picture2Texture, 1, 1, 2.86f, 1.84f}},
         2,
         false},
        {{7.5f, 1.75f, 0},
         -90,
         {0, 1, 0},
         {{&wallPaperTexture, 20, 7.5f, 1, 1}, {&picture3Texture, 1, 1, 2.96f, 1.86f}},
         2,
         false},
    };
    for (const Piece& p : pieces) {
        glEnable(GL_TEXTURE_2D);
        glPushMatrix();
        glTranslatef(p.tr[0], p.tr[1], p.tr[2]);
        if (p.angle != 0) glRotatef(p.angle, p.axis[0], p.axis[1], p.axis[2]);
        for (int i = 0; i < p.count; ++i)
            drawRect(*p.rects[i].texture, p.rects[i].s, p.rects[i].t, p.rects[i].w, p.rects[i].h);
        glPopMatrix();
        if (!p.staysOn) glDisable(GL_TEXTURE_2D);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// ---- table, tank and plant

inline void drawTableTop(int fillMode, unsigned char withTexture) {
    struct Face {
        float tr[3];
        float sc[3];
        float r1[4];
        float r2[4];
    };
    static const Face faces[5] = {
        {{0, 0.025f, 0}, {1.5f, 1, 1}, {90, 0, 0, 1}, {90, 0, 1, 0}},
        {{0, 0, 0.5f}, {1.5f, 0.05f, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {{0, 0, -0.5f}, {1.5f, 0.05f, 1}, {180, 1, 0, 0}, {0, 0, 0, 0}},
        {{0.75f, 0, 0}, {1, 0.05f, 1}, {90, 0, 1, 0}, {0, 0, 0, 0}},
        {{-0.75f, 0, 0}, {1, 0.05f, 1}, {-90, 0, 1, 0}, {0, 0, 0, 0}},
    };
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    if (withTexture != 0) {
        for (const Face& f : faces) {
            glPushMatrix();
            glTranslatef(f.tr[0], f.tr[1], f.tr[2]);
            glScalef(f.sc[0], f.sc[1], f.sc[2]);
            if (f.r1[0] != 0) glRotatef(f.r1[0], f.r1[1], f.r1[2], f.r1[3]);
            if (f.r2[0] != 0) glRotatef(f.r2[0], f.r2[1], f.r2[2], f.r2[3]);
            glEnable(GL_TEXTURE_2D);
            drawRect(woodTexture, 1, 1, 1, 1);
            glDisable(GL_TEXTURE_2D);
            glPopMatrix();
        }
    }
    glScalef(1.5f, 0.05f, 1);
    if (fillMode == 1)
        glutWireCube(1.0);
    else
        glutSolidCube(1.0);
    glPopMatrix();
}

inline void drawTableLeg(int fillMode) {
    glBindTexture(GL_TEXTURE_2D, picture4Texture);
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    glScalef(0.1f, 0.8f, 0.1f);
    if (fillMode == 1)
        glutWireCube(1.0);
    else
        glutSolidCube(1.0);
    glPopMatrix();
}

inline void drawTable(int fillMode, unsigned char withTexture) {
    static const float legs[4][3] = {
        {0.55f, 0.4f, 0.3f}, {-0.55f, 0.4f, 0.3f}, {0.55f, 0.4f, -0.3f}, {-0.55f, 0.4f, -0.3f}};
    glPushMatrix();
    glTranslatef(0, 0, 0.5f);
    glPushMatrix();
    glTranslatef(0, 0.8f, 0);
    drawTableTop(fillMode, withTexture);
    glPopMatrix();
    for (const auto& leg : legs) {
        glPushMatrix();
        glTranslatef(leg[0], leg[1], leg[2]);
        drawTableLeg(fillMode);
        glPopMatrix();
    }
    glPopMatrix();
}

inline void drawTankPanel() {
    static const float glass[4] = {0.8f, 0.8f, 0.8f, 0.8f};
    glPushMatrix();
    glScalef(1, 1, 0.1f);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, glass);
    glMaterialfv(GL_FRONT, GL_SPECULAR, glass);
    glMaterialf(GL_FRONT, GL_SHININESS, 100.0f);
    glutWireCube(1.0);
    glPopMatrix();
}

inline void drawTank(float width, float height, float depth) {
    glPushMatrix();
    glTranslatef(0, 0, depth / 2 - 0.05f);
    glScalef(width, height, 1);
    drawTankPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0, 0, -depth / 2 + 0.05f);
    glRotatef(180, 0, 1, 0);
    glScalef(width, height, 1);
    drawTankPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-width / 2 + 0.05f, 0, 0);
    glRotatef(-90, 0, 1, 0);
    glScalef(depth, height, 1);
    drawTankPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(width / 2 - 0.05f, 0, 0);
    glRotatef(90, 0, 1, 0);
    glScalef(depth, height, 1);
    drawTankPanel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0, -height / 2 + 0.05f, 0);
    glRotatef(90, 1, 0, 0);
    glScalef(width, depth, 1);
    drawTankPanel();
    glPopMatrix();
}

inline void drawBlade() {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-0.125f, -0.5f, 0);
    glTexCoord2f(1, 0);
    glVertex3f(0.125f, -0.5f, 0);
    glTexCoord2f(1, 1);
    glVertex3f(0.1f, 0.5f, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-0.1f, 0.5f, 0);
    glEnd();
}

inline void drawBranches(int levels, int level) {
    if (levels < 1 || level < 1) return;
    const int k = level - 1;
    const int n = levels;
    const float red = 0.6f * k / n;
    const float green = k > 0 ? 0.2f * n / k + 0.3f : 1.0f;
    const float blue = 0.4f * k / n;
    struct Branch {
        float x, y, z;
        bool recurse;
    };
    const float fk = static_cast<float>(k);
    const Branch branches[3] = {{0, 3 * fk, 35, k > 0}, {-3 * fk, 123, 32, k > 1}, {3 * fk, -109, 39, k > 1}};
    glPushMatrix();
    glColor3f(red, green, blue);
    glScalef(0.7f, 0.7f, 0.7f);
    for (int i = 0; i < 3; ++i) {
        if (i > 0) glColor3f(red, green, blue);
        const Branch& b = branches[i];
        glPushMatrix();
        glRotatef(b.x, 1, 0, 0);
        glRotatef(b.y, 0, 1, 0);
        glRotatef(b.z, 0, 0, 1);
        glTranslatef(0, 0.6f, 0);
        drawBlade();
        if (b.recurse) drawBranches(levels, k);
        glPopMatrix();
    }
    glPopMatrix();
}

inline void drawPlant(int levels, float scaleZ, float scaleY, float scaleX, unsigned int texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    glTranslatef(0, -0.1f, 0);
    glScalef(scaleX, scaleY, scaleZ);
    drawBranches(levels, levels);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

// ---- the two meshes

inline float advancePhase(float phase) {
    constexpr double wrap = 300.0 * 2.0 * std::numbers::pi / (0.3 * 6.28318);
    double next = static_cast<double>(phase) + 0.1;
    if (next >= wrap) next = std::fmod(next, wrap);
    return static_cast<float>(next);
}

inline void updateWater(HeightGrid& grid, float a) {
    grid.amplitude = a;
    for (int i = 0; i < meshSize; ++i) {
        for (int j = 0; j < meshSize; ++j) {
            int dc = j - 32;
            int dr = i - 32;
            float d = std::sqrt(static_cast<float>(dc * dc + dr * dr));
            grid.phases[i][j] = advancePhase(grid.phases[i][j]);
            float t = d / -4.0f;
            double wave = std::sin((static_cast<double>(t) + grid.phases[i][j]) * 0.3 * 6.28318);
            grid.heights[i][j] = static_cast<float>(static_cast<double>(a) * wave + 0.0);
        }
    }
}

inline void drawGrid(const HeightGrid& grid) {
    glLineWidth(1);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 0.6f);
    glBegin(GL_TRIANGLES);
    auto vertex = [&grid](int i, int j) {
        glTexCoord2f(static_cast<float>(j) / 64, static_cast<float>(i) / 64);
        glVertex3f(static_cast<float>(2 * i), grid.heights[i][j], static_cast<float>(2 * j));
    };
    for (int i = 0; i < meshSize - 1; ++i) {
        for (int j = 0; j < meshSize - 1; ++j) {
            vertex(i, j);
            vertex(i + 1, j);
            vertex(i + 1, j + 1);
            vertex(i, j + 1);
            vertex(i, j);
            vertex(i + 1, j + 1);
        }
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

// ---- worms

inline void drawWormBody(const float* colour) {
    static const float legSteps[8][3] = {
        {-0.2f, -0.3f, 0.1f}, {0.2f, -0.3f, 0.1f},  {-0.2f, -0.3f, -0.1f}, {0.2f, -0.3f, -0.1f},
        {0.4f, -0.2f, 0.07f}, {0.6f, -0.1f, 0.04f}, {0.4f, -0.2f, -0.07f}, {0.6f, -0.1f, -0.04f},
    };
    glPushMatrix();
    glPushMatrix();
    glColor3fv(colour);
    glScalef(0.8f, 0.4f, 0.2f);
    glutSolidSphere(1.0, 15, 15);
    glPopMatrix();

    glPushMatrix();
    glColor3f(0, 0, 0);
    glPointSize(10);
    glBegin(GL_POINTS);
    glVertex3f(0.5f, 0.2f, 0.09f);
    glVertex3f(0.5f, 0.2f, -0.09f);
    glEnd();
    glPointSize(1);
    glPopMatrix();

    glPushMatrix();
    for (const auto& step : legSteps) {
        glTranslatef(step[0], step[1], step[2]);
        glColor3f(1, 1, 1);
        glLineWidth(5);
        glLineWidth(1);
        wormDrawer.legPhase = wormDrawer.legPhase == 0 ? 1 : 0;
    }
    glPopMatrix();
    glPopMatrix();
}

inline void drawWorms() {
    for (const Worm& worm : worms) {
        if (worm.alive != 1.0f) continue;
        glPushMatrix();
        int jx = timeSeededRand() % 3;
        int jy = timeSeededRand() % 3;
        int jz = timeSeededRand() % 3;
        glTranslatef(worm.position.x + 0.05f * static_cast<float>(jx), worm.position.y + 0.05f * static_cast<float>(jy),
                     worm.position.z + 0.05f * static_cast<float>(jz));
        const float scale = worm.scale;
        glPushMatrix();
        glScalef(0.05f * scale, 0.05f * scale, 0.05f * scale);
        drawWormBody(colorFor(worm.colorIndex));
        glPopMatrix();
        glPopMatrix();
    }
}

// ---- fish

inline GLUquadric* fishQuadric() {
    static GLUquadric* quadric = [] {
        GLUquadric* q = gluNewQuadric();
        gluQuadricDrawStyle(q, GLU_FILL);
        return q;
    }();
    return quadric;
}

inline void fishColour(int index) {
    glColor3fv(colorFor(fishes[index].colorIndex));
}

inline void drawFishBody(int index) {
    glPushMatrix();
    glBegin(GL_POLYGON);
    fishColour(index);
    glVertex3f(2.6f, 0.4f, 0);
    glVertex3f(-1.4f, 0.8f, 0);
    glVertex3f(-3, 0, 0);
    glColor3f(1, 1, 1);
    glVertex3f(-3, -0.4f, 0);
    glColor3f(1, 1, 1);
    glVertex3f(-1.4f, -1, 0);
    glVertex3f(2.6f, -0.2f, 0);
    glEnd();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-2, 0.2f, 0);
    glColor3f(0, 0, 0);
    glutSolidSphere(0.18, 15, 15);
    glPopMatrix();
}

inline void drawFishTail(int index, int flap) {
    glPushMatrix();
    glRotatef(static_cast<float>(30 * flap), 0, 1, 0);
    glBegin(GL_QUADS);
    fishColour(index);
    glVertex3f(0, 0.3f, 0);
    glColor3f(0.6f, 0.6f, 0.6f);
    glVertex3f(0, -0.3f, 0);
    glColor3f(1, 1, 1);
    glVertex3f(1.2f, -0.9f, 0);
    glColor3f(1, 0, 0);
    glVertex3f(1.2f, 0.9f, 0);
    glEnd();
    glPopMatrix();
}

inline void drawFishFin(const char* side, int index, int flap) {
    glPushMatrix();
    if (std::strcmp(side, "left") == 0) {
        glRotatef(static_cast<float>(20 * flap), 0, 1, 0);
        glRotatef(10, 0, 1, 0);
    } else {
        glRotatef(static_cast<float>(-20 * flap), 0, 1, 0);
        glRotatef(-10, 0, 1, 0);
    }
    glBegin(GL_QUADS);
    fishColour(index);
    glVertex3f(0, 0.2f, 0);
    glColor3f(1, 1, 0);
    glVertex3f(0, -0.2f, 0);
    glColor3f(1, 1, 1);
    glVertex3f(1.3416f, -0.6708f, 0);
    glColor3f(1, 1, 0);
    glVertex3f(1.0733f, 0.313f, 0);
    glEnd();
    glPopMatrix();
}

inline void drawFish(int index, int flap) {
    glPushMatrix();
    fishSchool.flap = flap;
    glRotatef(180, 0, 1, 0);
    glPushMatrix();
    float size = fishes[index].size;
    glScalef(size, size, size);
    drawFishBody(index);

    glPushMatrix();
    glTranslatef(-1.1f, -0.4f, 0);
    drawFishFin("left", index, flap);
    if (index % 2 == 0) {
        fishColour(index);
        glPushMatrix();
        glTranslatef(1.1f, 0.4f, 0);
        glScalef(1, 1, 0.2f);
        gluSphere(fishQuadric(), 2.0, 20, 20);
        glPopMatrix();
    }
    drawFishFin("right", index, flap);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(2.6f, 0.1f, 0);
    drawFishTail(index, flap);
    glPopMatrix();

    glPopMatrix();
    glPopMatrix();
}

inline void drawSchool(int flap) {
    for (int i = 0; i < fishSlots; ++i) {
        if (fishes[i].alive != 1.0f) continue;
        glPushMatrix();
        const Vec3f& p = fishes[i].position;
        glTranslatef(3 * p.x, 3 * p.y, 3 * p.z);
        FishTurn turn = stepFishLogic(i);
        glRotatef(turn.yaw, 0, 1, 0);
        glRotatef(turn.pitch, 0, 0, 1);
        drawFish(i, flap);
        glPopMatrix();
    }
}

// ---- the composition

inline bool texturesOn() {
    return scene.texturesOn == 1;
}

inline void applyDepthTestSetting() {
    switchCap(GL_DEPTH_TEST, scene.depthTestOn == 1);
}

inline void drawCeilingLamp() {
    glPushMatrix();
    glPushAttrib(GL_LIGHTING_BIT);
    glColor3f(0.66f, 0.57f, 0.06f);
    glTranslatef(0, 7.5f, 0);
    if (texturesOn()) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, woodTexture);
    }
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    gluCylinder(sharedQuadric, 0.18, 0.2, 0.1, 10, 5);
    glRotatef(180, 1, 0, 0);
    gluDisk(sharedQuadric, 0, 0.18, 10, 3);
    glPopMatrix();

    glTranslatef(0, -1, 0);
    glPushMatrix();
    glTranslatef(0, 0.2f, 0);
    glRotatef(-90, 1, 0, 0);
    gluCylinder(sharedQuadric, 0.05, 0.05, 0.8, 10, 5);
    glPopMatrix();

    glDisable(GL_TEXTURE_2D);
    applyLampMaterial();
    if (scene.ceilingLightOff == 1 && scene.lightingOn == 1)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    gluSphere(sharedQuadric, 0.2, 20, 20);
    glPopAttrib();
    glPopMatrix();
}

inline void drawScene() {
    glTranslatef(0, -2.5f, 0);
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    drawRoomBox();
    glPopMatrix();
    glPushMatrix();
    if (texturesOn()) {
        glTranslatef(0, 2, 0);
        drawRoomShell();
    }
    glPopMatrix();
    drawCeilingLamp();

    glPushMatrix();
    glScalef(2.5f, 1.5f, 2);
    glTranslatef(0, 0, -0.45f);
    if (scene.furnitureCount > 0) {
        glPushMatrix();
        glColor3f(0, 0, 1);
        drawTable(scene.polygonFill, scene.texturesOn);
        glPopMatrix();
    }

    glPushMatrix();
    glTranslatef(0, -0.2f, 0.55f);

    if (texturesOn()) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, waterTexture);
    }
    glPushMatrix();
    glTranslatef(-0.45f, 1.8f, 0.4f);
    glScalef(0.007f, 0.006f, 0.007f);
    glRotatef(180, 1, 0, 0);
    updateWater(waterMesh, scene.waveAmplitude);
    drawGrid(waterMesh);
    glPopMatrix();

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
    if (texturesOn()) drawRect(sandTexture, 1, 1, 1, 1);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);

    glPushMatrix();
    glTranslatef(-0.01f, 1.5f, -0.04f);
    glScalef(0.15f, 0.15f, 0.15f);
    glPushMatrix();
    glColor3f(0.4f, 0.4f, 0.4f);
    drawTank(6, 6, 6);
    glPopMatrix();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-0.45f, 1.25f, 0.4f);
    glScalef(0.007f, 0.006f, 0.007f);
    glRotatef(180, 1, 0, 0);
    drawGrid(sandMesh);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-0.01f, 1.5f, -0.04f);
    glRotatef(-25, 0, 1, 1);
    glScalef(0.15f, 0.15f, 0.15f);
    glTranslatef(2, -2.5f, 0);
    drawPlant(7, 2, 2, 2, sandTexture);
    glPopMatrix();

    struct Pebble {
        unsigned int* texture;
        float x, y, z;
        double radius;
    };
    const Pebble pebbles[3] = {
        {&marbleTexture, -0.2f, 1.25f, 0.2f, 1.0},
        {&picture3Texture, -0.2f, 1.25f, -0.2f, 1.5},
        {&picture2Texture, -0.2f, 1.25f, -0.4f, 1.5},
    };
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
        gluSphere(sharedQuadric, pebble.radius, 20, 20);
        glPopMatrix();
    }

    glPushMatrix();
    glTranslatef(0, 1.5f, 0);
    glScalef(0.15f, 0.15f, 0.15f);
    drawWorms();
    glPushMatrix();
    glScalef(0.3f, 0.3f, 0.3f);
    applyDepthTestSetting();
    drawSchool(scene.flapSign);
    applyDepthTestSetting();
    glPopMatrix();
    glPopMatrix();

    glPopMatrix();
    glPopMatrix();
}

// The display callback's frame, drawn the plain way, without the swap.
inline void renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (scene.viewMode == Perspective)
        applyOrbitView();
    else
        applyLookAtView();
    applyRenderState();
    applyLightSwitches();
    drawScene();
    glFinish();
}

}  // namespace reference
