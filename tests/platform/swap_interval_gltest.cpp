// swap_interval_gltest.cpp -- vertical sync: the platform's request against the real GL platform of
// the test display.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/gl_window.h"

namespace {

TEST(SwapIntervalTest, RequestWithoutAContextIsRefusedQuietly) {
    // Before any window the request has nothing to act on; the program then simply runs unthrottled.
    if (platformCurrentGlContext() != nullptr) GTEST_SKIP() << "a context is already current in this process";
    EXPECT_FALSE(platformRequestSwapInterval(1));
}

TEST(SwapIntervalTest, RequestOnTheTestDisplayLeavesGlWorking) {
    ensureGlWindow();
    platformRequestSwapInterval(1);
    platformRequestSwapInterval(0);  // whatever the display offers, nothing breaks and GL reports no error
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
