// primitives.h -- GL's primitives drawn as Mesa draws them: carried into clip space on the CPU, split
// into triangles, lines and points in Mesa's order, faced and culled, and handed to the batches.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "gl/es/vertex.h"

namespace es {

// Where a primitive comes from changes how Mesa splits quads: a display list always one way, an
// immediate or array draw by whether any of its vertices lies outside the view volume.
enum class Origin { Immediate, Arrays, DisplayList };

// Draws the primitive `mode` over `vertices`, taken in the order `indices` gives (or as they stand
// when it is null), in the current state.
void drawPrimitives(GLenum mode, const std::vector<SourceVertex>& vertices, const std::vector<std::uint32_t>* indices,
                    Origin origin);

// Whether `mode` is one of the primitives glBegin and the array draws take.
bool validPrimitiveMode(GLenum mode);

}  // namespace es
