// behaviour.h -- one behaviour step of one fish, as plain C++: what the fish drawing needs
// back is the turn to apply before drawing the fish.
#pragma once

// The length of every velocity the behaviour aims.
constexpr double fishSpeed = 0.1;

struct FishTurn {
    float yaw;    // degrees about y
    float pitch;  // degrees about z
};

// Runs the step for present fish i: arrival, eating and growing, leaving and replacement,
// waves, orientation and the move. Returns the rotations to apply before drawing it.
FishTurn stepFishLogic(int index);

// Gives fish i a new target (a worm slot for a small fish, the surface for a grown one).
void chooseTargetLogic(int index);

// Aims fish f at worm slot w, makes one move at once and marks it hunting.
void aimFishAtWormLogic(int fish, int worm);

// The yaw and pitch for the given velocity.
FishTurn orientationFor(float vx, float vy, float vz);

// Starts strong waves on the water surface.
void raiseWavesLogic();
