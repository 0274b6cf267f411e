// aquarium_test_support.h -- shared helpers of the aquarium tests: a fixed clock and quick
// ways to read the tables.
#pragma once

#include <cmath>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "aquarium/random.h"
#include "aquarium/random_testing.h"
#include "aquarium/tables.h"
#include "support/capture.h"

namespace aquarium_test {

// The draw the time-seeded generator gives at time t.
inline int drawAt(std::time_t t) {
    seedGenerator(static_cast<uint32_t>(t));
    return drawGenerator();
}

// The first time from 1000 on whose draw leaves the wanted remainder.
inline std::time_t timeGiving(int modulus, int wanted) {
    for (std::time_t t = 1000;; ++t)
        if (drawAt(t) % modulus == wanted) return t;
}

inline void fixClock(std::time_t t) {
    setTimeSource([t] { return t; });
}

inline std::set<int> presentWorms() {
    std::set<int> out;
    for (int s = 0; s < wormSlots; ++s)
        if (worms[s].alive == 1.0f) out.insert(s);
    return out;
}

inline std::set<int> presentFish() {
    std::set<int> out;
    for (int i = 0; i < fishSlots; ++i)
        if (fishes[i].alive == 1.0f) out.insert(i);
    return out;
}

inline std::vector<std::string> cueNames() {
    std::vector<std::string> out;
    for (const PlayedCue& c : playedCues()) out.push_back(c.fileName);
    return out;
}

inline double lengthOf(const Vec3f& v) {
    return std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y + static_cast<double>(v.z) * v.z);
}

}  // namespace aquarium_test
