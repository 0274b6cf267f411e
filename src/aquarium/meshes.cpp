// meshes.cpp -- heights of the water surface (reshaped every draw) and the sand bed (shaped once).
#include "aquarium/meshes.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>

namespace {
constexpr double frequency = 0.3;
constexpr double twoPiAsUsed = 6.28318;
constexpr double phaseStep = 0.1;

// The rings repeat whenever the phase grows by one sine period, 2 pi / (0.3 x 6.28318), a hair
// over 10/3. Left alone the float phase of the water would coarsen over hours and stop moving
// after a few days (0.1 vanishes against 2^21), so once it passes 300 periods (about 1000, some
// 10,000 frames) it drops back by exactly that much, worked out in doubles. Until then the heights
// are bit for bit those of a phase that grows for ever; afterwards the phase only ever retraces
// the values of those first 10,000 frames, and the shift of the sine's argument is off from
// 300 turns by no more than the float rounding of the wrapped phase (a few 1e-9), far below
// what the heights can show.
constexpr double phaseWrap = 300.0 * 2.0 * std::numbers::pi / (frequency * twoPiAsUsed);

float advancePhase(float phase) {
    double next = static_cast<double>(phase) + phaseStep;
    if (next >= phaseWrap) next = std::fmod(next, phaseWrap);  // exact: next - phaseWrap in a run
    return static_cast<float>(next);
}
}  // namespace

void HeightGrid::updateHeightsWith(const Shape& shape, float a) {
    amplitude = a;
    for (int i = 0; i < meshSize; ++i) {
        for (int j = 0; j < meshSize; ++j) {
            int dc = j - shape.centreColumn;
            int dr = i - shape.centreRow;
            float d = std::sqrt(static_cast<float>(dc * dc + dr * dr));
            phases[i][j] = advancePhase(phases[i][j]);
            float t = d / shape.divisor;
            if (shape.rim && (i == 0 || i == meshSize - 1 || j == 0 || j == meshSize - 1)) {
                heights[i][j] = 30.0f;
                continue;
            }
            double base = shape.steppedBase ? 5.0 - i / 16 : 0.0;
            double wave = std::sin((static_cast<double>(t) + phases[i][j]) * frequency * twoPiAsUsed);
            heights[i][j] = static_cast<float>(static_cast<double>(a) * wave + base);
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
