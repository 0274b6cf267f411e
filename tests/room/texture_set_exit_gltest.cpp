// texture_set_exit_gltest.cpp -- the texture set's refusals, which end start-up before anything reaches GL.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/console.h"
#include "room/bitmap.h"
#include "room/bmp_files.h"
#include "room/draw/textures.h"
#include "room/draw/textures_testing.h"

namespace {

using roomtest::BmpSpec;
using testing::ExitedWithCode;

// Runs in the death-test child: the messages go to stderr, where the parent can match them.
void loadTexturesIn(const roomtest::TempDir& dir) {
    setConsoleSink([](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    });
    std::error_code error;
    std::filesystem::current_path(dir.path(), error);
    if (error) std::_Exit(97);
    // Start-up ends with status 1 on a refusal; 98: the set loaded, not what these tests expect.
    std::_Exit(loadTextures() ? 98 : 1);
}

BitmapImage* noRecord() {
    return nullptr;
}

class TextureSetExitTest : public testing::Test {
protected:
    void SetUp() override { roomtest::writeTextureSet(dir); }
    roomtest::TempDir dir;
};

TEST_F(TextureSetExitTest, MissingWoodStopsAfterTheFloorWithStatusOne) {
    std::filesystem::remove(dir.file("texture/wood.bmp"));
    EXPECT_EXIT(loadTexturesIn(dir), ExitedWithCode(1), "^File Not Found : texture/wood.bmp\n$");
}

TEST_F(TextureSetExitTest, EightBitFileStopsWithStatusOne) {
    BmpSpec layout;
    layout.bitsPerPixel = 8;
    roomtest::writeBmp(dir.file("texture/picture2.bmp"), layout);
    EXPECT_EXIT(loadTexturesIn(dir), ExitedWithCode(1), "^Bpp from texture/picture2.bmp is not 24: 8\n$");
}

TEST_F(TextureSetExitTest, ShortFileStopsWithTheReadError) {
    BmpSpec layout;
    layout.width = 4;
    layout.height = 4;
    layout.truncateTo = 54 + 20;
    roomtest::writeBmp(dir.file("texture/marble.bmp"), layout);
    EXPECT_EXIT(loadTexturesIn(dir), ExitedWithCode(1), "^Error reading image data from texture/marble.bmp.\n$");
}

TEST_F(TextureSetExitTest, FailedRecordAllocationIsAFailureStatus) {
    setImageRecordAllocator(noRecord);
    EXPECT_EXIT(loadTexturesIn(dir), ExitedWithCode(1), "^Error allocating space for image$");
    setImageRecordAllocator(nullptr);
}

}  // namespace
