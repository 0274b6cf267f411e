// fish_school.h -- draws the present fish, stepping each one between placing and drawing it.
#pragma once

#include <GL/glu.h>

class Feeder;

class FishSchool {
public:
    FishSchool();
    virtual ~FishSchool();
    FishSchool(const FishSchool&) = delete;
    FishSchool& operator=(const FishSchool&) = delete;

    void drawSchool(int flap, Feeder& feeder);
    void drawFish(int index, int flap);
    void drawBody(int index);
    void drawTail(int index);
    void drawFin(const char* side, int index);
    void stepFish(int index, Feeder& feeder);
    void chooseTarget(int index, Feeder& feeder);
    void orientFish(int index, Feeder& feeder);
    void raiseWaves(Feeder& feeder);
    void aimFishAtWorm(int fish, int worm, Feeder& feeder);

    double speed = 0.1;
    GLUquadric* quadric = nullptr;
    int flap = 1;
};

// The one school, built before main with the other process-wide objects (app/globals.cpp).
extern FishSchool fishSchool;
