// behaviour.cpp -- how one fish lives for one frame: arrives, eats and grows, rises and leaves,
// stirs the water, turns to its velocity and moves. Plain C++; the fish drawing applies the turn.
#include "aquarium/behaviour.h"

#include <algorithm>
#include <cmath>

#include "aquarium/random.h"
#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "sound/sound_cue.h"

namespace {

constexpr double reachPerSize = 0.02;
constexpr double grownSize = 0.8;
constexpr double ordinaryGrowth = 0.1;
constexpr double redGrowth = 0.2;
constexpr float surfaceY = 5.0f;
constexpr double waveHeight = 3.5;
constexpr double waveBar = 0.6;
constexpr float waveStart = 3.0f;
constexpr double yawFactor = -180.0 / 3.1415926;
constexpr double pitchFactor = 180.0 / 3.14;

void cue(const char* fileName, SoundMode mode) {
    if (scene.soundOn != 0) playCue(fileName, mode);
}

double length(double x, double y, double z) {
    return std::sqrt(x * x + y * y + z * z);
}

double distance(const Vec3f& a, const Vec3f& b) {
    return length(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y, static_cast<double>(a.z) - b.z);
}

float grown(float size, double growth) {
    return static_cast<float>(static_cast<double>(size) + growth);
}

void move(Fish& f) {
    auto add = [](float a, float b) { return static_cast<float>(static_cast<double>(a) + b); };
    f.position = {add(f.position.x, f.velocity.x), add(f.position.y, f.velocity.y), add(f.position.z, f.velocity.z)};
}

// Points the velocity at the target with the school's speed. A fish already sitting on its target
// has no direction to go; it keeps the velocity it had rather than dividing by zero.
void aimAtTarget(Fish& f) {
    double ux = static_cast<double>(f.target.x) - f.position.x;
    double uy = static_cast<double>(f.target.y) - f.position.y;
    double uz = static_cast<double>(f.target.z) - f.position.z;
    double len = length(ux, uy, uz);
    if (!(len > 0.0) || !std::isfinite(len)) return;
    f.velocity = {static_cast<float>(ux * fishSpeed / len), static_cast<float>(uy * fishSpeed / len),
                  static_cast<float>(uz * fishSpeed / len)};
}

// An eaten ordinary worm comes back in the next empty slot after it; the search ends at the
// eaten slot itself, which is empty by now.
void replaceWorm(int eaten) {
    int slot = eaten;
    for (int step = 1; step <= wormSlots; ++step) {
        slot = (eaten + step) % wormSlots;
        if (worms[slot].alive != 1.0f) break;
    }
    worms[slot].alive = 1.0f;
    cue("musics/5169.wav", SoundMode::Background);
}

void eatTargetWorm(int i) {
    Fish& f = fishes[i];
    int t = fishTargetWorm[i];
    fishHasTarget[i] = 0;
    // The slot number only ever comes from our own aiming, but a stray one must not reach
    // outside the table: such a fish simply stops hunting.
    if (t < 0 || t >= wormSlots) return;
    Worm& worm = worms[t];
    if (worm.colorIndex == 0.0f) {
        f.size = grown(f.size, redGrowth);
        worm.alive = 0.0f;
        worm.scale = 1.0f;
        worm.colorIndex = 9.0f;
        cue("musics/correct.wav", SoundMode::Background);
    } else {
        f.size = grown(f.size, ordinaryGrowth);
        worm.alive = 0.0f;
        if (scene.autoFeed == 1) replaceWorm(t);
    }
}

// The grown fish at the surface leaves; in automatic mode the next absent slot after it comes
// in, which is its own slot when the other nine are all present.
void leave(int i) {
    cue("musics/goodbye.wav", SoundMode::Blocking);
    Fish& f = fishes[i];
    f.alive = 0.0f;
    f.size = 0.1f;
    f.position = {0, 0, 0};
    f.velocity = {0.1f, 0.1f, 0.1f};
    f.up = {0, 1, 0};
    f.target = {0, 0, 0};
    if (scene.autoFeed != 1) return;
    int slot = i;
    for (int step = 1; step <= fishSlots; ++step) {
        slot = (i + step) % fishSlots;
        if (fishes[slot].alive != 1.0f) break;
    }
    fishes[slot].alive = 1.0f;
    cue("musics/CHIMES.wav", SoundMode::Background);
}

}  // namespace

FishTurn stepFishLogic(int index) {
    if (index < 0 || index >= fishSlots) return {0.0f, 0.0f};
    Fish& f = fishes[index];
    double d = distance(f.position, f.target);
    double v = length(f.velocity.x, f.velocity.y, f.velocity.z);

    if (static_cast<double>(f.size) * reachPerSize + v > d) {
        if (static_cast<double>(f.size) < grownSize) {
            if (fishHasTarget[index] == 1) eatTargetWorm(index);
            chooseTargetLogic(index);
            aimAtTarget(f);
        } else if (f.target.y == surfaceY) {
            leave(index);
        } else {
            // A grown fish that arrives anywhere but the surface (one sent to a worm with the
            // Insert key) is given the surface as its target but keeps its course.
            fishHasTarget[index] = 0;
            chooseTargetLogic(index);
        }
    }

    if (static_cast<double>(scene.waveAmplitude) <= waveBar && static_cast<double>(f.position.y) >= waveHeight)
        raiseWavesLogic();

    FishTurn turn = orientationFor(f.velocity.x, f.velocity.y, f.velocity.z);

    move(f);
    return turn;
}

void chooseTargetLogic(int index) {
    if (index < 0 || index >= fishSlots) return;
    int r = timeSeededRand();
    int w = (index + 1) * 5 * r % wormSlots;
    Fish& f = fishes[index];
    if (static_cast<double>(f.size) < grownSize) {
        f.target = worms[w].position;
        if (worms[w].alive == 1.0f) {
            fishHasTarget[index] = 1;
            fishTargetWorm[index] = w;
        }
    } else {
        f.target = {0.0f, surfaceY, 0.0f};
    }
}

void aimFishAtWormLogic(int fish, int worm) {
    if (fish < 0 || fish >= fishSlots || worm < 0 || worm >= wormSlots) return;
    Fish& f = fishes[fish];
    f.target = worms[worm].position;
    aimAtTarget(f);
    move(f);
    fishHasTarget[fish] = 1;
    fishTargetWorm[fish] = worm;
}

FishTurn orientationFor(float vx, float vy, float vz) {
    double yaw;
    if (vx != 0.0f) {
        yaw = std::atan(static_cast<double>(vz) / vx) * yawFactor;
    } else {
        // Straight along z the fish faces the way it swims; with no sideways motion at all
        // there is no heading to face, so it keeps the model's own.
        yaw = vz > 0.0f ? -90.0 : (vz < 0.0f ? 90.0 : 0.0);
    }
    if (yaw < 0 && vz < 0 && vx < 0) yaw = 90 - yaw;
    if (yaw == 0 && vz == 0 && vx < 0) yaw = 180;
    if (yaw > 0 && vz > 0 && vx < 0) yaw = 180 + yaw;

    double len = length(vx, vy, vz);
    double pitch = 0.0;
    if (len > 0.0 && std::isfinite(len))
        pitch = std::asin(std::clamp(static_cast<double>(vy) / len, -1.0, 1.0)) * pitchFactor;
    return {static_cast<float>(yaw), static_cast<float>(pitch)};
}

void raiseWavesLogic() {
    scene.waveAmplitude = waveStart;
}
