// vertex.h -- a vertex as the drawing gives it, and as the layer hands it to ES.
#pragma once

namespace es {

// What glVertex, glColor, glNormal and glTexCoord (or the client arrays) gave, in object space.
struct SourceVertex {
    float position[4];
    float colour[4];
    float normal[3];
    float texCoord[2];
};

// A vertex carried into clip space on the CPU, with what its lighting needs in eye space. The eye
// position and normal are filled only while lighting is on.
struct EsVertex {
    float clip[4];
    float colour[4];
    float texCoord[2];
    float eye[3];
    float normal[3];
};

}  // namespace es
