// immediate.h -- the immediate mode behind glBegin, glVertex and glEnd, and GL's current values; the
// display lists replay through the same steps.
#pragma once

#include <GL/gl.h>

#include "gl/es/primitives.h"

namespace es {

bool insideBeginEnd();
void beginPrimitive(GLenum mode);
// Draws the primitive gathered since beginPrimitive; `origin` says whether a display list sent it.
void endPrimitive(Origin origin);
void addVertex(float x, float y, float z, float w);

// The current values; a colour also reaches the material while colour material tracks it.
void setColour(float r, float g, float b, float a);
void setNormal(float x, float y, float z);
void setTexCoord(float s, float t);

// Colour material: the front (or both) material takes the current colour, as GL does while the
// switch is on, and keeps it when the switch goes off.
void trackCurrentColour();

}  // namespace es
