// worm_drawer.cpp -- draws the present worms at their lattice points.
#include "aquarium/worm_drawer.h"

void WormDrawer::drawWorms(Feeder&) {}
void WormDrawer::drawWorm(const float*, float) {}
void WormDrawer::drawWormBody(const float*) {}
