// glut_window_calls.cpp -- GLUT's window calls and the view's projection behind the commands' seam.
#include "app/shell/glut_window_calls.h"

#include <GL/freeglut.h>

#include "controls/special_keys.h"
#include "core/window_calls.h"
#include "platform/platform.h"
#include "view/draw/projection.h"

// onSpecialKey is handed GLUT's key codes as they come; its names must carry the same values.
static_assert(KeyF1 == GLUT_KEY_F1 && KeyF2 == GLUT_KEY_F2 && KeyF3 == GLUT_KEY_F3 && KeyF4 == GLUT_KEY_F4);
static_assert(KeyF5 == GLUT_KEY_F5 && KeyF6 == GLUT_KEY_F6 && KeyF7 == GLUT_KEY_F7 && KeyF8 == GLUT_KEY_F8);
static_assert(KeyF9 == GLUT_KEY_F9 && KeyF10 == GLUT_KEY_F10 && KeyF11 == GLUT_KEY_F11 && KeyF12 == GLUT_KEY_F12);
static_assert(KeyLeft == GLUT_KEY_LEFT && KeyUp == GLUT_KEY_UP && KeyRight == GLUT_KEY_RIGHT &&
              KeyDown == GLUT_KEY_DOWN);
static_assert(KeyPageUp == GLUT_KEY_PAGE_UP && KeyPageDown == GLUT_KEY_PAGE_DOWN && KeyHome == GLUT_KEY_HOME &&
              KeyEnd == GLUT_KEY_END && KeyInsert == GLUT_KEY_INSERT);

namespace {
void startGlutTimer(unsigned int ms, void (*tick)(int), int value) {
    glutTimerFunc(ms, tick, value);
}

// freeglut only marks the window in glutDestroyWindow and destroys it on its next pass of the main
// loop. The exit never returns there (it plays the clap and ends the process), so the window would
// stay on the screen, frozen, until the process ends; it is taken off the screen now instead.
void destroyGlutWindow(int window) {
    glutSetWindow(window);
    platformHideCurrentWindow();
    glutDestroyWindow(window);
    platformFlushWindowSystem();
}
}  // namespace

void installGlutWindowCalls() {
    WindowCalls calls;
    calls.postRedisplay = glutPostRedisplay;
    calls.setWindow = glutSetWindow;
    calls.setWindowTitle = glutSetWindowTitle;
    calls.destroyWindow = destroyGlutWindow;
    calls.startTimer = startGlutTimer;
    installWindowCalls(calls);
    installProjection(applyProjection);
}
