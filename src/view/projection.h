// projection.h -- the three view modes: viewport and projection, the orbit and look-at
// transforms, and mouse steering of the perspective view.
#pragma once

// GL: viewport and projection matrix (projection.cpp). Commands reach it through the platform seam.
void applyProjection(int width, int height);
void applyOrbitView();
void applyLookAtView();
// The view mode's own transform: the orbit in the perspective view, the look-at camera otherwise.
void applyViewTransform();

// Logic: the drag callback (mouse_steering.cpp).
void onMouseMotion(int x, int y);
