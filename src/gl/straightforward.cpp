// straightforward.cpp -- the one switch that turns every speed-up of the drawing off.
#include "gl/straightforward.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "gl/straightforward_testing.h"

namespace {
bool sameWord(const char* value, const char* word) {
    for (; *value != '\0' && *word != '\0'; ++value, ++word)
        if (std::tolower(static_cast<unsigned char>(*value)) != *word) return false;
    return *value == *word;
}

bool isOneOf(const char* value, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (sameWord(value, word)) return true;
    return false;
}
}  // namespace

std::optional<bool> parseStraightforwardSetting(const char* value) {
    if (value == nullptr || isOneOf(value, {"", "0", "false", "no", "off"})) return false;
    if (isOneOf(value, {"1", "true", "yes", "on"})) return true;
    return std::nullopt;
}

namespace {
bool fromEnvironment() {
    const char* value = std::getenv("GLINTMERE_STRAIGHTFORWARD");
    std::optional<bool> on = parseStraightforwardSetting(value);
    if (!on)
        std::fprintf(stderr,
                     "glintmere: GLINTMERE_STRAIGHTFORWARD=%s is not one of 1, true, yes, on, 0, false, no, off; "
                     "the ordinary drawing is used\n",
                     value);
    return on.value_or(false);
}

bool switchedOn = fromEnvironment();
}  // namespace

bool straightforwardDrawing() {
    return switchedOn;
}

void setStraightforwardDrawing(bool on) {
    switchedOn = on;
}
