// extension_list_test.cpp -- the extension lists the platforms' swap-interval requests read.
#include "core/extension_list.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtensionListTest, ExtensionsAreMatchedAsWholeWords) {
    const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_TRUE(extensionListed(list, "GLX_MESA_swap_control"));
    EXPECT_TRUE(extensionListed(list, "GLX_ARB_create_context"));
    EXPECT_FALSE(extensionListed(list, "GLX_EXT_swap_control")) << "a longer name is not the extension";
    EXPECT_FALSE(extensionListed(list, "GLX_SGI_swap_control"));
    EXPECT_FALSE(extensionListed(nullptr, "GLX_EXT_swap_control"));
    EXPECT_FALSE(extensionListed("", "GLX_EXT_swap_control"));
}

}  // namespace
