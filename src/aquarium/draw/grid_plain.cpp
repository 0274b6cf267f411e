// grid_plain.cpp -- a height grid drawn the straightforward way, corner by corner in immediate mode.
#include "aquarium/draw/grid_plain.h"

#include <GL/gl.h>

void drawGridPlainly(const float (&heights)[meshSize][meshSize]) {
    glLineWidth(1);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 0.6f);
    glBegin(GL_TRIANGLES);
    auto corner = [&heights](int i, int j) {
        glTexCoord2f(static_cast<float>(j) / meshSize, static_cast<float>(i) / meshSize);
        glVertex3f(static_cast<float>(2 * i), heights[i][j], static_cast<float>(2 * j));
    };
    // Per cell two triangles: (i, j), (i+1, j), (i+1, j+1), then (i, j+1), (i, j), (i+1, j+1).
    for (int i = 0; i < meshSize - 1; ++i) {
        for (int j = 0; j < meshSize - 1; ++j) {
            corner(i, j);
            corner(i + 1, j);
            corner(i + 1, j + 1);
            corner(i, j + 1);
            corner(i, j);
            corner(i + 1, j + 1);
        }
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
}
