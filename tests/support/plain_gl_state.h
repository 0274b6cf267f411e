// plain_gl_state.h -- GL's state as a fresh context has it, for a frame drawn after other frames.
#pragma once

// Puts back what the drawing reads before it sets it (material, current colour, normal and texture
// coordinate, texture, polygon mode, line and point size, the model-view matrix), and the shared
// quadric's texture coordinates: the first filled frame switches those on for good (GLU keeps them,
// not GL), so a first wireframe frame would otherwise differ.
void startFromPlainGlState();
