// batch.h -- the layer's draws to ES: the corners of primitives that share one state are gathered and
// drawn by one call, however many matrices placed them.
#pragma once

#include <GL/gl.h>

#include "gl/es/vertex.h"

namespace es {

enum class Kind : unsigned char { Points, Lines, Triangles };

// Starts or continues a run of `kind` primitives in the current state; what was gathered in another
// state, or of another kind, is drawn first. With `cpuCulled` the layer has settled facing itself
// and ES culls nothing.
void beginRun(Kind kind, bool cpuCulled);

// One corner of the run's current primitive: placed by `position`, coloured and lit from `shading`
// (the same vertex, or the provoking one under flat shading).
void addCorner(const EsVertex& position, const EsVertex& shading);

// Draws what is gathered; before anything reads or changes the framebuffer, and before ES state the
// batch does not own is changed.
void flushBatch();

// Some state a draw reads has changed; the next run compares its state anew.
void drawStateChanged();

// Creates the layer's buffer and sets ES to the state the batches assume.
void startBatches();

}  // namespace es

namespace es {

// What the layer does to ES outside the batches goes through these, so the batches' record of ES's
// state stays true: each draws what is gathered first.
void bindEsTexture(GLuint name);
void prepareEsClear(bool depthMask);

}  // namespace es
