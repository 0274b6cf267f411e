// camera_motion.cpp -- the camera moves of --motion: a turning orbit or a walk through the room.
#include "app/commands/camera_motion.h"

#include "core/scene_state.h"
#include "view/walk.h"

namespace {
CameraMotion current = CameraMotion::Still;
}  // namespace

void startCameraMotion(CameraMotion motion) {
    current = motion;
    if (motion == CameraMotion::Orbit) {
        scene.viewMode = Perspective;
        scene.orbitRate = 0;  // the motion turns the orbit itself, once per frame
    } else if (motion == CameraMotion::Walk) {
        scene.viewMode = Combined;
        scene.collisionCheckOn = 1;
        scene.eyeX = 0;
        scene.eyeZ = 5;
        scene.headingAngle = 0;
        updateLookDirection();
    }
}

void stepCameraMotion() {
    if (current == CameraMotion::Orbit) {
        // The idle call shows the angle in 1..360 (0 as 360) and leaves it there at rate 0, so the
        // step keeps to the same range: 360 is followed by 1, and 0 or anything outside is folded in.
        scene.orbitAngle = (scene.orbitAngle % 360 + 360) % 360 + 1;
    } else if (current == CameraMotion::Walk) {
        moveForward();
        increaseHeading();
    }
}
