// fish_school.cpp -- the fish drawing, with one behaviour step per present fish between
// placing it and drawing it.
#include "aquarium/fish_school.h"

FishSchool::FishSchool() {
    quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
}

FishSchool::~FishSchool() { gluDeleteQuadric(quadric); }

void FishSchool::drawSchool(int, Feeder&) {}
void FishSchool::drawFish(int, int) {}
void FishSchool::drawBody(int) {}
void FishSchool::drawTail(int) {}
void FishSchool::drawFin(const char*, int) {}
void FishSchool::stepFish(int, Feeder&) {}
void FishSchool::chooseTarget(int, Feeder&) {}
void FishSchool::orientFish(int, Feeder&) {}
void FishSchool::raiseWaves(Feeder&) {}
void FishSchool::aimFishAtWorm(int, int, Feeder&) {}
