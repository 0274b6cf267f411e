// tables.h -- the aquarium's process-wide tables: the fish, the worm slots and the shared colours.
#pragma once

#include <cstdint>

struct Vec3f {
    float x, y, z;
};

// Fifteen 32-bit floats, in this order. `alive` is 1.0 for a present fish; tests are for exactly 1.0.
struct Fish {
    float alive;
    float size;
    float colorIndex;
    Vec3f position;
    Vec3f velocity;
    Vec3f up;
    Vec3f target;
};
static_assert(sizeof(Fish) == 15 * sizeof(float));

// Six 32-bit floats; a slot's position never changes.
struct Worm {
    float alive;
    float scale;
    float colorIndex;
    Vec3f position;
};
static_assert(sizeof(Worm) == 6 * sizeof(float));

constexpr int fishSlots = 10;
constexpr int wormSlots = 64;

extern Fish fishes[fishSlots];
extern const Fish fishStart[fishSlots];
extern Worm worms[wormSlots];
extern const Worm wormStart[wormSlots];
extern int32_t fishHasTarget[fishSlots];
extern int32_t fishTargetWorm[fishSlots];
extern const float colorTable[11][3];

// The colour of a fish or worm: its colour index truncated toward zero.
const float* colorFor(float colorIndex);
