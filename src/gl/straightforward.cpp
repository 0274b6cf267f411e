// straightforward.cpp -- the one switch that turns every speed-up of the drawing off.
#include "gl/straightforward.h"

#include <cstdlib>
#include <cstring>

namespace {
bool fromEnvironment() {
    const char* value = std::getenv("GLINTMERE_STRAIGHTFORWARD");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

bool switchedOn = fromEnvironment();
}  // namespace

bool straightforwardDrawing() {
    return switchedOn;
}

void setStraightforwardDrawing(bool on) {
    switchedOn = on;
}
