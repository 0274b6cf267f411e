// face_lighting.h -- GL's lighting worked out on the CPU, once for each face flat shading colours alike.
//
// ES 2.0 has no flat varyings: a face's colour must be at each of its corners, and a program lighting
// the corners would light the provoking vertex once for every corner of every face (four times a sphere's
// quad). Under flat shading the layer lights each provoking vertex here instead, with the programs'
// equation in the programs' order and in floats, and draws the faces with their colours unlit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gl/es/context.h"
#include "gl/es/lighting_program.h"
#include "gl/es/vertex.h"

namespace es {

// What the lighting reads besides the vertex: the programs' uniforms, with the lights' and materials'
// products already taken.
struct LightingInputs {
    float lightPosition[maxLights][3] = {}, lightAmbient[maxLights][3] = {}, lightDiffuse[maxLights][3] = {};
    float specularProduct[maxLights][3] = {}, attenuation[maxLights][3] = {};
    float modelAmbient[3] = {}, emission[3] = {}, sceneColour[3] = {};
    float diffuseAlpha = 1, shininess = 0;
};

// The lighting switches of `key` and the values of `inputs`, from `lighting` (with lighting on).
void readLighting(const LightingGroup& lighting, bool normalize, ProgramKey& key, LightingInputs& inputs);

// Replaces the colour of each of `vertices[which[0 .. count)]` by the colour GL's lighting gives it
// (from its colour, eye position and normal), clamped to [0, 1] as the vertex program clamps it, a NaN
// made 1. The vertices are lit a batch at a time, every step over the whole batch.
void lightVertices(const ProgramKey& key, const LightingInputs& inputs, EsVertex* vertices, const std::uint32_t* which,
                   size_t count);

}  // namespace es
