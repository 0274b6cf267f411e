// straightforward_gltest.cpp -- the values GLINTMERE_STRAIGHTFORWARD takes. No window is needed; the
// switch is part of the drawing library, which the GL tests link.
#include <gtest/gtest.h>

#include <optional>

#include "gl/straightforward_testing.h"

namespace {

TEST(StraightforwardSettingTest, TheUsualWordsForOnAndOffAreReadAndOthersAreNot) {
    for (const char* on : {"1", "true", "yes", "on", "TRUE", "Yes", "ON"})
        EXPECT_EQ(parseStraightforwardSetting(on), std::optional<bool>(true)) << on;
    for (const char* off : {"0", "false", "no", "off", "", "False", "NO", "Off"})
        EXPECT_EQ(parseStraightforwardSetting(off), std::optional<bool>(false)) << off;
    EXPECT_EQ(parseStraightforwardSetting(nullptr), std::optional<bool>(false)) << "unset";
    for (const char* other : {"maybe", "2", " 1", "on ", "truee"})
        EXPECT_EQ(parseStraightforwardSetting(other), std::nullopt) << other;
}

}  // namespace
