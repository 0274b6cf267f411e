// random.cpp -- the time-seeded generator behind every random choice of the aquarium.
#include "aquarium/random.h"

#include "aquarium/random_testing.h"

namespace {
uint32_t generatorState = 1;

TimeSource& timeSource() {
    static TimeSource source;
    return source;
}
}  // namespace

void seedGenerator(uint32_t seed) {
    generatorState = seed;
}

int drawGenerator() {
    generatorState = generatorState * 214013u + 2531011u;
    return static_cast<int>((generatorState >> 16) & 0x7fffu);
}

int timeSeededRand() {
    std::time_t now = timeSource() ? timeSource()() : std::time(nullptr);
    seedGenerator(static_cast<uint32_t>(now));
    return drawGenerator();
}

void setTimeSource(TimeSource source) {
    timeSource() = std::move(source);
}
