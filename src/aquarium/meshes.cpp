// meshes.cpp -- heights of the water surface (reshaped every draw) and the sand bed (shaped once).
#include "aquarium/meshes.h"

#include <GL/gl.h>

#include <cmath>

void HeightGrid::updateHeightsWith(const Shape& shape, float a) {
    amplitude = a;
    for (int i = 0; i < meshSize; ++i) {
        for (int j = 0; j < meshSize; ++j) {
            int dc = j - shape.centreColumn;
            int dr = i - shape.centreRow;
            float d = std::sqrt(static_cast<float>(dc * dc + dr * dr));
            phases[i][j] = phases[i][j] + 0.1f;
            float t = d / shape.divisor;
            if (shape.rim && (i == 0 || i == meshSize - 1 || j == 0 || j == meshSize - 1)) {
                heights[i][j] = 30.0f;
                continue;
            }
            double base = shape.steppedBase ? 5.0 - i / 16 : 0.0;
            heights[i][j] = static_cast<float>(static_cast<double>(a) *
                                                   std::sin((static_cast<double>(t) + phases[i][j]) * 0.3 * 6.28318) +
                                               base);
        }
    }
}

SandBedMesh::SandBedMesh() {
    amplitude = 4.0f;
    updateHeights(4.0f);
}

void SandBedMesh::updateHeights(float a) { updateHeightsWith({16, 32, -6.0f, true, true}, a); }

void SandBedMesh::drawMesh(float) { drawGrid(); }

WaterSurfaceMesh::WaterSurfaceMesh() { amplitude = 5.0f; }

void WaterSurfaceMesh::updateHeights(float a) { updateHeightsWith({32, 32, -4.0f, false, false}, a); }

void WaterSurfaceMesh::drawMesh(float a) {
    updateHeights(a);
    drawGrid();
}

void HeightGrid::drawGrid() {
    glLineWidth(1);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 0.6f);
    glBegin(GL_TRIANGLES);
    auto vertex = [this](int i, int j) {
        glTexCoord2f(static_cast<float>(j) / 64, static_cast<float>(i) / 64);
        glVertex3f(static_cast<float>(2 * i), heights[i][j], static_cast<float>(2 * j));
    };
    for (int i = 0; i < meshSize - 1; ++i) {
        for (int j = 0; j < meshSize - 1; ++j) {
            vertex(i, j);
            vertex(i + 1, j);
            vertex(i + 1, j + 1);
            vertex(i, j + 1);
            vertex(i, j);
            vertex(i + 1, j + 1);
        }
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
}
