// textures_gltest.cpp -- the texture set against real GL: the generated files, the upload of every name, odd widths,
// and sizes GL cannot take.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/console.h"
#include "room/bitmap.h"
#include "room/bitmap_testing.h"
#include "room/bmp_files.h"
#include "room/room_gl.h"

namespace {

unsigned int* const textureNames[12] = {&floorTexture,    &woodTexture,      &picture4Texture,   &picture1Texture,
                                        &picture2Texture, &picture3Texture,  &waterTexture,      &sandTexture,
                                        &ceilingTexture,  &wallPaperTexture, &wallPaper1Texture, &marbleTexture};

GLint levelValue(unsigned int name, GLenum what) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint v = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &v);
    return v;
}

GLint parameter(unsigned int name, GLenum what) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint v = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, what, &v);
    return v;
}

std::vector<uint8_t> texels(unsigned int name) {
    std::vector<uint8_t> out(static_cast<size_t>(levelValue(name, GL_TEXTURE_WIDTH)) *
                             levelValue(name, GL_TEXTURE_HEIGHT) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
    return out;
}

// Loads the set from a test folder and puts the program's own names back afterwards, so later
// tests in this process still draw with the generated textures.
class TextureSetGlTest : public testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        roomtest::ensureRoomReady();
        for (int i = 0; i < 12; ++i) saved[i] = *textureNames[i];
        home = std::filesystem::current_path();
    }
    void TearDown() override {
        for (int i = 0; i < 12; ++i) *textureNames[i] = saved[i];
        std::filesystem::current_path(home);
    }
    void loadFrom(const roomtest::TempDir& dir) {
        std::filesystem::current_path(dir.path());
        EXPECT_TRUE(loadTextures());
        std::filesystem::current_path(home);
    }
    unsigned int saved[12] = {};
    std::filesystem::path home;
};

TEST_F(TextureSetGlTest, GeneratedFilesAreSquarePowersOfTwoAndAllDifferent) {
    // The pixels as strings: MinGW's GCC 12 warns wrongly about its inlined memcmp in a set of vectors.
    std::set<std::string> seen;
    for (const std::string& name : roomtest::textureFileNames()) {
        std::string path = "texture/" + name + ".bmp";
        BitmapImage image;
        ASSERT_EQ(loadBitmap(path.c_str(), &image), 1) << path;
        EXPECT_EQ(image.sizeX, image.sizeY) << path;
        EXPECT_TRUE(image.sizeX == 256 || image.sizeX == 512) << path << " is " << image.sizeX;
        std::vector<uint8_t> bytes(image.data, image.data + size_t{image.sizeX} * image.sizeY * 3);
        std::set<uint32_t> colours;
        for (size_t i = 0; i < bytes.size(); i += 3) colours.insert(bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]);
        EXPECT_GT(colours.size(), 100u) << path << " should be a picture, not a plain colour";
        EXPECT_TRUE(seen.emplace(bytes.begin(), bytes.end()).second) << path << " repeats another texture";
        freeBitmapPixels(&image);
    }
}

TEST_F(TextureSetGlTest, GeneratedFilesHaveThePixelsRightAfterTheHeader) {
    FILE* f = std::fopen("texture/floor.bmp", "rb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 10, SEEK_SET);
    EXPECT_EQ(readUint32LE(f), 54u);
    std::fseek(f, 0, SEEK_END);
    EXPECT_EQ(std::ftell(f), 54 + 256 * 256 * 3);
    std::fclose(f);
}

TEST_F(TextureSetGlTest, StartUpUploadedTwelveDistinctRepeatingLinearTextures) {
    std::set<unsigned int> names;
    for (unsigned int* name : textureNames) {
        ASSERT_NE(*name, 0u);
        names.insert(*name);
        EXPECT_TRUE(glIsTexture(*name));
        EXPECT_GE(levelValue(*name, GL_TEXTURE_WIDTH), 256);
        EXPECT_EQ(parameter(*name, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(*name, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(*name, GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(parameter(*name, GL_TEXTURE_WRAP_T), GL_REPEAT);
    }
    EXPECT_EQ(names.size(), 12u);
}

TEST_F(TextureSetGlTest, EachNameHoldsItsOwnFileAndMarbleStaysBound) {
    roomtest::TempDir dir;
    roomtest::writeTextureSet(dir);
    glDisable(GL_TEXTURE_2D);
    loadFrom(dir);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), marbleTexture);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    for (int i = 0; i < 12; ++i) {
        auto rgb = texels(*textureNames[i]);
        ASSERT_EQ(rgb.size(), 4u * 4u * 3u);
        EXPECT_EQ(rgb[0], 10 * (i + 1)) << roomtest::textureFileNames()[i];
        EXPECT_EQ(rgb[1], 100 + i) << roomtest::textureFileNames()[i];
        EXPECT_EQ(rgb[2], 200 - i) << roomtest::textureFileNames()[i];
    }
}

TEST_F(TextureSetGlTest, OddWidthUploadsRowByRowWithoutSkew) {
    roomtest::TempDir dir;
    roomtest::writeTextureSet(dir);
    roomtest::BmpSpec odd;
    odd.width = 3;
    odd.height = 2;
    roomtest::writeBmp(dir.file("texture/wood.bmp"), odd);
    loadFrom(dir);
    std::vector<uint8_t> expected;
    for (uint32_t row = 0; row < 2; ++row)
        for (uint32_t column = 0; column < 3; ++column)
            for (int channel = 2; channel >= 0; --channel)
                expected.push_back(roomtest::pixelByte(row, column, channel));
    EXPECT_EQ(texels(woodTexture), expected);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "the upload puts the unpack alignment back";
}

// ---- sizes GL cannot take end start-up before any upload

void loadTexturesIn(const roomtest::TempDir& dir) {
    ensureGlWindow();
    setConsoleSink([](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    });
    std::filesystem::current_path(dir.path());
    unsigned int before = floorTexture;
    // Start-up ends with status 1 on a refusal; 97 and 98: a set that loaded after all, or half did.
    if (!loadTextures()) std::_Exit(before == floorTexture ? 1 : 96);
    std::_Exit(before == floorTexture ? 97 : 98);
}

class TextureSizeDeathTest : public TextureSetGlTest {
protected:
    void SetUp() override {
        TextureSetGlTest::SetUp();
        previousStyle = GTEST_FLAG_GET(death_test_style);
        GTEST_FLAG_SET(death_test_style, "threadsafe");  // the child opens its own window
        roomtest::writeTextureSet(dir);
    }
    void TearDown() override {
        GTEST_FLAG_SET(death_test_style, previousStyle);
        TextureSetGlTest::TearDown();
    }
    std::string previousStyle;
    roomtest::TempDir dir;
};

TEST_F(TextureSizeDeathTest, EmptyImageIsRefused) {
    roomtest::BmpSpec empty;
    empty.width = 0;
    empty.height = 4;
    roomtest::writeBmp(dir.file("texture/ceiling.bmp"), empty);
    EXPECT_EXIT(loadTexturesIn(dir), testing::ExitedWithCode(1),
                "Texture size from texture/ceiling.bmp is not usable: 0 by 4");
}

TEST_F(TextureSizeDeathTest, ImageWiderThanGlTakesIsRefused) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    roomtest::BmpSpec wide;
    wide.width = largest + 1;
    wide.height = 1;
    roomtest::writeBmp(dir.file("texture/sandSurface.bmp"), wide);
    EXPECT_EXIT(loadTexturesIn(dir), testing::ExitedWithCode(1),
                "Texture size from texture/sandSurface.bmp is not usable: " + std::to_string(largest + 1) +
                    " by 1 \\(largest this OpenGL takes: " + std::to_string(largest) + "\\)");
}

}  // namespace
