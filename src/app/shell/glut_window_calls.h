// glut_window_calls.h -- the program's side of the window-call seam: GLUT and the view's projection.
#pragma once

// Installs the GLUT window calls and applyProjection behind the window-call seam (core/window_calls.h);
// start-up calls it once the window exists.
void installGlutWindowCalls();
