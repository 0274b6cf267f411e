// scene.cpp -- draws the whole world once per frame, in its fixed order; the fish step happens inside.
#include "room/scene.h"

GLUquadric* sharedQuadric = nullptr;

void drawScene() {}
void drawCeilingLamp() {}
