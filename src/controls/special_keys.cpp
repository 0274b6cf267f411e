// special_keys.cpp -- function keys, arrows, Home and Insert: help, zoom, render toggles, the view
// cycle, orbiting or walking with the arrows, the reset, and one worm for a chosen fish.
#include "controls/special_keys.h"

#include <GL/freeglut.h>

#include <cstdint>

#include "app/globals.h"
#include "app/platform.h"
#include "app/scene_state.h"
#include "controls/help.h"
#include "view/projection.h"
#include "view/walk.h"

namespace {

void project() {
    applyProjection(scene.windowWidth, scene.windowHeight);
}

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
// may have left; the worm is still put in, and no fish is aimed.
void feedOneWorm() {
    int worm = bowlFeeder.addWorm();
    int fish = bowlFeeder.chooseFish();
    if (fish >= 0) fishSchool.aimFishAtWorm(fish, worm, bowlFeeder);
}

}  // namespace

void onSpecialKey(int key, int, int) {
    switch (key) {
        case GLUT_KEY_F1:
            selectMainWindow();
            printHelp();
            break;
        case GLUT_KEY_F2:
            if (scene.fieldOfView > 10) scene.fieldOfView -= 5;
            project();
            break;
        case GLUT_KEY_F3:
            if (scene.fieldOfView < 170) scene.fieldOfView += 5;
            project();
            break;
        case GLUT_KEY_F4:
            flipAndRedisplay(scene.depthTestOn);
            break;
        case GLUT_KEY_F5:
            scene.polygonFill = (scene.polygonFill == 1) ? 2 : 1;
            project();
            break;
        case GLUT_KEY_F6:
            flipAndRedisplay(scene.cullingOn);
            break;
        case GLUT_KEY_F7:
            flipAndRedisplay(scene.polishedOn);
            break;
        case GLUT_KEY_F8:
            flipAndRedisplay(scene.flatShading);
            break;
        case GLUT_KEY_F9:
            flipAndRedisplay(scene.texturesOn);
            break;
        case GLUT_KEY_F10:
            flipAndRedisplay(scene.collisionCheckOn);
            break;
        case GLUT_KEY_F11:
            if (scene.viewMode == Combined)
                scene.viewMode = Perspective;
            else if (scene.viewMode == Perspective)
                scene.viewMode = Orthogonal;
            else if (scene.viewMode == Orthogonal)
                scene.viewMode = Combined;
            project();
            break;
        case GLUT_KEY_LEFT:
            if (scene.viewMode == Perspective)
                orbitLeft();
            else
                strafeLeft();
            break;
        case GLUT_KEY_UP:
            if (scene.viewMode == Combined) moveForward();
            break;
        case GLUT_KEY_RIGHT:
            if (scene.viewMode == Perspective)
                orbitRight();
            else
                strafeRight();
            break;
        case GLUT_KEY_DOWN:
            if (scene.viewMode == Combined) moveBackward();
            break;
        case GLUT_KEY_HOME:
            resetScene();
            requestRedisplay();
            break;
        case GLUT_KEY_INSERT:
            if (scene.viewMode == Combined) feedOneWorm();
            requestRedisplay();
            break;
        default:
            // F12, Page Up/Down, End, and the modifier keys freeglut reports (Shift, Ctrl, Alt).
            break;
    }
}
