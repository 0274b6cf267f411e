// gl_window.cpp -- one real window per test process.
#include "support/gl_window.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdlib>
#include <vector>

#include "app/shell/startup.h"
#include "core/scene_state.h"
#include "gl/read_back.h"

namespace {
bool opened = false;
void noDisplay() {}
}  // namespace

void ensureGlWindow() {
    if (opened) {
        glutSetWindow(scene.mainWindow);
        return;
    }
    int argc = 1;
    char name[] = "glintmere_gltests";
    char* argv[] = {name, nullptr};
    // Commands project for real here; the window calls stay out, as GL tests drive frames themselves.
    StartupSteps steps;
    steps.argc = &argc;
    steps.argv = argv;
    steps.width = 1200;
    steps.height = 600;
    steps.display = noDisplay;
    if (!startUp(steps)) std::exit(1);
    // Let the window appear so its buffers have their real size.
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    opened = true;
}

Rgb readPixel(int x, int y) {
    std::vector<unsigned char> p;
    readBackBuffer(x, y, 1, 1, p);
    return {p[0], p[1], p[2]};
}

std::array<double, 3> projectPoint(double x, double y, double z) {
    GLdouble model[16], proj[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::array<double, 3> out{};
    gluProject(x, y, z, model, proj, viewport, &out[0], &out[1], &out[2]);
    return out;
}

std::array<double, 16> currentMatrix(GLenum which) {
    std::array<double, 16> m{};
    glGetDoublev(which, m.data());
    return m;
}
