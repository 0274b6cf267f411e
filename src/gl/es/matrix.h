// matrix.h -- GL's 4 by 4 matrices and their stacks, computed to the bit as Mesa computes them.
//
// The layer transforms vertices on the CPU, so a vertex lands on the pixel Mesa puts it on only when
// every matrix is the same float for float: the same products in the same order, sines taken the same way.
#pragma once

#include <cstring>
#include <vector>

namespace es {

// Column-major, as GL stores it: m[column * 4 + row].
struct Matrix {
    float m[16];
    static Matrix identity();
    float at(int row, int column) const { return m[column * 4 + row]; }
};

// a times b, each entry summed left to right without fused multiply-adds.
Matrix multiply(const Matrix& a, const Matrix& b);

// The current matrix times a translation, scale, rotation (degrees about an axis) or an orthographic
// projection, as glTranslatef, glScalef, glRotatef and glOrtho apply them.
void translate(Matrix& matrix, float x, float y, float z);
void scale(Matrix& matrix, float x, float y, float z);
void rotate(Matrix& matrix, float degrees, float x, float y, float z);
void ortho(Matrix& matrix, float left, float right, float bottom, float top, float zNear, float zFar);

// A point (x, y, z, w) carried by the matrix, each row summed left to right as the GPU does it for
// the fixed-function pipeline: m[0]x + m[4]y + m[8]z + m[12]w.
// Four floats worked on at once, each lane alone; a lane rounds exactly as a float does.
using Float4 = float __attribute__((vector_size(16)));

inline Float4 load4(const float* p) {
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void transformPoint(const Matrix& matrix, const float point[4], float out[4]) {
    const float* m = matrix.m;
    const Float4 r = load4(m) * point[0] + load4(m + 4) * point[1] + load4(m + 8) * point[2] + load4(m + 12) * point[3];
    std::memcpy(out, &r, sizeof r);
}

// The 3 by 3 matrix that carries normals into eye space: the inverse transpose of the upper left of
// `modelView`, row-major (row i gives the i-th component). False, with the identity, when singular.
bool normalMatrix(const Matrix& modelView, float out[9]);

// One of GL's matrix stacks: the top is the current matrix.
class MatrixStack {
public:
    explicit MatrixStack(int maxDepth);
    Matrix& top() { return stack_.back(); }
    const Matrix& top() const { return stack_.back(); }
    bool push();  // false on overflow
    bool pop();   // false on underflow
    int depth() const { return static_cast<int>(stack_.size()); }

private:
    std::vector<Matrix> stack_;
    int maxDepth_;
};

}  // namespace es
