// es_states.cpp -- the states both the reference program and the ES tests draw, and the one way both
// draw them, so the two processes send GL the same calls.
#include "es/es_states.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <ctime>
#include <optional>

#include "app/commands/menu.h"
#include "app/draw/frame_draw.h"
#include "aquarium/random_testing.h"
#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "gl/read_back.h"
#include "room/draw/scene.h"
#include "support/capture.h"
#include "support/drawing_state.h"
#include "support/plain_gl_state.h"
#include "view/draw/projection.h"

namespace {

std::optional<ProcessSnapshot>& start() {
    static std::optional<ProcessSnapshot> kept;
    return kept;
}

void allLightsOn() {
    scene.lightingOn = 1;
    scene.ceilingLightOff = 0;
    scene.leftLampOff = 0;
    scene.rightLampOff = 0;
    scene.frontLampOff = 0;
}

void busyAquarium() {
    allLightsOn();
    for (Fish& f : fishes) f.alive = 1.0f;
    for (Worm& w : worms) w.alive = 1.0f;
}

// A camera just in front of the tank, looking down into it, so the aquarium fills the frame.
void closeToTheTank() {
    scene.eyeX = 0.3, scene.eyeY = 0.6, scene.eyeZ = 2.4;
    scene.lookDirX = -0.1, scene.lookDirY = -0.45, scene.lookDirZ = -1;
}

void onlyLight(uint8_t SceneState::*lamp) {
    scene.lightingOn = 1;
    scene.*lamp = 0;
}

}  // namespace

const std::vector<EsState>& esStates() {
    static const std::vector<EsState> states = {
        {"start", 2, [] {}},
        {"ceiling_light", 2, [] { onlyLight(&SceneState::ceilingLightOff); }},
        {"left_lamp", 2, [] { onlyLight(&SceneState::leftLampOff); }},
        {"right_lamp", 2, [] { onlyLight(&SceneState::rightLampOff); }},
        {"front_lamp", 2, [] { onlyLight(&SceneState::frontLampOff); }},
        {"all_lights", 2, allLightsOn},
        {"all_lights_smooth", 2, [] { allLightsOn(), scene.flatShading = 0; }},
        {"wireframe", 2, [] { scene.polygonFill = 1; }},
        {"smooth", 2, [] { scene.flatShading = 0; }},
        {"textures_off", 2, [] { scene.texturesOn = 0; }},
        {"culling_off", 2, [] { scene.cullingOn = 0; }},
        {"polished_lamp", 2, [] { allLightsOn(), scene.ceilingLightOff = 1, scene.polishedOn = 1; }},
        {"orthogonal", 2, [] { scene.viewMode = Orthogonal, scene.orthoRotation = 20; }},
        {"outside_the_room", 2, [] { scene.viewMode = Perspective; }},
        {"menu_view_volume", 2, [] { onMainMenu(3); }},
        {"busy", 3, busyAquarium},
        {"busy_close_up", 3, [] { busyAquarium(), closeToTheTank(), scene.waveAmplitude = 3.0f; }},
        {"busy_close_up_depth_test", 2,
         [] { busyAquarium(), closeToTheTank(), scene.depthTestOn = 1, scene.cullingOn = 0, scene.nearPlane = 0.05; }},
        {"busy_close_up_wireframe", 2, [] { busyAquarium(), closeToTheTank(), scene.polygonFill = 1; }},
    };
    return states;
}

void keepEsStart() {
    resetProcessState();
    start() = ProcessSnapshot::take();
}

std::vector<std::vector<unsigned char>> drawEsState(const EsState& state, void (*beforeFrame)(int)) {
    start()->restore();
    setTimeSource([] { return static_cast<std::time_t>(1234567); });
    startFromPlainGlState();
    applyProjection(esFrameWidth, esFrameHeight);
    state.prepare();
    applyProjection(esFrameWidth, esFrameHeight);
    std::vector<std::vector<unsigned char>> frames;
    for (int i = 0; i < state.frames; ++i) {
        if (beforeFrame) beforeFrame(i);
        drawFrame();
        glFinish();
        frames.emplace_back();
        readBackBuffer(0, 0, esFrameWidth, esFrameHeight, frames.back());
        // Between frames the timers would swing the fins and calm the waves.
        scene.flapSign = -scene.flapSign;
        if (scene.waveAmplitude > 0.5f) scene.waveAmplitude = static_cast<float>(scene.waveAmplitude - 0.02);
    }
    setTimeSource({});
    return frames;
}

std::string esFrameFile(const std::string& folder, const EsState& state, int frame) {
    return folder + "/" + state.name + "-" + std::to_string(frame + 1) + ".rgb";
}
