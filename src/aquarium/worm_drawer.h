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
