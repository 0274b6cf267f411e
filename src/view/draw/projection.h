// projection.h -- the three view modes' GL side: viewport and projection, the orbit and look-at
// transforms.
#pragma once

// Viewport and projection matrix. Commands reach it through the window-call seam.
void applyProjection(int width, int height);
void applyOrbitView();
void applyLookAtView();
// The view mode's own transform: the orbit in the perspective view, the look-at camera otherwise.
void applyViewTransform();
