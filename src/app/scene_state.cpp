// scene_state.cpp -- the single scene state and its reset.
#include "app/scene_state.h"

#include "app/globals.h"
#include "view/projection.h"
#include "view/walk.h"

SceneState scene;

void computeStartViewDistance() { scene.viewDistance = -(scene.farPlane - scene.nearPlane) / 2.0; }

void resetScene() {
    scene.windowWidth = 1200;
    scene.windowHeight = 600;
    scene.mouseFracX = 0.5;
    scene.mouseFracY = 0.5;
    scene.nearPlane = 0.0;
    scene.farPlane = 33.01;
    scene.fieldOfView = 60.0;
    scene.orbitAngle = 0;
    scene.tiltAngle = 0.0;
    scene.viewDistance = -(scene.farPlane - scene.nearPlane) / 2.0;
    scene.orbitRate = 0.0;
    scene.furnitureCount = 7;
    scene.polygonFill = 2;
    scene.viewMode = Combined;
    scene.headingAngle = 0;
    scene.eyeX = 0;
    scene.eyeY = 0.63;
    scene.eyeZ = 9.0;
    updateLookDirection();
    scene.lookDirY = 0;
    scene.upX = 0;
    scene.upY = 1.0;
    scene.upZ = 0;
    scene.stepSize = 0.5f;
    scene.orthoRotation = 0;
    scene.orthoLeft = -15;
    scene.orthoRight = 15;
    scene.orthoBottom = -15;
    scene.orthoTop = 15;
    scene.lightingOn = 0;
    scene.texturesOn = 1;
    scene.cullingOn = 1;
    scene.depthTestOn = 0;
    scene.ceilingLightOff = 1;
    scene.leftLampOff = 1;
    scene.rightLampOff = 1;
    scene.frontLampOff = 1;
    scene.polishedOn = 0;
    scene.flatShading = 1;
    scene.collisionCheckOn = 1;
    scene.flapSign = 1;
    scene.tickCount = 0;
    bowlFeeder.resetFeeder();
    applyProjection(scene.windowWidth, scene.windowHeight);
}
