// plant_layout.cpp -- where the water plant's blades lie, worked out once on the CPU.
#include "room/plant_layout.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

// A column-major 4 by 4 matrix, as GL keeps its matrix stack, worked in doubles.
using Matrix = std::array<double, 16>;

Matrix identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[col * 4 + k];
            r[col * 4 + row] = sum;
        }
    return r;
}

Matrix translation(double x, double y, double z) {
    Matrix m = identity();
    m[12] = x, m[13] = y, m[14] = z;
    return m;
}

Matrix scaling(double x, double y, double z) {
    Matrix m = identity();
    m[0] = x, m[5] = y, m[10] = z;
    return m;
}

// The rotation glRotate makes: `degrees` about the axis (x, y, z), normalised.
Matrix rotation(double degrees, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) return identity();
    x /= length, y /= length, z /= length;
    const double a = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1 - c;
    Matrix m = identity();
    m[0] = t * x * x + c, m[4] = t * x * y - s * z, m[8] = t * x * z + s * y;
    m[1] = t * x * y + s * z, m[5] = t * y * y + c, m[9] = t * y * z - s * x;
    m[2] = t * x * z - s * y, m[6] = t * y * z + s * x, m[10] = t * z * z + c;
    return m;
}

struct Builder {
    int levels;
    PlantLayout layout;

    void blade(const Matrix& m) {
        static constexpr float corners[4][2] = {{-0.125f, -0.5f}, {0.125f, -0.5f}, {0.1f, 0.5f}, {-0.1f, 0.5f}};
        static constexpr float texCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int c = 0; c < 4; ++c) {
            const double x = corners[c][0], y = corners[c][1];
            for (int row = 0; row < 3; ++row)
                layout.positions.push_back(static_cast<float>(m[row] * x + m[4 + row] * y + m[12 + row]));
            layout.texCoords.push_back(texCoords[c][0]);
            layout.texCoords.push_back(texCoords[c][1]);
            for (float v : layout.lastColour) layout.colours.push_back(v);
        }
        // The inverse transpose of the upper 3 by 3 (a, row-major here), as GL carries normals.
        const double a[3][3] = {{m[0], m[4], m[8]}, {m[1], m[5], m[9]}, {m[2], m[6], m[10]}};
        const double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                           a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
        // The cofactor matrix over the determinant is the inverse transpose.
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
                const double cofactor = a[i1][j1] * a[i2][j2] - a[i1][j2] * a[i2][j1];
                layout.normalTransforms.push_back(det != 0 ? static_cast<float>(cofactor / det) : 0.0f);
            }
        layout.anyBlade = true;
    }

    // The same walk as the plant's drawing: three branches per level, two of them going deeper.
    void branches(const Matrix& frame, int level) {
        if (levels < 1 || level < 1) return;
        const int k = level - 1;
        const int n = levels;
        const float colour[3] = {0.6f * k / n, k > 0 ? 0.2f * n / k + 0.3f : 1.0f, 0.4f * k / n};
        const float fk = static_cast<float>(k);
        struct Branch {
            float aboutX, aboutY, aboutZ;
            bool recurse;
        };
        const Branch list[3] = {{0, 3 * fk, 35, k > 0}, {-3 * fk, 123, 32, k > 1}, {3 * fk, -109, 39, k > 1}};
        const Matrix scaled = multiply(frame, scaling(0.7, 0.7, 0.7));
        for (const Branch& b : list) {
            for (int c = 0; c < 3; ++c) layout.lastColour[c] = colour[c];
            Matrix m = multiply(scaled, rotation(b.aboutX, 1, 0, 0));
            m = multiply(m, rotation(b.aboutY, 0, 1, 0));
            m = multiply(m, rotation(b.aboutZ, 0, 0, 1));
            m = multiply(m, translation(0, 0.6, 0));
            blade(m);
            if (b.recurse) branches(m, k);
        }
    }
};

}  // namespace

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
    const Matrix frame = multiply(translation(0, -0.1f, 0), scaling(scaleX, scaleY, scaleZ));
    builder.branches(frame, levels);
    return builder.layout;
}
