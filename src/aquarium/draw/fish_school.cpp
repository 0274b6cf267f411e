// fish_school.cpp -- the fish drawing, with one behaviour step per present fish between
// placing it and drawing it.
#include "aquarium/draw/fish_school.h"

#include <GL/freeglut.h>

#include <cstring>

#include "aquarium/behaviour.h"
#include "aquarium/tables.h"
#include "gl/recorded_shape.h"

namespace {
void fishColour(int index) {
    glColor3fv(colorFor(fishes[index].colorIndex));
}

// The eye and the disc body are the same for every fish; recorded once instead of being worked
// out again for each fish in every frame.
RecordedShape eyeSphere;
RecordedShape discSphere;
}  // namespace

FishSchool::FishSchool() {
    quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
}

FishSchool::~FishSchool() {
    gluDeleteQuadric(quadric);
}

// Each fish is placed where it was, then stepped, so it shows where it stood before this frame's
// move but faces its new course; a fish brought in at a higher slot is stepped and shown at once.
void FishSchool::drawSchool(int flapValue, Feeder& feeder) {
    for (int i = 0; i < fishSlots; ++i) {
        if (fishes[i].alive != 1.0f) continue;
        glPushMatrix();
        const Vec3f& p = fishes[i].position;
        glTranslatef(3 * p.x, 3 * p.y, 3 * p.z);
        stepFish(i, feeder);
        drawFish(i, flapValue);
        glPopMatrix();
    }
}

// The model's head points to -x and its body lies in z = 0; the half turn makes it face +x.
void FishSchool::drawFish(int index, int flapValue) {
    glPushMatrix();
    flap = flapValue;
    glRotatef(180, 0, 1, 0);
    glPushMatrix();
    float size = fishes[index].size;
    glScalef(size, size, size);
    drawBody(index);

    glPushMatrix();
    glTranslatef(-1.1f, -0.4f, 0);
    drawFin("left", index);
    if (index % 2 == 0) {
        // Even slots wear a disc-like body around the flat one.
        fishColour(index);
        glPushMatrix();
        glTranslatef(1.1f, 0.4f, 0);
        glScalef(1, 1, 0.2f);
        // The school's quadric keeps its settings for its whole life, so one recording serves.
        discSphere.draw([this] { gluSphere(quadric, 2.0, 20, 20); });
        glPopMatrix();
    }
    drawFin("right", index);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(2.6f, 0.1f, 0);
    drawTail(index);
    glPopMatrix();

    glPopMatrix();
    glPopMatrix();
}

void FishSchool::drawBody(int index) {
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

    // The eye straddles the body plane so it shows from both sides.
    glPushMatrix();
    glTranslatef(-2, 0.2f, 0);
    glColor3f(0, 0, 0);
    eyeSphere.draw([] { glutSolidSphere(0.18, 15, 15); });
    glPopMatrix();
}

// The root edge lies on the rotation axis, so the tail swings about its root.
void FishSchool::drawTail(int index) {
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

void FishSchool::drawFin(const char* side, int index) {
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

// The step's last drawing action is the turn to the course it has just chosen.
void FishSchool::stepFish(int index, Feeder&) {
    FishTurn turn = stepFishLogic(index);
    glRotatef(turn.yaw, 0, 1, 0);
    glRotatef(turn.pitch, 0, 0, 1);
}

void FishSchool::chooseTarget(int index, Feeder&) {
    chooseTargetLogic(index);
}

void FishSchool::orientFish(int index, Feeder&) {
    const Vec3f& v = fishes[index].velocity;
    FishTurn turn = orientationFor(v.x, v.y, v.z);
    glRotatef(turn.yaw, 0, 1, 0);
    glRotatef(turn.pitch, 0, 0, 1);
}

void FishSchool::raiseWaves(Feeder&) {
    raiseWavesLogic();
}

void FishSchool::aimFishAtWorm(int fish, int worm, Feeder&) {
    aimFishAtWormLogic(fish, worm);
}
