// recorded_shape.cpp -- unchanging geometry recorded once per GL context as a display list and
// replayed.
#include "gl/recorded_shape.h"

#include <GL/gl.h>

bool renderingPixels() {
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    return mode == GL_RENDER;
}

bool RecordedShape::startRecording() {
    // The first draw in this context; a list made in another one went away with it.
    if (!context.enterCurrent()) return false;
    list = glGenLists(1);
    if (list == 0) return false;
    glNewList(list, GL_COMPILE);
    return true;
}

void RecordedShape::finishRecording() {
    glEndList();
}

bool RecordedShape::replay() {
    if (list == 0) return false;
    glCallList(list);
    return true;
}
