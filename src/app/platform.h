// platform.h -- the few GLUT window calls that commands make, behind a seam: they act only
// once the window is open, so commands and their tests run without GLUT.
#pragma once

// Set by start-up once glutCreateWindow has returned; cleared when the window is destroyed.
extern bool platformWindowOpen;

void requestRedisplay();  // glutPostRedisplay
void selectMainWindow();  // glutSetWindow(mainWindow)
void setWindowTitle(const char* title);

// How often the commands asked for a redisplay, open window or not (tests read it).
long redisplayRequestCount();
