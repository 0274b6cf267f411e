// straightforward_testing.h -- the reading of GLINTMERE_STRAIGHTFORWARD, on its own so tests reach it.
#pragma once

#include <optional>

// What a value of GLINTMERE_STRAIGHTFORWARD asks for: on, off (also when unset, a null pointer), or
// nothing the switch knows (an empty optional).
std::optional<bool> parseStraightforwardSetting(const char* value);
