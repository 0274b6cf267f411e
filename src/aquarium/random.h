// random.h -- the aquarium's random draws: the generator is reseeded from the time in whole
// seconds right before every draw, so draws within one second repeat.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

// srand(time(NULL)) followed by rand(): a value from 0 to 32767.
int timeSeededRand();

// The generator itself: the classic linear congruential one with 15-bit results.
void seedGenerator(uint32_t seed);
int drawGenerator();

// Tests fix the clock; an empty function goes back to time(nullptr).
using TimeSource = std::function<std::time_t()>;
void setTimeSource(TimeSource source);
