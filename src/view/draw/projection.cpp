// projection.cpp -- viewport, projection matrix and view transform of the current view mode.
#include "view/draw/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "core/scene_state.h"

void applyProjection(int width, int height) {
    scene.windowWidth = width;
    scene.windowHeight = height;
    glViewport(0, 0, scene.windowWidth, scene.windowHeight);
    glMatrixMode(GL_PROJECTION);
    if (scene.viewMode == Orthogonal) {
        glLoadIdentity();
        glRotatef(static_cast<float>(scene.orthoRotation), 0, 1, 0);
        glOrtho(scene.orthoLeft, scene.orthoRight, scene.orthoBottom, scene.orthoTop, scene.nearPlane, scene.farPlane);
    } else if (scene.windowWidth > 0 && scene.windowHeight > 0) {
        glLoadIdentity();
        gluPerspective(scene.fieldOfView,
                       static_cast<double>(scene.windowWidth) / static_cast<double>(scene.windowHeight),
                       scene.nearPlane, scene.farPlane);
    }
    // A minimised window reports an empty size: its aspect would put an infinity or a NaN into the
    // frustum, so the perspective keeps its last shape until the window has a size again.
}

void applyOrbitView() {
    scene.viewDistance = -(scene.nearPlane + (scene.farPlane - scene.nearPlane) * scene.mouseFracY);
    glTranslatef(0, -1.25f, static_cast<float>(scene.viewDistance));
    glRotatef(static_cast<float>(scene.orbitAngle), 0, 1, 0);
    scene.tiltAngle = 180 * scene.mouseFracX - 90;
    glRotatef(static_cast<float>(scene.tiltAngle), 1, 0, 0);
}

void applyViewTransform() {
    if (scene.viewMode == Perspective)
        applyOrbitView();
    else
        applyLookAtView();
}

void applyLookAtView() {
    gluLookAt(scene.eyeX, scene.eyeY, scene.eyeZ, scene.eyeX + scene.lookDirX, scene.eyeY + scene.lookDirY,
              scene.eyeZ + scene.lookDirZ, scene.upX, scene.upY, scene.upZ);
}
