// glut_platform.h -- the program's side of the platform seam: GLUT and the view's projection.
#pragma once

// Installs the GLUT window calls and applyProjection behind the platform seam (app/platform.h);
// start-up calls it once the window exists.
void installGlutPlatform();
