// scene.h -- draws the whole world once per frame, in its fixed order; the fish step happens inside.
#pragma once

#include <GL/glu.h>

// Created at start-up after the textures; the lamp and the pebbles draw with it.
extern GLUquadric* sharedQuadric;

void drawScene();
void drawCeilingLamp();
