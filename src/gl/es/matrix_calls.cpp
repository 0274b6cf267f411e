// matrix_calls.cpp -- glMatrixMode and the calls that change the current matrix.
#include "gl/es/matrix_calls.h"

#include "gl/es/context.h"

namespace es {

MatrixStack* currentStack() {
    Context& c = context();
    switch (c.matrixMode) {
        case GL_MODELVIEW:
            return &c.modelView;
        case GL_PROJECTION:
            return &c.projection;
        case GL_TEXTURE:
            return &c.textureMatrix;
        default:
            return nullptr;
    }
}

Matrix& currentMatrix() {
    return currentStack()->top();
}

void matrixChanged() {
    ++context().matrixSerial;
}

void multiplyCurrent(const double factor[16]) {
    Matrix m;
    for (int k = 0; k < 16; ++k) m.m[k] = static_cast<float>(factor[k]);
    currentMatrix() = multiply(currentMatrix(), m);
    matrixChanged();
}

}  // namespace es

using namespace es;

void glMatrixMode(GLenum mode) {
    // The texture matrix is kept for GL's sake; the drawing never leaves it other than the identity.
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) return raise(GL_INVALID_ENUM);
    context().matrixMode = mode;
}

void glLoadIdentity() {
    currentMatrix() = Matrix::identity();
    matrixChanged();
}

void glPushMatrix() {
    if (!currentStack()->push()) raise(GL_STACK_OVERFLOW);
}

void glPopMatrix() {
    if (!currentStack()->pop()) return raise(GL_STACK_UNDERFLOW);
    matrixChanged();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    translate(currentMatrix(), x, y, z);
    matrixChanged();
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    scale(currentMatrix(), x, y, z);
    matrixChanged();
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    rotate(currentMatrix(), angle, x, y, z);
    matrixChanged();
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    if (left == right || bottom == top || zNear == zFar) return raise(GL_INVALID_VALUE);
    ortho(currentMatrix(), static_cast<float>(left), static_cast<float>(right), static_cast<float>(bottom),
          static_cast<float>(top), static_cast<float>(zNear), static_cast<float>(zFar));
    matrixChanged();
}
