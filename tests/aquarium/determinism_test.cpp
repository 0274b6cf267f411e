// determinism_test.cpp -- a fixed run of the aquarium, frame by frame as the fish drawing steps it, must end in exactly
// the same tables every time: any change to the behaviour shows up as a different hash.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "aquarium/behaviour.h"
#include "aquarium/feeder.h"
#include "aquarium_test_support.h"
#include "core/scene_state.h"

using namespace aquarium_test;

namespace {

// FNV-1a over the raw bytes, so every bit of every float counts.
uint64_t hashBytes(uint64_t h, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t k = 0; k < size; ++k) {
        h ^= p[k];
        h *= 1099511628211ull;
    }
    return h;
}

uint64_t tablesHash() {
    uint64_t h = 14695981039346656037ull;
    h = hashBytes(h, fishes, sizeof fishes);
    h = hashBytes(h, worms, sizeof worms);
    h = hashBytes(h, fishHasTarget, sizeof fishHasTarget);
    h = hashBytes(h, fishTargetWorm, sizeof fishTargetWorm);
    return hashBytes(h, &scene.waveAmplitude, sizeof scene.waveAmplitude);
}

bool allFinite() {
    for (const Fish& f : fishes) {
        const float* v = &f.alive;
        for (int k = 0; k < 15; ++k)
            if (!std::isfinite(v[k])) return false;
    }
    return true;
}

TEST(AquariumDeterminism, AFixedRunEndsInTheStoredTables) {
    resetProcessState();
    // Sixty frames to the second, starting from a fixed calendar time.
    long frame = 0;
    setTimeSource([&frame] { return static_cast<std::time_t>(1700000000 + frame / 60); });

    bool finite = true;
    for (frame = 0; frame < 6000; ++frame) {
        if (frame == 1500) bowlFeeder.addFifteenWorms();
        if (frame == 2500 || frame == 4000) {
            int worm = bowlFeeder.addWorm();
            int fish = bowlFeeder.chooseFish();
            if (fish >= 0) aimFishAtWormLogic(fish, worm);
        }
        if (frame == 3000) bowlFeeder.addFish();
        if (frame == 4500) bowlFeeder.clearWorms();
        if (frame == 4600) bowlFeeder.addFifteenWorms();
        // What the drawing does, slot by slot; a newcomer at a higher slot steps this frame.
        for (int i = 0; i < fishSlots; ++i)
            if (fishes[i].alive == 1.0f) stepFishLogic(i);
        // The 20 ms timer calms the waves at a little more than one tick per frame.
        if (scene.waveAmplitude > 0.5f) scene.waveAmplitude = static_cast<float>(scene.waveAmplitude - 0.02);
        finite = finite && allFinite();
    }
    setTimeSource({});

    EXPECT_TRUE(finite);
    // The run must have done the interesting things, or the hash would guard little.
    int eaten = 0, left = 0;
    for (const std::string& name : cueNames()) {
        eaten += name == "musics/5169.wav" || name == "musics/correct.wav";
        left += name == "musics/goodbye.wav";
    }
    EXPECT_GT(eaten, 20);
    EXPECT_GT(left, 0);

    EXPECT_EQ(tablesHash(), 0x5a2164143b8c93d1ull) << std::hex << "hash 0x" << tablesHash();
    resetProcessState();
}

}  // namespace
