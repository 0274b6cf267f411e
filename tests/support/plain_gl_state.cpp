// plain_gl_state.cpp -- GL's state as a fresh context has it: the same calls through Mesa's GL or the ES
// layer.
#include "support/plain_gl_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "room/draw/scene.h"

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
    glTexCoord2f(0, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1);
    glPointSize(1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (sharedQuadric) gluQuadricTexture(sharedQuadric, GL_FALSE);
    quadricWithTexCoords = nullptr;
}
