// gl_window.h -- a real GLUT window on the X display for tests that read back what GL holds.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>

// Opens (once per process) a 1200 by 600 window through the program's start-up (app/shell/startup.h), with
// the projection installed and nothing else, and makes its context current. Safe to call from
// every test.
void ensureGlWindow();

struct Rgb {
    int r, g, b;
};

// Reads one pixel of the back buffer (window coordinates, origin at the bottom left).
Rgb readPixel(int x, int y);

// Projects a point of the current model-view and projection matrices to window coordinates.
std::array<double, 3> projectPoint(double x, double y, double z);

std::array<double, 16> currentMatrix(GLenum which);  // GL_MODELVIEW_MATRIX or GL_PROJECTION_MATRIX
