// scene_fields.h -- compares two scene states field by field, for tests of what a command wrote.
#pragma once

#include <sstream>
#include <string>

#include "app/scene_state.h"

// Every field, compared one by one (padding bytes are not part of the state).
inline std::string sceneDifferences(const SceneState& a, const SceneState& b) {
    std::ostringstream out;
#define FIELD(name) \
    if (!(a.name == b.name)) out << #name << ": " << +a.name << " vs " << +b.name << "\n";
    FIELD(windowWidth)
    FIELD(windowHeight)
    FIELD(mouseFracX)
    FIELD(mouseFracY)
    FIELD(orbitAngle)
    FIELD(tiltAngle)
    FIELD(orbitRate)
    FIELD(viewDistance)
    FIELD(nearPlane)
    FIELD(farPlane)
    FIELD(fieldOfView)
    FIELD(orthoRotation)
    FIELD(orthoLeft)
    FIELD(orthoRight)
    FIELD(orthoBottom)
    FIELD(orthoTop)
    FIELD(headingAngle)
    FIELD(eyeX)
    FIELD(eyeY)
    FIELD(eyeZ)
    FIELD(lookDirX)
    FIELD(lookDirY)
    FIELD(lookDirZ)
    FIELD(upX)
    FIELD(upY)
    FIELD(upZ)
    FIELD(stepSize)
    FIELD(viewMode)
    FIELD(polygonFill)
    FIELD(lightingOn)
    FIELD(texturesOn)
    FIELD(cullingOn)
    FIELD(depthTestOn)
    FIELD(polishedOn)
    FIELD(flatShading)
    FIELD(collisionCheckOn)
    FIELD(ceilingLightOff)
    FIELD(leftLampOff)
    FIELD(rightLampOff)
    FIELD(frontLampOff)
    FIELD(furnitureCount)
    FIELD(tickCount)
    FIELD(flapSign)
    FIELD(waveAmplitude)
    FIELD(autoFeed)
    FIELD(soundOn)
    FIELD(mainWindow)
#undef FIELD
    return out.str();
}
