// swap_interval_gltest.cpp -- vertical sync: the extension lookup, and the request against the real GL
// platform of the test display.
#include <gtest/gtest.h>

#include "gl/context_key.h"
#include "gl/swap_interval.h"
#include "support/gl_window.h"

namespace {

TEST(SwapIntervalTest, ExtensionsAreMatchedAsWholeWords) {
    const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_TRUE(extensionListed(list, "GLX_MESA_swap_control"));
    EXPECT_TRUE(extensionListed(list, "GLX_ARB_create_context"));
    EXPECT_FALSE(extensionListed(list, "GLX_EXT_swap_control")) << "a longer name is not the extension";
    EXPECT_FALSE(extensionListed(list, "GLX_SGI_swap_control"));
    EXPECT_FALSE(extensionListed(nullptr, "GLX_EXT_swap_control"));
    EXPECT_FALSE(extensionListed("", "GLX_EXT_swap_control"));
}

TEST(SwapIntervalTest, RequestWithoutAContextIsRefusedQuietly) {
    // Before any window the request has nothing to act on; the program then simply runs unthrottled.
    if (currentGlContext() != nullptr) GTEST_SKIP() << "a context is already current in this process";
    EXPECT_FALSE(requestSwapInterval(1));
}

TEST(SwapIntervalTest, RequestOnTheTestDisplayLeavesGlWorking) {
    ensureGlWindow();
    requestSwapInterval(1);
    requestSwapInterval(0);  // whatever the display offers, nothing breaks and GL reports no error
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
