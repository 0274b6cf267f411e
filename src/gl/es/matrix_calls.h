// matrix_calls.h -- the current matrix, for the calls that change it (GL's and GLU's).
#pragma once

#include "gl/es/matrix.h"

namespace es {

// The top of the stack glMatrixMode chose.
MatrixStack* currentStack();
Matrix& currentMatrix();

// After any change to a matrix: what is worked out from the matrices is worked out again.
void matrixChanged();

// The current matrix times `factor`, given in double and taken in float, as glMultMatrixd does.
void multiplyCurrent(const double factor[16]);

}  // namespace es
