// mesh_drawing.cpp -- the indexed drawing of the two meshes' grids, from buffers kept per context.
#include "aquarium/draw/mesh_drawing.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "aquarium/draw/grid_plain.h"
#include "gl/buffer_calls.h"
#include "gl/client_arrays.h"
#include "gl/context_key.h"
#include "gl/straightforward.h"

void drawMesh(SandBedMesh& mesh, float) {
    drawGrid(mesh);
}

void drawMesh(WaterSurfaceMesh& mesh, float a) {
    mesh.updateHeights(a);
    drawGrid(mesh);
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
    ContextKey context;
    GLuint texCoords = 0;
    GLuint corners = 0;
};

const SharedGridBuffers& sharedGridBuffers(const BufferCalls& gl) {
    static SharedGridBuffers shared;
    // A new context (the old one's names went with it) gets the buffers made again.
    if (!shared.context.enterCurrent()) return shared;

    std::vector<float> texCoords;
    texCoords.reserve(meshSize * meshSize * 2);
    for (int i = 0; i < meshSize; ++i)
        for (int j = 0; j < meshSize; ++j) {
            texCoords.push_back(static_cast<float>(j) / meshSize);
            texCoords.push_back(static_cast<float>(i) / meshSize);
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

    gl.genBuffers(1, &shared.texCoords);
    gl.bindBuffer(GL_ARRAY_BUFFER, shared.texCoords);
    gl.bufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(texCoords.size() * sizeof(float)), texCoords.data(),
                  GL_STATIC_DRAW);
    gl.genBuffers(1, &shared.corners);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, shared.corners);
    gl.bufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(uint16_t)), corners.data(),
                  GL_STATIC_DRAW);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return shared;
}

// A grid's points as GL holds them: one vertex per point, shared by the six corners of the cells
// around it. Made on the first draw in a context and sent again only when the heights have changed
// since.
struct GlCopy {
    ContextKey context;
    GLuint positionBuffer = 0;
    float sentHeights[meshSize][meshSize] = {};
};

// One copy per grid drawn, kept here with the drawing rather than in the logic's grid.
GlCopy& glCopyOf(const HeightGrid& grid) {
    static std::map<const HeightGrid*, GlCopy> copies;
    return copies[&grid];
}

}  // namespace

void drawGrid(const HeightGrid& grid) {
    const auto& heights = grid.heights;
    // Without buffer objects (a GL 1.1 driver) the grid goes point by point, as in the straightforward drawing.
    const BufferCalls& gl = bufferCalls();
    if (straightforwardDrawing() || !gl.complete()) return drawGridPlainly(heights);
    glLineWidth(1);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 0.6f);

    const SharedGridBuffers& shared = sharedGridBuffers(gl);
    GlCopy& glCopy = glCopyOf(grid);
    bool send = false;
    if (glCopy.context.enterCurrent()) {
        gl.genBuffers(1, &glCopy.positionBuffer);
        gl.bindBuffer(GL_ARRAY_BUFFER, glCopy.positionBuffer);
        gl.bufferData(GL_ARRAY_BUFFER, meshSize * meshSize * 3 * sizeof(float), nullptr, GL_DYNAMIC_DRAW);
        send = true;
    } else {
        gl.bindBuffer(GL_ARRAY_BUFFER, glCopy.positionBuffer);
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
        gl.bufferSubData(GL_ARRAY_BUFFER, 0, sizeof positions, positions);
        std::memcpy(glCopy.sentHeights, heights, sizeof heights);
    }

    {
        ClientArrays arrays{GL_VERTEX_ARRAY, GL_TEXTURE_COORD_ARRAY};
        glVertexPointer(3, GL_FLOAT, 0, nullptr);
        gl.bindBuffer(GL_ARRAY_BUFFER, shared.texCoords);
        glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
        gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, shared.corners);
        glDrawElements(GL_TRIANGLES, gridIndexCount, GL_UNSIGNED_SHORT, nullptr);
    }
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);

    // Point by point, the last corner sent (63, 63) left its texture coordinates current; later
    // drawing that sets none of its own reads them, so they are left the same way.
    glTexCoord2f(static_cast<float>(cellsPerSide) / meshSize, static_cast<float>(cellsPerSide) / meshSize);
    glDisable(GL_TEXTURE_2D);
}
