// meshes.cpp -- heights of the water surface (reshaped every draw) and the sand bed (shaped once),
// and the indexed drawing of their grids.
#define GL_GLEXT_PROTOTYPES 1
#include "aquarium/meshes.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "aquarium/grid_plain.h"
#include "gl/straightforward.h"

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

// A point's distance from the ring centre never changes, and the rings are round, so many points
// share one distance: the water's 4,096 points have some 600 different ones. The table keeps, per
// shape, each point's scaled distance t (as the float it always was) and which distinct t it has.
struct RingTable {
    int centreColumn = 0;
    int centreRow = 0;
    float divisor = 0.0f;
    float t[meshSize][meshSize] = {};
    uint16_t distinct[meshSize][meshSize] = {};
    std::vector<float> distinctT;
};

RingTable makeRingTable(int centreColumn, int centreRow, float divisor) {
    RingTable table;
    table.centreColumn = centreColumn;
    table.centreRow = centreRow;
    table.divisor = divisor;
    std::vector<int> slotOfSquare;  // by squared distance, which is what fixes t
    for (int i = 0; i < meshSize; ++i) {
        for (int j = 0; j < meshSize; ++j) {
            int dc = j - centreColumn;
            int dr = i - centreRow;
            int square = dc * dc + dr * dr;
            float d = std::sqrt(static_cast<float>(square));
            table.t[i][j] = d / divisor;
            if (static_cast<size_t>(square) >= slotOfSquare.size()) slotOfSquare.resize(square + 1, -1);
            if (slotOfSquare[square] < 0) {
                slotOfSquare[square] = static_cast<int>(table.distinctT.size());
                table.distinctT.push_back(table.t[i][j]);
            }
            table.distinct[i][j] = static_cast<uint16_t>(slotOfSquare[square]);
        }
    }
    return table;
}

// Two shapes are ever used; a third would simply get its own table.
const RingTable& ringTableFor(int centreColumn, int centreRow, float divisor) {
    static std::vector<RingTable> tables;
    for (const RingTable& t : tables)
        if (t.centreColumn == centreColumn && t.centreRow == centreRow &&
            std::bit_cast<uint32_t>(t.divisor) == std::bit_cast<uint32_t>(divisor))
            return t;
    tables.push_back(makeRingTable(centreColumn, centreRow, divisor));
    return tables.back();
}

double waveAt(float t, float phase) {
    return std::sin((static_cast<double>(t) + phase) * frequency * twoPiAsUsed);
}
}  // namespace

void HeightGrid::updateHeightsWith(const Shape& shape, float a) {
    amplitude = a;
    const RingTable& ring = ringTableFor(shape.centreColumn, shape.centreRow, shape.divisor);

    // The phase grows before it is used, at every point, rim included.
    const uint32_t firstPhase = std::bit_cast<uint32_t>(advancePhase(phases[0][0]));
    bool onePhase = true;
    for (auto& row : phases)
        for (float& phase : row) {
            phase = advancePhase(phase);
            onePhase = onePhase && std::bit_cast<uint32_t>(phase) == firstPhase;
        }

    // With one phase everywhere (as the meshes always have it) a point's sine depends on its
    // distance alone and is worked out once per distinct distance; the values are the very ones
    // the per-point formula gives, since the inputs are bit for bit the same.
    std::vector<double> waveOfDistinct;
    if (onePhase) {
        waveOfDistinct.resize(ring.distinctT.size());
        for (size_t k = 0; k < ring.distinctT.size(); ++k)
            waveOfDistinct[k] = waveAt(ring.distinctT[k], std::bit_cast<float>(firstPhase));
    }

    for (int i = 0; i < meshSize; ++i) {
        for (int j = 0; j < meshSize; ++j) {
            if (shape.rim && (i == 0 || i == meshSize - 1 || j == 0 || j == meshSize - 1)) {
                heights[i][j] = 30.0f;
                continue;
            }
            double base = shape.steppedBase ? 5.0 - i / 16 : 0.0;
            double wave = onePhase ? waveOfDistinct[ring.distinct[i][j]] : waveAt(ring.t[i][j], phases[i][j]);
            heights[i][j] = static_cast<float>(static_cast<double>(a) * wave + base);
        }
    }
}

SandBedMesh::SandBedMesh() {
    amplitude = 4.0f;
    updateHeights(4.0f);
}

void SandBedMesh::updateHeights(float a) {
    updateHeightsWith({16, 32, -6.0f, true, true}, a);
}

void SandBedMesh::drawMesh(float) {
    drawGrid();
}

WaterSurfaceMesh::WaterSurfaceMesh() {
    amplitude = 5.0f;
}

void WaterSurfaceMesh::updateHeights(float a) {
    updateHeightsWith({32, 32, -4.0f, false, false}, a);
}

void WaterSurfaceMesh::drawMesh(float a) {
    updateHeights(a);
    drawGrid();
}

namespace {

constexpr int cellsPerSide = meshSize - 1;
constexpr int gridIndexCount = cellsPerSide * cellsPerSide * 6;  // 23,814 corners of 7,938 triangles

int pointIndex(int i, int j) {
    return i * meshSize + j;
}

// What every grid shares in one context: the texture coordinates of the points and the corner
// order of the triangles.
struct SharedGridBuffers {
    const void* context = nullptr;
    GLuint texCoords = 0;
    GLuint corners = 0;
};

const SharedGridBuffers& sharedGridBuffers(const void* context) {
    static SharedGridBuffers shared;
    if (shared.context == context) return shared;
    // A new context (the old one's names went with it).
    shared.context = context;

    std::vector<float> texCoords;
    texCoords.reserve(meshSize * meshSize * 2);
    for (int i = 0; i < meshSize; ++i)
        for (int j = 0; j < meshSize; ++j) {
            texCoords.push_back(static_cast<float>(j) / 64);
            texCoords.push_back(static_cast<float>(i) / 64);
        }

    // Per cell, as the triangles always went: (i, j), (i+1, j), (i+1, j+1), then (i, j+1), (i, j),
    // (i+1, j+1); the order keeps each triangle's last corner, whose colour flat shading uses.
    std::vector<uint16_t> corners;
    corners.reserve(gridIndexCount);
    for (int i = 0; i < cellsPerSide; ++i)
        for (int j = 0; j < cellsPerSide; ++j)
            for (int c : {pointIndex(i, j), pointIndex(i + 1, j), pointIndex(i + 1, j + 1), pointIndex(i, j + 1),
                          pointIndex(i, j), pointIndex(i + 1, j + 1)})
                corners.push_back(static_cast<uint16_t>(c));

    glGenBuffers(1, &shared.texCoords);
    glBindBuffer(GL_ARRAY_BUFFER, shared.texCoords);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(texCoords.size() * sizeof(float)), texCoords.data(),
                 GL_STATIC_DRAW);
    glGenBuffers(1, &shared.corners);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, shared.corners);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(uint16_t)), corners.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return shared;
}

}  // namespace

void HeightGrid::drawGrid() {
    if (straightforwardDrawing()) return drawGridPlainly(heights);
    glLineWidth(1);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 0.6f);

    const void* context = glXGetCurrentContext();
    const SharedGridBuffers& shared = sharedGridBuffers(context);
    bool send = false;
    if (glCopy.context != context) {
        glCopy.context = context;
        glGenBuffers(1, &glCopy.positionBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, glCopy.positionBuffer);
        glBufferData(GL_ARRAY_BUFFER, meshSize * meshSize * 3 * sizeof(float), nullptr, GL_DYNAMIC_DRAW);
        send = true;
    } else {
        glBindBuffer(GL_ARRAY_BUFFER, glCopy.positionBuffer);
        send = std::memcmp(glCopy.sentHeights, heights, sizeof heights) != 0;
    }
    if (send) {
        // Point (i, j) lies at x = 2i, z = 2j, y = its height.
        static float positions[meshSize * meshSize * 3];
        for (int i = 0; i < meshSize; ++i)
            for (int j = 0; j < meshSize; ++j) {
                float* p = &positions[pointIndex(i, j) * 3];
                p[0] = static_cast<float>(2 * i);
                p[1] = heights[i][j];
                p[2] = static_cast<float>(2 * j);
            }
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof positions, positions);
        std::memcpy(glCopy.sentHeights, heights, sizeof heights);
    }

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, shared.texCoords);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, shared.corners);
    glDrawElements(GL_TRIANGLES, gridIndexCount, GL_UNSIGNED_SHORT, nullptr);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    // Point by point, the last corner sent (63, 63) left its texture coordinates current; later
    // drawing that sets none of its own reads them, so they are left the same way.
    glTexCoord2f(static_cast<float>(cellsPerSide) / 64, static_cast<float>(cellsPerSide) / 64);
    glDisable(GL_TEXTURE_2D);
}
