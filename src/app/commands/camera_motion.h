// camera_motion.h -- the camera moves of --motion: a turning orbit or a walk through the room,
// one step before every frame of a counted or benchmark run.
#pragma once

// How the camera moves during a counted or benchmark run (--motion).
enum class CameraMotion { Still, Orbit, Walk };

// Puts the camera where the motion starts: the orbit in the perspective view, the walk in the
// combined view with collision checking on, from a free spot between the tank and the back wall.
void startCameraMotion(CameraMotion motion);

// One step of the motion started last: the orbit turns a degree; the walker steps forward and
// turns right through the ordinary move operations, circling about 1.4 units wide. Still does nothing.
void stepCameraMotion();
