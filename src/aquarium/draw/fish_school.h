// fish_school.h -- draws the present fish, stepping each one between placing and drawing it.
#pragma once

struct GLUquadric;  // GLU's quadric; the school only holds a pointer to its own
class Feeder;

class FishSchool {
public:
    FishSchool();
    virtual ~FishSchool();
    FishSchool(const FishSchool&) = delete;
    FishSchool& operator=(const FishSchool&) = delete;

    // What the scene composition calls, once per frame.
    void drawSchool(int flap, Feeder& feeder);

    // The steps of drawSchool: the parts of one fish, and its behaviour step.
    void drawFish(int index, int flap);
    void drawBody(int index);
    void drawTail(int index);
    void drawFin(const char* side, int index);
    void stepFish(int index, Feeder& feeder);

    // Kept because the design names them as the school's operations; nothing calls them. Each
    // forwards to its step in behaviour.h (chooseTargetLogic, orientationFor, raiseWavesLogic,
    // aimFishAtWormLogic), which the behaviour step and the Insert command call directly.
    void chooseTarget(int index, Feeder& feeder);
    void orientFish(int index, Feeder& feeder);
    void raiseWaves(Feeder& feeder);
    void aimFishAtWorm(int fish, int worm, Feeder& feeder);

    // Named by the design and never read: the behaviour aims with fishSpeed (behaviour.h), the
    // same 0.1.
    double speed = 0.1;
    GLUquadric* quadric = nullptr;
    int flap = 1;
};

// The one school, built before main with the other process-wide objects (app/draw/globals.cpp).
extern FishSchool fishSchool;
