// scene_state.h -- the scene-wide values every module reads and writes by name.
#pragma once

#include <cstdint>

enum ViewMode : int32_t { Orthogonal = 0, Perspective = 1, Combined = 2 };

// One copy, `scene`. The member initialisers are the start values; the start-up
// computations of viewDistance and the look direction run before main (globals.cpp).
struct SceneState {
    // Window
    int32_t windowWidth = 1200;
    int32_t windowHeight = 600;

    // Perspective view (orbit steered by the mouse)
    double mouseFracX = 0.5;
    double mouseFracY = 0.5;
    int32_t orbitAngle = 0;
    double tiltAngle = 0.0;
    double orbitRate = 0.0;
    double viewDistance = 0.0;  // computed before main: -16.55

    // Projection
    double nearPlane = 0.0;
    double farPlane = 33.1;
    double fieldOfView = 60.0;
    int32_t orthoRotation = 0;
    double orthoLeft = -15.0;
    double orthoRight = 15.0;
    double orthoBottom = -15.0;
    double orthoTop = 15.0;

    // Walk-through camera
    double headingAngle = 0.0;
    double eyeX = 0.0;
    double eyeY = 0.63;
    double eyeZ = 9.0;
    double lookDirX = 0.0;  // computed before main from headingAngle
    double lookDirY = 0.0;
    double lookDirZ = 0.0;  // computed before main from headingAngle
    double upX = 0.0;
    double upY = 1.0;
    double upZ = 0.0;
    float stepSize = 0.5f;

    // View and rendering switches
    int32_t viewMode = Combined;
    int32_t polygonFill = 2;  // 1 wireframe, 2 filled
    uint8_t lightingOn = 0;
    uint8_t texturesOn = 1;
    uint8_t cullingOn = 1;
    uint8_t depthTestOn = 0;
    uint8_t polishedOn = 0;
    uint8_t flatShading = 1;
    uint8_t collisionCheckOn = 1;
    uint8_t ceilingLightOff = 1;
    uint8_t leftLampOff = 1;
    uint8_t rightLampOff = 1;
    uint8_t frontLampOff = 1;
    int32_t furnitureCount = 7;

    // Animation and aquarium
    int32_t tickCount = 0;
    int32_t flapSign = 1;
    float waveAmplitude = 0.5f;
    uint8_t autoFeed = 1;

    // Sound; never touched by the reset
    uint8_t soundOn = 1;

    // Handles set once by start-up
    int32_t mainWindow = 0;
};

extern SceneState scene;

// Flip a byte switch: 0 where it holds 1, 1 otherwise.
inline void flip(uint8_t& flag) {
    flag = (flag == 1) ? 0 : 1;
}

// The first start-up computation: the perspective camera halfway between the clip planes.
void computeStartViewDistance();
