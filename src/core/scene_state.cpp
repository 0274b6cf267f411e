// scene_state.cpp -- the single scene state; its reset is in scene_reset.cpp.
#include "core/scene_state.h"

SceneState scene;

void computeStartViewDistance() {
    scene.viewDistance = -(scene.farPlane - scene.nearPlane) / 2.0;
}
