// feeder.cpp -- resets the fish and worm tables and carries out the feeding commands.
#include "aquarium/feeder.h"

#include <algorithm>
#include <iterator>

#include "aquarium/random.h"
#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "sound/sound_cue.h"

namespace {
void cue(const char* fileName, SoundMode mode) {
    if (scene.soundOn != 0) playCue(fileName, mode);
}
}  // namespace

Feeder::Feeder() {
    resetFeeder();
}
Feeder::~Feeder() = default;

void Feeder::resetFeeder() {
    scene.autoFeed = 1;
    std::copy(std::begin(fishStart), std::end(fishStart), std::begin(fishes));
    std::copy(std::begin(wormStart), std::end(wormStart), std::begin(worms));
    scene.waveAmplitude = 0.5f;
}

void Feeder::addFish() {
    int r = timeSeededRand() % fishSlots;
    int slot = r;
    for (int step = 1; step <= fishSlots; ++step) {
        slot = (r + step) % fishSlots;
        if (fishes[slot].alive != 1.0f) break;
    }
    fishes[slot].alive = 1.0f;
    cue("musics/CHIMES.wav", SoundMode::Background);
}

void Feeder::addFifteenWorms() {
    for (int n = 0; n < 15; ++n) {
        int slot = (1 + 8 * n) % wormSlots;
        while (true) {
            if (worms[slot].alive != 1.0f) break;
            if (slot == 1) {
                slot = 2;
                break;
            }
            slot = (slot + 1) % wormSlots;
        }
        worms[slot].alive = 1.0f;
    }
}

void Feeder::clearWorms() {
    for (Worm& worm : worms) worm.alive = 0.0f;
    std::fill(std::begin(fishHasTarget), std::end(fishHasTarget), 0);
    cue("musics/CHECKERS.wav", SoundMode::BackgroundLoop);
}

int Feeder::addWorm() {
    int slot = timeSeededRand() % wormSlots;
    worms[slot].alive = 1.0f;
    worms[slot].scale = 2.5f;
    worms[slot].colorIndex = 0.0f;
    cue("musics/REMINDER.wav", SoundMode::Background);
    return slot;
}

int Feeder::chooseFish() {
    int chosen = -1;
    for (int i = 0; i < fishSlots; ++i) {
        if (fishes[i].alive == 1.0f) {
            chosen = i;
            break;
        }
    }
    if (chosen < 0) return -1;
    for (int j = 1; j < fishSlots; ++j) {
        if (fishes[j].size < fishes[chosen].size && fishes[j].alive == 1.0f) chosen = j;
    }
    return chosen;
}
