// walk.cpp -- turns, steps and height changes of the walk-through eye, each tested against the
// room's inner box and the table's column; a refused move is taken back by arithmetic.
#include "view/walk.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/console.h"
#include "core/scene_state.h"

namespace {

// One move: apply the delta, test, take it back on a collision while checking is on, print the eye.
void moveEye(double dx, double dy, double dz) {
    scene.eyeX += dx;
    scene.eyeY += dy;
    scene.eyeZ += dz;
    if (checkCollision() && scene.collisionCheckOn == 1) {
        scene.eyeX -= dx;
        scene.eyeY -= dy;
        scene.eyeZ -= dz;
    }
    printEyePosition();
}

double lookLength() {
    return std::sqrt(scene.lookDirZ * scene.lookDirZ + scene.lookDirX * scene.lookDirX);
}

std::string streamDefault(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

}  // namespace

bool checkCollision() {
    if (scene.collisionCheckOn != 0) consoleLine("**********collision ckeck.**********");
    const char* message = nullptr;
    if (scene.eyeX <= -7.4)
        message = "You are hitting left wall.";
    else if (scene.eyeX >= 7.4)
        message = "You are hitting right wall.";
    else if (scene.eyeY <= -1.9)
        message = "You are hitting floor.";
    else if (scene.eyeY >= 5.4)
        message = "You are hitting ceiling.";
    else if (scene.eyeZ <= -9.9)
        message = "You are hitting front wall.";
    else if (scene.eyeZ >= 9.9)
        message = "You are hitting back wall.";
    else if (scene.eyeX >= -2.0 && scene.eyeX <= 2.0 && scene.eyeZ >= -1.0 && scene.eyeZ <= 1.19)
        message = "You are hitting the table.";
    if (message == nullptr) return false;
    consoleLine(message);
    return true;
}

void updateLookDirection() {
    double r = scene.headingAngle * 3.14 / 180;
    scene.lookDirX = std::sin(r);
    scene.lookDirZ = -std::cos(r);
}

void printEyePosition() {
    consoleLine("eyeX=" + streamDefault(scene.eyeX) + "eyeY=" + streamDefault(scene.eyeY) +
                "eyeZ=" + streamDefault(scene.eyeZ));
}

void increaseHeading() {
    if (scene.headingAngle > 360) scene.headingAngle = 0;
    scene.headingAngle += 20;
    updateLookDirection();
}

void decreaseHeading() {
    if (scene.headingAngle <= 0) scene.headingAngle = 360;
    scene.headingAngle -= 20;
    updateLookDirection();
}

void raiseEye() {
    moveEye(0, 0.05, 0);
}
void lowerEye() {
    moveEye(0, -0.05, 0);
}

void moveForward() {
    double step = static_cast<double>(scene.stepSize);
    moveEye(step * scene.lookDirX, 0, step * scene.lookDirZ);
}

void moveBackward() {
    double step = static_cast<double>(scene.stepSize);
    moveEye(-step * scene.lookDirX, 0, -step * scene.lookDirZ);
}

void strafeLeft() {
    double step = static_cast<double>(scene.stepSize);
    moveEye(step * scene.lookDirZ / lookLength(), 0, -step * scene.lookDirX / lookLength());
}

void strafeRight() {
    double step = static_cast<double>(scene.stepSize);
    moveEye(-step * scene.lookDirZ / lookLength(), 0, step * scene.lookDirX / lookLength());
}
