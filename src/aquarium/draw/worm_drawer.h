// worm_drawer.h -- draws the present worms at their lattice points, hopping once a second.
#pragma once

#include <cstdint>

class Feeder;

class WormDrawer {
public:
    WormDrawer() = default;
    virtual ~WormDrawer() = default;

    void drawWorms(Feeder& feeder);
    void drawWorm(const float* colour, float scale);
    void drawWormBody(const float* colour);

    int32_t legPhase = 0;
};

// The one worm drawer, built before main with the other process-wide objects (app/draw/globals.cpp).
extern WormDrawer wormDrawer;
