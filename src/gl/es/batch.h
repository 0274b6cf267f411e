// batch.h -- the layer's draws to ES: the corners of primitives that share one state are gathered and
// drawn by one call, however many matrices placed them.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gl/es/vertex.h"

namespace es {

enum class Kind : unsigned char { Lines, Triangles };

// Starts or continues a run of `kind` primitives in the current state; what was gathered in another
// state, or of another kind, is drawn first. With `cpuCulled` the layer has settled facing itself
// and ES culls nothing.
void beginRun(Kind kind, bool cpuCulled);

// The vertices and indices of the run being gathered, which the primitives write straight in; every
// vertex is placed once and named by index, however many triangles share it.
struct Run {
    static constexpr size_t maxVertices = 65536;  // 16-bit indices, which every ES 2.0 takes
    static constexpr size_t litFloats = 16;       // clip 4, colour 4, texture coordinates 2, eye 3, normal 3
    static constexpr size_t plainFloats = 10;     // without the eye position and normal

    std::vector<float> vertices;  // grown, never shrunk; `used` floats of it are the run's
    size_t used = 0;
    size_t vertexCount = 0;
    std::vector<std::uint16_t> indices;  // likewise, `indexCount` of them
    size_t indexCount = 0;
    unsigned generation = 0;  // changes whenever the run is drawn, and with it every index
    bool lit = false;         // whether the vertices carry the eye position and normal
};
extern Run run;

// Makes room for `count` more vertices and indices, drawing what is gathered when it is full; call it
// before a primitive's vertices, so none of them is drawn apart from the others.
void reserve(size_t vertices, size_t indices);

// A vertex of the run, placed by `position`, coloured and lit from `shading` (the same vertex, or the
// provoking one under flat shading); its index, valid while run.generation stays the same.
inline std::uint16_t addVertex(const EsVertex& position, const EsVertex& shading) {
    float* out = run.vertices.data() + run.used;
    std::memcpy(out, position.clip, 4 * sizeof(float));
    std::memcpy(out + 4, shading.colour, 4 * sizeof(float));
    std::memcpy(out + 8, position.texCoord, 2 * sizeof(float));
    if (run.lit) {
        std::memcpy(out + 10, shading.eye, 3 * sizeof(float));
        std::memcpy(out + 13, shading.normal, 3 * sizeof(float));
        run.used += Run::litFloats;
    } else {
        run.used += Run::plainFloats;
    }
    return static_cast<std::uint16_t>(run.vertexCount++);
}

// The next corner of the run's primitives: a vertex of the run, by its index.
inline void addIndex(std::uint16_t index) {
    run.indices[run.indexCount++] = index;
}

// Draws what is gathered; before anything reads or changes the framebuffer, and before ES state the
// batch does not own is changed.
void flushBatch();

// Some state a draw reads has changed; the next run compares its state anew.
void drawStateChanged();

// Changes with every drawStateChanged, so what is worked out from the state knows when to refresh.
unsigned drawStateSerial();

// Creates the layer's buffer and sets ES to the state the batches assume.
void startBatches();

}  // namespace es

namespace es {

// What the layer does to ES outside the batches goes through these, so the batches' record of ES's
// state stays true: each draws what is gathered first.
void bindEsTexture(GLuint name);
void prepareEsClear(bool depthMask);

}  // namespace es
