// worm_drawer.cpp -- draws the present worms at their lattice points; within one second every
// worm hops by the same small diagonal offset.
#include "aquarium/draw/worm_drawer.h"

#include <GL/freeglut.h>

#include "aquarium/random.h"
#include "aquarium/tables.h"
#include "gl/recorded_shape.h"

namespace {
// The leg anchors, each reached from the one before.
constexpr float legSteps[8][3] = {
    {-0.2f, -0.3f, 0.1f}, {0.2f, -0.3f, 0.1f},  {-0.2f, -0.3f, -0.1f}, {0.2f, -0.3f, -0.1f},
    {0.4f, -0.2f, 0.07f}, {0.6f, -0.1f, 0.04f}, {0.4f, -0.2f, -0.07f}, {0.6f, -0.1f, -0.04f},
};

// Every worm's body is the same unit sphere; GLUT would work out its tables again for each one.
RecordedShape bodySphere;
}  // namespace

void WormDrawer::drawWorms(Feeder&) {
    // Three hops per present worm in slot order; reseeded before each draw, the three are equal
    // within one second.
    for (const Worm& worm : worms) {
        if (worm.alive != 1.0f) continue;
        const int jx = timeSeededRand() % 3;
        const int jy = timeSeededRand() % 3;
        const int jz = timeSeededRand() % 3;
        glPushMatrix();
        glTranslatef(worm.position.x + 0.05f * static_cast<float>(jx), worm.position.y + 0.05f * static_cast<float>(jy),
                     worm.position.z + 0.05f * static_cast<float>(jz));
        drawWorm(colorFor(worm.colorIndex), worm.scale);
        glPopMatrix();
    }
}

void WormDrawer::drawWorm(const float* colour, float scale) {
    glPushMatrix();
    glScalef(0.05f * scale, 0.05f * scale, 0.05f * scale);
    drawWormBody(colour);
    glPopMatrix();
}

void WormDrawer::drawWormBody(const float* colour) {
    glPushMatrix();

    glPushMatrix();
    glColor3fv(colour);
    glScalef(0.8f, 0.4f, 0.2f);
    bodySphere.draw([] { glutSolidSphere(1.0, 15, 15); });
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

    // The legs have anchors but no shape: each step sets the leg colour and width and draws
    // nothing, and the phase flips eight times, ending each worm where it began.
    glPushMatrix();
    for (const auto& step : legSteps) {
        glTranslatef(step[0], step[1], step[2]);
        glColor3f(1, 1, 1);
        glLineWidth(5);
        glLineWidth(1);
        legPhase = legPhase == 0 ? 1 : 0;
    }
    glPopMatrix();

    glPopMatrix();
}
