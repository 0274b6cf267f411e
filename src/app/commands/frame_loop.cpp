// frame_loop.cpp -- the frame loop's logic: advances the orbit, writes the title, runs the two
// timers, exits. The window calls go through the window-call seam; the drawing is in frame_draw.cpp.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/commands/frame.h"
#include "app/commands/frame_testing.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "sound/sound_cue.h"

char titleBuffer[200];

namespace {
constexpr const char* combinedTitle = "Glintmere: Combined view with glLookAt() function. Press 'F1' or 'h' for help.";
constexpr const char* orthogonalTitle = "Glintmere: Orthogonal view. Press 'F1' or 'h' for help.";
}  // namespace

void advanceOrbit() {
    double sum = static_cast<double>(scene.orbitAngle) + scene.orbitRate;
    // A rate far beyond a turn per call would walk the angle out of integer range; fold such a
    // sum into one turn first so the conversion stays defined. Ordinary rates never get here.
    if (!(std::fabs(sum) < 1.0e9)) sum = std::isfinite(sum) ? std::fmod(sum, 360.0) : 0.0;
    scene.orbitAngle = static_cast<int32_t>(sum);
    if (scene.orbitAngle >= 360) scene.orbitAngle -= 360;
    if (scene.orbitAngle <= 0) scene.orbitAngle += 360;
}

const char* formatPerspectiveTitle() {
    std::snprintf(titleBuffer, sizeof titleBuffer,
                  "Glintmere: Mouse at (%.3f, %.3f).  Alpha=%3d.  Beta=%3.0f.  Distance=%.2f.", scene.mouseFracX,
                  scene.mouseFracY, scene.orbitAngle, scene.tiltAngle, scene.viewDistance);
    return titleBuffer;
}

void onIdle() {
    if (scene.viewMode == Perspective) {
        advanceOrbit();
        setWindowTitle(formatPerspectiveTitle());
    } else if (scene.viewMode == Combined) {
        setWindowTitle(combinedTitle);
    } else {
        setWindowTitle(orthogonalTitle);
    }
    requestRedisplay();
}

void onFlapTimer(int) {
    int r = scene.tickCount % 3;
    scene.tickCount = scene.tickCount + 1;
    if (r == 1) scene.flapSign = -scene.flapSign;
    requestRedisplay();
    startTimer(40, onFlapTimer, 0);
}

void onWaveTimer(int) {
    if (scene.waveAmplitude > 0.5f) scene.waveAmplitude = static_cast<float>(scene.waveAmplitude - 0.02);
    requestRedisplay();
    startTimer(20, onWaveTimer, 0);
}

void exitProgram() {
    closeMainWindow();
    if (scene.soundOn != 0) playCue("musics/CLAP.wav", SoundMode::Blocking);
    std::exit(0);
}
