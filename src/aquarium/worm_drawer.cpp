// worm_drawer.cpp -- draws the present worms at their lattice points; within one second every
// worm hops by the same small diagonal offset.
#include "aquarium/worm_drawer.h"

#include <GL/freeglut.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "aquarium/random.h"
#include "aquarium/tables.h"
#include "room/imprints.h"
#include "room/pixel_imprint.h"
#include "room/recorded_shape.h"

namespace {
// The leg anchors, each reached from the one before.
constexpr float legSteps[8][3] = {
    {-0.2f, -0.3f, 0.1f},  {0.2f, -0.3f, 0.1f}, {-0.2f, -0.3f, -0.1f}, {0.2f, -0.3f, -0.1f},
    {0.4f, -0.2f, 0.07f},  {0.6f, -0.1f, 0.04f}, {0.4f, -0.2f, -0.07f}, {0.6f, -0.1f, -0.04f},
};

// Every worm's body is the same unit sphere; GLUT would work out its tables again for each one.
RecordedShape bodySphere;

// Imprinted after four frames of the same worms.
PixelImprint wormsLaidDown(4);
}  // namespace

void WormDrawer::drawWorms(Feeder&) {
    // The hops are drawn first, three per present worm in slot order as always; reseeded before each
    // draw, the three are equal within one second.
    struct Placed {
        const Worm* worm;
        int jx, jy, jz;
    };
    Placed placed[wormSlots];
    int count = 0;
    std::vector<uint32_t> identity;
    identity.reserve(wormSlots * 9);
    for (const Worm& worm : worms) {
        if (worm.alive != 1.0f) continue;
        Placed& p = placed[count++];
        p.worm = &worm;
        p.jx = timeSeededRand() % 3;
        p.jy = timeSeededRand() % 3;
        p.jz = timeSeededRand() % 3;
        for (float v : {worm.scale, worm.colorIndex, worm.position.x, worm.position.y, worm.position.z})
            identity.push_back(std::bit_cast<uint32_t>(v));
        for (int j : {p.jx, p.jy, p.jz}) identity.push_back(static_cast<uint32_t>(j));
    }

    // The worms stay put for a second at a time, so they too are laid down from an imprint of
    // their pixels while they and the view hold still (see room/pixel_imprint.h).
    wormsLaidDown.draw(identity, [this, &placed, count] {
        for (int i = 0; i < count; ++i) {
            const Placed& p = placed[i];
            const Worm& worm = *p.worm;
            glPushMatrix();
            glTranslatef(worm.position.x + 0.05f * static_cast<float>(p.jx),
                         worm.position.y + 0.05f * static_cast<float>(p.jy),
                         worm.position.z + 0.05f * static_cast<float>(p.jz));
            drawWorm(colorFor(worm.colorIndex), worm.scale);
            glPopMatrix();
        }
    });
}

const PixelImprint& wormsImprint() {
    return wormsLaidDown;
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
