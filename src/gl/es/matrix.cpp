// matrix.cpp -- GL's matrices, computed to the bit as Mesa computes them.
#include "gl/es/matrix.h"

#include <cmath>

namespace es {

Matrix Matrix::identity() {
    return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix p;
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a.at(i, 0), ai1 = a.at(i, 1), ai2 = a.at(i, 2), ai3 = a.at(i, 3);
        for (int j = 0; j < 4; ++j)
            p.m[j * 4 + i] = ai0 * b.at(0, j) + ai1 * b.at(1, j) + ai2 * b.at(2, j) + ai3 * b.at(3, j);
    }
    return p;
}

void translate(Matrix& matrix, float x, float y, float z) {
    float* m = matrix.m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void scale(Matrix& matrix, float x, float y, float z) {
    float* m = matrix.m;
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

void rotate(Matrix& matrix, float degrees, float x, float y, float z) {
    // The angle is turned into radians in double and its sine taken in float: Mesa's way, which
    // differs from the double sine in the last bit for most angles.
    const float s = std::sin(static_cast<float>(degrees * M_PI / 180.0));
    const float c = std::cos(static_cast<float>(degrees * M_PI / 180.0));
    Matrix r = Matrix::identity();
    auto set = [&r](int row, int column, float value) { r.m[column * 4 + row] = value; };
    // Rotations about one axis are written out, so their zeros stay exact zeros.
    if (x == 0 && y == 0 && z != 0) {
        set(0, 0, c), set(1, 1, c);
        set(0, 1, z < 0 ? s : -s), set(1, 0, z < 0 ? -s : s);
    } else if (x == 0 && z == 0 && y != 0) {
        set(0, 0, c), set(2, 2, c);
        set(0, 2, y < 0 ? -s : s), set(2, 0, y < 0 ? s : -s);
    } else if (y == 0 && z == 0 && x != 0) {
        set(1, 1, c), set(2, 2, c);
        set(1, 2, x < 0 ? s : -s), set(2, 1, x < 0 ? -s : s);
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f) return;  // no axis: GL leaves the matrix as it is
        x /= length, y /= length, z /= length;
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, oneMinusC = 1.0f - c;
        set(0, 0, (oneMinusC * xx) + c), set(0, 1, (oneMinusC * xy) - zs), set(0, 2, (oneMinusC * zx) + ys);
        set(1, 0, (oneMinusC * xy) + zs), set(1, 1, (oneMinusC * yy) + c), set(1, 2, (oneMinusC * yz) - xs);
        set(2, 0, (oneMinusC * zx) - ys), set(2, 1, (oneMinusC * yz) + xs), set(2, 2, (oneMinusC * zz) + c);
    }
    matrix = multiply(matrix, r);
}

void ortho(Matrix& matrix, float left, float right, float bottom, float top, float zNear, float zFar) {
    Matrix o = Matrix::identity();
    o.m[0] = 2.0f / (right - left);
    o.m[12] = -(right + left) / (right - left);
    o.m[5] = 2.0f / (top - bottom);
    o.m[13] = -(top + bottom) / (top - bottom);
    o.m[10] = -2.0f / (zFar - zNear);
    o.m[14] = -(zFar + zNear) / (zFar - zNear);
    matrix = multiply(matrix, o);
}

bool normalMatrix(const Matrix& modelView, float out[9]) {
    auto in = [&modelView](int row, int column) { return modelView.at(row, column); };
    // The determinant's six terms summed positive and negative apart, as Mesa's general 3D inverse does.
    const float terms[6] = {
        in(0, 0) * in(1, 1) * in(2, 2),  in(1, 0) * in(2, 1) * in(0, 2),  in(2, 0) * in(0, 1) * in(1, 2),
        -in(2, 0) * in(1, 1) * in(0, 2), -in(1, 0) * in(0, 1) * in(2, 2), -in(0, 0) * in(2, 1) * in(1, 2),
    };
    float positive = 0, negative = 0;
    for (float t : terms) (t >= 0 ? positive : negative) += t;
    float det = positive + negative;
    if (std::fabs(det) < 1e-25f) {
        for (int i = 0; i < 9; ++i) out[i] = i % 4 == 0 ? 1.0f : 0.0f;
        return false;
    }
    det = 1.0f / det;
    float inverse[3][3];  // [row][column]
    inverse[0][0] = ((in(1, 1) * in(2, 2) - in(2, 1) * in(1, 2)) * det);
    inverse[0][1] = (-(in(0, 1) * in(2, 2) - in(2, 1) * in(0, 2)) * det);
    inverse[0][2] = ((in(0, 1) * in(1, 2) - in(1, 1) * in(0, 2)) * det);
    inverse[1][0] = (-(in(1, 0) * in(2, 2) - in(2, 0) * in(1, 2)) * det);
    inverse[1][1] = ((in(0, 0) * in(2, 2) - in(2, 0) * in(0, 2)) * det);
    inverse[1][2] = (-(in(0, 0) * in(1, 2) - in(1, 0) * in(0, 2)) * det);
    inverse[2][0] = ((in(1, 0) * in(2, 1) - in(2, 0) * in(1, 1)) * det);
    inverse[2][1] = (-(in(0, 0) * in(2, 1) - in(2, 0) * in(0, 1)) * det);
    inverse[2][2] = ((in(0, 0) * in(1, 1) - in(1, 0) * in(0, 1)) * det);
    // Transposed: the eye-space normal's i-th component is column i of the inverse times the normal.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[i * 3 + j] = inverse[j][i];
    return true;
}

MatrixStack::MatrixStack(int maxDepth) : stack_{Matrix::identity()}, maxDepth_(maxDepth) {}

bool MatrixStack::push() {
    if (depth() >= maxDepth_) return false;
    stack_.push_back(stack_.back());
    return true;
}

bool MatrixStack::pop() {
    if (depth() <= 1) return false;
    stack_.pop_back();
    return true;
}

}  // namespace es
