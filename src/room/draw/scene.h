// scene.h -- draws the whole world once per frame, in its fixed order; the fish step happens inside.
#pragma once

#include <GL/glu.h>

// Created at start-up after the textures; the lamp and the pebbles draw with it.
extern GLUquadric* sharedQuadric;

// The quadric whose texture coordinates the render state has switched on (it does so in every
// filled frame and never switches them off). The lamp's and the pebbles' recorded shapes are kept
// apart for a quadric with texture coordinates and one without.
extern GLUquadric* quadricWithTexCoords;

void drawScene();
void drawCeilingLamp();
