// webgl_drawing.h -- the drawing's start on the page's WebGL context and the end of each frame, which the
// page's GLUT calls (gl_context_webgl.cpp).
#pragma once

// Starts the GL ES 2 layer on the current WebGL context; a context without the calls it needs ends the
// program with a message and status 1.
void startWebGlDrawing();

// Hands the layer's held drawing to WebGL, before the browser shows the frame.
void presentWebGlFrame();
