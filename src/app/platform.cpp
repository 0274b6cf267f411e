// platform.cpp -- GLUT window calls, made only while the window exists.
#include "app/platform.h"

#include <GL/freeglut.h>

#include "app/scene_state.h"

bool platformWindowOpen = false;

namespace {
long redisplayRequests = 0;
}

void requestRedisplay() {
    ++redisplayRequests;
    if (platformWindowOpen) glutPostRedisplay();
}

void selectMainWindow() {
    if (platformWindowOpen) glutSetWindow(scene.mainWindow);
}

void setWindowTitle(const char* title) {
    if (platformWindowOpen) glutSetWindowTitle(title);
}

long redisplayRequestCount() { return redisplayRequests; }
