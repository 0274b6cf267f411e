// display_lists.h -- display lists: the immediate-mode calls made while one is compiled, kept in order
// and replayed by glCallList.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "gl/es/vertex.h"

namespace es {

// What a list keeps: the calls that build primitives and set current values.
struct ListCall {
    enum Kind : unsigned char { Begin, End, Vertex, Colour, Normal, TexCoord, ArrayDraw } kind;
    GLenum mode;
    float values[4];
};

// An array draw made while compiling: the elements' values, taken when the list was made. The arrays
// that were off leave their attributes to the current values when the list is called; unlike the
// immediate-mode calls, an array draw changes no current value.
struct KeptArrayDraw {
    GLenum mode;
    bool colours, normals, texCoords;  // which attributes the arrays gave
    std::vector<SourceVertex> vertices;
};

// True while glNewList(..., GL_COMPILE) is open: the calls are kept, not done.
bool compilingList();
void keep(const ListCall& call);
void keepArrayDraw(KeptArrayDraw&& draw);

}  // namespace es
