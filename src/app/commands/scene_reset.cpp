// scene_reset.cpp -- the reset: the start values, then the few values where the reset differs.
#include "app/commands/scene_reset.h"

#include "aquarium/feeder.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "view/walk.h"

void resetScene() {
    // What the reset must not touch: the user's sound switch and the window start-up made.
    const uint8_t soundOn = scene.soundOn;
    const int32_t mainWindow = scene.mainWindow;

    scene = SceneState{};
    scene.soundOn = soundOn;
    scene.mainWindow = mainWindow;

    // The differences from the start: the far plane is 33.01 rather than 33.1, and the perspective
    // camera is put halfway between the clip planes as they now stand.
    scene.farPlane = 33.01;
    scene.viewDistance = -(scene.farPlane - scene.nearPlane) / 2.0;
    // The look direction follows the heading, as at start-up.
    updateLookDirection();

    bowlFeeder.resetFeeder();  // writes autoFeed and waveAmplitude with the tables
    reproject();
}
