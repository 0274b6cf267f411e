// lighting_program.h -- the ES programs that do per vertex what Mesa's fixed-function vertex program
// and texture environment do, one program for each combination of switches the drawing uses. Faces
// under flat shading come to them lit already (face_lighting.h), so those programs light nothing.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <map>

namespace es {

// The attribute slots of every program; the batches lay their vertices out to match (vertex.h).
enum Attribute : GLuint { ClipAttribute, ColourAttribute, TexCoordAttribute, EyeAttribute, NormalAttribute };

// The switches that change the program's code, as Mesa's fixed-function program changes with them.
struct ProgramKey {
    bool lighting = false;
    bool normalize = false;
    bool specular = false;      // a nonzero shininess
    bool trackAmbient = false;  // colour material: the vertex colour is the front ambient
    bool trackDiffuse = false;  // ... and the front diffuse
    bool texturing = false;
    std::uint8_t lights = 0;      // enabled lights, one bit each
    std::uint8_t attenuated = 0;  // lights whose distance attenuation is not the constant 1

    bool operator<(const ProgramKey& other) const;
};

struct Program {
    GLuint id = 0;
    // Uniforms; -1 where this program has none.
    GLint lightPosition = -1, lightAmbient = -1, lightDiffuse = -1, specularProduct = -1, attenuation = -1;
    GLint modelAmbient = -1, emission = -1, sceneColour = -1, diffuseAlpha = -1, shininess = -1;
    GLint texture = -1;
};

// The program for `key`, compiled the first time it is asked for. Aborts with ES's log when ES refuses
// it: the sources are fixed, so a refusal is a fault of the layer, not of the drawing.
const Program& programFor(const ProgramKey& key);

// Forgets every program (they belong to the context the layer started with).
void forgetPrograms();

}  // namespace es
