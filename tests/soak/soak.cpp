// soak.cpp -- runs the real frame loop for many frames while a seeded storm of keys, special keys,
// menu choices, drags, reshapes and timer ticks arrives through the callbacks the user reaches, and
// checks after every frame that the scene is still sound.
#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>

#include "app/commands/frame.h"
#include "app/commands/menu.h"
#include "app/draw/frame_draw.h"
#include "app/shell/startup.h"
#include "aquarium/random.h"
#include "aquarium/random_testing.h"
#include "aquarium/tables.h"
#include "controls/keyboard.h"
#include "controls/special_keys.h"
#include "core/console.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "sound/sound_cue.h"
#include "view/draw/projection.h"
#include "view/mouse_steering.h"

namespace {

struct Counts {
    long events = 0;
    long consoleLines = 0;
    long cues = 0;
    long blockingCues = 0;
};
Counts counts;

class CountingCues final : public CueBackend {
public:
    void play(const std::string&, SoundMode mode) override {
        ++counts.cues;
        if (mode == SoundMode::Blocking) ++counts.blockingCues;
    }
};

[[noreturn]] void fail(long frame, const std::string& what) {
    std::fprintf(stderr, "soak: frame %ld: %s\n", frame, what.c_str());
    std::exit(1);
}

long residentKiB() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return -1;
    long size = 0, resident = 0;
    int got = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return got == 2 ? resident * 4 : -1;
}

bool finite3(const Vec3f& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void checkScene(long frame, bool collisionAlwaysOn) {
    for (int i = 0; i < fishSlots; ++i) {
        const Fish& f = fishes[i];
        if (f.alive != 0.0f && f.alive != 1.0f) fail(frame, "fish " + std::to_string(i) + " half present");
        if (!std::isfinite(f.size) || !std::isfinite(f.colorIndex) || !finite3(f.position) || !finite3(f.velocity) ||
            !finite3(f.up) || !finite3(f.target))
            fail(frame, "fish " + std::to_string(i) + " holds a NaN or an infinity");
        if (fishHasTarget[i] != 0 && fishHasTarget[i] != 1) fail(frame, "fish target flag out of range");
    }
    for (int s = 0; s < wormSlots; ++s) {
        const Worm& w = worms[s];
        if (w.alive != 0.0f && w.alive != 1.0f) fail(frame, "worm " + std::to_string(s) + " half present");
        if (!std::isfinite(w.scale) || !std::isfinite(w.colorIndex))
            fail(frame, "worm " + std::to_string(s) + " holds a NaN or an infinity");
        if (std::memcmp(&w.position, &wormStart[s].position, sizeof w.position) != 0)
            fail(frame, "worm " + std::to_string(s) + " left its lattice point");
    }
    const double camera[] = {scene.eyeX,      scene.eyeY,         scene.eyeZ,       scene.lookDirX,  scene.lookDirY,
                             scene.lookDirZ,  scene.mouseFracX,   scene.mouseFracY, scene.tiltAngle, scene.viewDistance,
                             scene.orbitRate, scene.headingAngle, scene.nearPlane,  scene.farPlane,  scene.fieldOfView};
    for (double v : camera)
        if (!std::isfinite(v)) fail(frame, "a camera value is not finite");
    if (scene.fieldOfView < 10 || scene.fieldOfView > 170) fail(frame, "field of view out of 10..170");
    if (!std::isfinite(scene.waveAmplitude) || scene.waveAmplitude > 3.0f) fail(frame, "wave amplitude");
    if (collisionAlwaysOn) {
        bool inside = scene.eyeX > -7.4 && scene.eyeX < 7.4 && scene.eyeY > -1.9 && scene.eyeY < 5.4 &&
                      scene.eyeZ > -9.9 && scene.eyeZ < 9.9;
        bool inTable = scene.eyeX >= -2.0 && scene.eyeX <= 2.0 && scene.eyeZ >= -1.0 && scene.eyeZ <= 1.19;
        if (!inside || inTable) fail(frame, "the eye left the free space with collision checking on");
    }
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) fail(frame, "glGetError reports " + std::to_string(error));
}

// One random input, through the callback the user would reach. The exits are left out; with
// `keepCollisionOn` so are the two switches of collision checking.
void stormEvent(std::mt19937& rng, bool keepCollisionOn) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    ++counts.events;
    switch (pick(8)) {
        case 0:
        case 1: {
            static const char favourites[] = "tvfgTVFGpPoO[]{}+=lrsLRShH-";
            unsigned char key = pick(3) == 0 ? static_cast<unsigned char>(pick(256))
                                             : static_cast<unsigned char>(favourites[pick(sizeof favourites - 1)]);
            if (key == 27 || key == 'q' || key == 'Q') key = 't';
            onKeyboard(key, pick(1200), pick(600));
            break;
        }
        case 2:
        case 3: {
            static const int codes[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,
                                        100, 101, 102, 103, 100, 101, 102, 103, 104, 105, 106, 107,
                                        108, 108, 112, 113, 114, 115, 116, 117, 0,   -5,  999};
            int code = codes[pick(sizeof codes / sizeof codes[0])];
            if (keepCollisionOn && code == GLUT_KEY_F10) code = GLUT_KEY_UP;
            onSpecialKey(code, pick(1200), pick(600));
            break;
        }
        case 4: {
            int value = pick(9) - 1;
            switch (pick(5)) {
                case 0:
                    onLampMenu(value);
                    break;
                case 1:
                    onViewMenu(value);
                    break;
                case 2:
                    onRenderingMenu(value);
                    break;
                case 3:
                    onBowlMenu(value);
                    break;
                default:
                    if (value == 6 || (keepCollisionOn && value == 2)) value = 3;
                    onMainMenu(value);
            }
            break;
        }
        case 5:
            onMouseMotion(pick(1800) - 300, pick(1200) - 300);
            break;
        case 6:
            if (pick(2) == 0)
                onFlapTimer(0);
            else
                onWaveTimer(0);
            break;
        default: {
            // A reshape now and then, a minimised window among them.
            if (pick(10) == 0) {
                int w = pick(4) == 0 ? 0 : 1 + pick(1400);
                int h = pick(4) == 0 ? 0 : 1 + pick(900);
                applyProjection(w, h);
            }
            break;
        }
    }
}

void noDisplay() {}

}  // namespace

int main(int argc, char** argv) {
    long frames = 2000;
    unsigned seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--frames") == 0) frames = std::atol(argv[i + 1]);
        if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<unsigned>(std::atol(argv[i + 1]));
    }
    if (frames < 4) frames = 4;

    setCueBackend(std::make_unique<CountingCues>());
    setConsoleSink([](std::string_view text) {
        for (char c : text) counts.consoleLines += c == '\n';
    });
    std::time_t clock = 1700000000;
    setTimeSource([&clock] { return clock; });

    StartupSteps steps;
    steps.argc = &argc;
    steps.argv = argv;
    steps.room = true;
    steps.display = noDisplay;
    steps.menus = true;
    if (!startUp(steps)) return 1;
    applyProjection(scene.windowWidth, scene.windowHeight);

    std::mt19937 rng(seed);
    // The renderer builds code for each new combination of GL state it meets, so memory climbs
    // for the first several hundred frames; growth is judged over the second half of the run.
    const long warmUp = frames / 2;
    long residentAfterWarmUp = -1;
    for (long frame = 0; frame < frames; ++frame) {
        bool keepCollisionOn = frame < frames / 2;
        if (frame == frames / 2) scene.collisionCheckOn = 1;  // the second half may switch it freely
        int events = static_cast<int>(rng() % 4);
        for (int e = 0; e < events; ++e) stormEvent(rng, keepCollisionOn);
        // Manual and automatic mode, sound on and off, in turn through the run.
        if (frame % 500 == 250) onBowlMenu(4);
        if (frame % 700 == 350) onMainMenu(4);
        onIdle();
        onDisplay();
        if (frame % 30 == 29) ++clock;
        checkScene(frame, keepCollisionOn);
        if (frame == warmUp) residentAfterWarmUp = residentKiB();
        if (std::getenv("SOAK_TRACE") != nullptr && frame % 250 == 0)
            std::fprintf(stderr, "frame %ld resident %ld KiB\n", frame, residentKiB());
    }
    long residentAtEnd = residentKiB();
    long growth = residentAtEnd - residentAfterWarmUp;
    std::printf(
        "soak: %ld frames, %ld storm events, %ld console lines, %ld cues (%ld blocking); resident memory "
        "%ld KiB after warm-up, %ld KiB at the end\n",
        frames, counts.events, counts.consoleLines, counts.cues, counts.blockingCues, residentAfterWarmUp,
        residentAtEnd);
    if (residentAfterWarmUp > 0 && growth > 16 * 1024) {
        std::fprintf(stderr, "soak: resident memory grew by %ld KiB after warm-up\n", growth);
        return 1;
    }
    return 0;
}
