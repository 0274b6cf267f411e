// projection.h -- the three view modes: viewport and projection, the orbit and look-at
// transforms, and mouse steering of the perspective view.
#pragma once

void applyProjection(int width, int height);
void applyOrbitView();
void applyLookAtView();
void onMouseMotion(int x, int y);
