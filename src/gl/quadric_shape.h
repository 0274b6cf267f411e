// quadric_shape.h -- a shape GLU draws with a quadric, recorded once for each kind of quadric.
#pragma once

#include <GL/glu.h>

#include "gl/recorded_shape.h"

// A quadric that makes texture coordinates records other calls than one that does not, so the
// shape keeps a recording of each; GLU would otherwise work out its sines again in every frame.
class QuadricShape {
public:
    // Draws drawWith(quadric); `texCoords` says whether the quadric makes texture coordinates. A
    // null quadric draws nothing.
    template <class Draw>
    void draw(GLUquadric* quadric, bool texCoords, Draw drawWith) {
        if (quadric == nullptr) return;
        RecordedShape& shape = texCoords ? withTexCoords : withoutTexCoords;
        shape.draw([&drawWith, quadric] { drawWith(quadric); });
    }

private:
    RecordedShape withTexCoords;
    RecordedShape withoutTexCoords;
};
