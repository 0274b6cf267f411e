// plant_layout.cpp -- where the water plant's blades lie, worked out once on the CPU.
#include "room/plant_layout.h"

#include <glm/gtc/matrix_inverse.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>
#include <glm/matrix.hpp>

namespace {

// The blades are placed as GL places them, column-major, but worked in doubles.
using Matrix = glm::dmat4;

struct Builder {
    int levels;
    PlantLayout layout;

    void blade(const Matrix& m) {
        for (int c = 0; c < 4; ++c) {
            const glm::dvec4 corner = m * glm::dvec4(plantBladeCorners[c][0], plantBladeCorners[c][1], 0, 1);
            for (int row = 0; row < 3; ++row) layout.positions.push_back(static_cast<float>(corner[row]));
            layout.texCoords.push_back(plantBladeTexCoords[c][0]);
            layout.texCoords.push_back(plantBladeTexCoords[c][1]);
            for (float v : layout.lastColour) layout.colours.push_back(v);
        }
        // GL carries normals by the inverse transpose of the placement's upper 3 by 3; a flat
        // placement has none, and its blade's normals are zero.
        const glm::dmat3 upper(m);
        const bool invertible = glm::determinant(upper) != 0;
        const glm::dmat3 normalTransform = invertible ? glm::inverseTranspose(upper) : glm::dmat3(0);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                layout.normalTransforms.push_back(static_cast<float>(normalTransform[col][row]));
        layout.anyBlade = true;
    }

    // The same walk as the plant's drawing: three branches per level, two of them going deeper.
    void branches(const Matrix& frame, int level) {
        if (levels < 1 || level < 1) return;
        const int k = level - 1;
        const std::array<float, 3> colour = plantLevelColour(k, levels);
        const Matrix scaled = glm::scale(frame, glm::dvec3(0.7, 0.7, 0.7));
        for (const PlantBranch& b : plantBranches(k)) {
            for (int c = 0; c < 3; ++c) layout.lastColour[c] = colour[c];
            Matrix m = glm::rotate(scaled, glm::radians(double{b.aboutX}), glm::dvec3(1, 0, 0));
            m = glm::rotate(m, glm::radians(double{b.aboutY}), glm::dvec3(0, 1, 0));
            m = glm::rotate(m, glm::radians(double{b.aboutZ}), glm::dvec3(0, 0, 1));
            m = glm::translate(m, glm::dvec3(0, 0.6, 0));
            blade(m);
            if (b.recurse) branches(m, k);
        }
    }
};

}  // namespace

std::array<PlantBranch, 3> plantBranches(int k) {
    const float fk = static_cast<float>(k);
    return {{{0, 3 * fk, 35, k > 0}, {-3 * fk, 123, 32, k > 1}, {3 * fk, -109, 39, k > 1}}};
}

std::array<float, 3> plantLevelColour(int k, int levels) {
    // The tips (k = 0) would divide by zero; their green is the clamped full value.
    return {0.6f * k / levels, k > 0 ? 0.2f * levels / k + 0.3f : 1.0f, 0.4f * k / levels};
}

void PlantLayout::normalsFor(const float n[3], std::vector<float>& out) const {
    out.resize(positions.size());
    const size_t blades = normalTransforms.size() / 9;
    for (size_t b = 0; b < blades; ++b) {
        const float* t = &normalTransforms[b * 9];
        const float v[3] = {t[0] * n[0] + t[1] * n[1] + t[2] * n[2], t[3] * n[0] + t[4] * n[1] + t[5] * n[2],
                            t[6] * n[0] + t[7] * n[1] + t[8] * n[2]};
        for (int c = 0; c < 4; ++c)
            for (int i = 0; i < 3; ++i) out[b * 12 + c * 3 + i] = v[i];
    }
}

PlantLayout layOutPlant(int levels, float scaleZ, float scaleY, float scaleX) {
    Builder builder{levels, {}};
    const Matrix frame =
        glm::scale(glm::translate(Matrix(1), glm::dvec3(0, -0.1f, 0)), glm::dvec3(scaleX, scaleY, scaleZ));
    builder.branches(frame, levels);
    return builder.layout;
}
