// fish_school.cpp -- the fish drawing, with one behaviour step per present fish between
// placing it and drawing it.
#include "aquarium/fish_school.h"

FishSchool::FishSchool() {
    quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
}

FishSchool::~FishSchool() { gluDeleteQuadric(quadric); }
