// random_testing.h -- what tests reach of the random seam: the generator itself and the clock.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

// The generator itself: the classic linear congruential one with 15-bit results.
void seedGenerator(uint32_t seed);
int drawGenerator();

// Tests fix the clock; an empty function goes back to time(nullptr).
using TimeSource = std::function<std::time_t()>;
void setTimeSource(TimeSource source);
