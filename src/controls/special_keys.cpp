// special_keys.cpp -- function keys, arrows, Home and Insert: help, zoom, render toggles, the view
// cycle, orbiting or walking with the arrows, the reset, and one worm for a chosen fish.
#include "controls/special_keys.h"

#include <cstdint>

#include "app/commands/scene_reset.h"
#include "aquarium/behaviour.h"
#include "aquarium/feeder.h"
#include "controls/help.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "view/walk.h"

namespace {

void flipAndRedisplay(uint8_t& flag) {
    flip(flag);
    requestRedisplay();
}

// Perspective view: the arrows turn the orbit one degree. 0 (or anything not above it) counts as 360.
void orbitLeft() {
    if (scene.orbitAngle <= 0) scene.orbitAngle = 360;
    scene.orbitAngle -= 1;
}

void orbitRight() {
    // Widened so that even an angle at the top of its range cannot overflow on the way.
    scene.orbitAngle = static_cast<int32_t>((static_cast<int64_t>(scene.orbitAngle) + 1) % 360);
}

// One red worm in a random slot, and the smallest fish sent after it. In manual mode every fish
// may have left; the worm is still put in, and no fish is aimed. The school's aimFishAtWorm is
// this same steering step; calling it directly keeps the command clear of the fish drawing.
void feedOneWorm() {
    int worm = bowlFeeder.addWorm();
    int fish = bowlFeeder.chooseFish();
    if (fish >= 0) aimFishAtWormLogic(fish, worm);
}

}  // namespace

void onSpecialKey(int key, int, int) {
    switch (key) {
        case KeyF1:
            selectMainWindow();
            printHelp();
            break;
        case KeyF2:
            if (scene.fieldOfView > 10) scene.fieldOfView -= 5;
            reproject();
            break;
        case KeyF3:
            if (scene.fieldOfView < 170) scene.fieldOfView += 5;
            reproject();
            break;
        case KeyF4:
            flipAndRedisplay(scene.depthTestOn);
            break;
        case KeyF5:
            scene.polygonFill = (scene.polygonFill == 1) ? 2 : 1;
            reproject();
            break;
        case KeyF6:
            flipAndRedisplay(scene.cullingOn);
            break;
        case KeyF7:
            flipAndRedisplay(scene.polishedOn);
            break;
        case KeyF8:
            flipAndRedisplay(scene.flatShading);
            break;
        case KeyF9:
            flipAndRedisplay(scene.texturesOn);
            break;
        case KeyF10:
            flipAndRedisplay(scene.collisionCheckOn);
            break;
        case KeyF11:
            if (scene.viewMode == Combined)
                scene.viewMode = Perspective;
            else if (scene.viewMode == Perspective)
                scene.viewMode = Orthogonal;
            else if (scene.viewMode == Orthogonal)
                scene.viewMode = Combined;
            reproject();
            break;
        case KeyLeft:
            if (scene.viewMode == Perspective)
                orbitLeft();
            else
                strafeLeft();
            break;
        case KeyUp:
            if (scene.viewMode == Combined) moveForward();
            break;
        case KeyRight:
            if (scene.viewMode == Perspective)
                orbitRight();
            else
                strafeRight();
            break;
        case KeyDown:
            if (scene.viewMode == Combined) moveBackward();
            break;
        case KeyHome:
            resetScene();
            requestRedisplay();
            break;
        case KeyInsert:
            if (scene.viewMode == Combined) feedOneWorm();
            requestRedisplay();
            break;
        default:
            // F12, Page Up/Down, End, and the modifier keys freeglut reports (Shift, Ctrl, Alt).
            break;
    }
}
