// arrays.h -- drawing from arrays the way glDrawElements does, for the layer's own shapes.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace es {

// As glDrawElements over arrays of positions (3 floats), normals (3 floats, or none) and texture
// coordinates (2 floats, or none) enabled as client arrays: drawn at once, or kept whole in the list
// being compiled. The current values are left as they are.
void drawArrayElements(GLenum mode, const float* positions, const float* normals, const float* texCoords,
                       const std::vector<std::uint32_t>& indices);

}  // namespace es
