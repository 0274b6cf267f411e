// walk.h -- walk-through movement of the look-at eye and its collision test against the room.
#pragma once

bool checkCollision();
void updateLookDirection();
void printEyePosition();

void increaseHeading();
void decreaseHeading();
void raiseEye();
void lowerEye();
void moveForward();
void moveBackward();
void strafeLeft();
void strafeRight();
