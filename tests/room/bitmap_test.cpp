// bitmap_test.cpp -- the bitmap reader: its refusals and messages, the BGR swap, and files from other writers.
#include "room/bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "room/bitmap_testing.h"
#include "room/bmp_files.h"
#include "support/capture.h"

namespace {

using roomtest::BmpSpec;
using roomtest::pixelByte;

// Overwrites the stored width and height of a file's bytes.
void patchSize(std::vector<uint8_t>& bytes, uint32_t width, uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = static_cast<uint8_t>(width >> (8 * i));
        bytes[22 + i] = static_cast<uint8_t>(height >> (8 * i));
    }
}

int allocationCalls = 0;
void* countingAllocator(std::size_t bytes) {
    ++allocationCalls;
    return std::malloc(bytes);
}
void* failingAllocator(std::size_t) {
    ++allocationCalls;
    return nullptr;
}

class BitmapReaderTest : public testing::Test {
protected:
    void SetUp() override {
        allocationCalls = 0;
        setPixelAllocator(countingAllocator);
    }
    void TearDown() override {
        freeBitmapPixels(&image);
        setPixelAllocator(nullptr);
    }

    // Writes the file, reads it back, and keeps the reader's result and console output.
    int load(const BmpSpec& layout, const std::string& name = "test.bmp") {
        path = dir.file(name);
        EXPECT_TRUE(roomtest::writeBmp(path, layout));
        return loadBitmap(path.c_str(), &image);
    }

    // Every pixel of a pattern-filled image, RGB, bottom row first, as the reader should give it.
    static std::vector<uint8_t> expectedPattern(uint32_t width, uint32_t rows, bool topDown) {
        std::vector<uint8_t> out;
        for (uint32_t r = 0; r < rows; ++r) {
            uint32_t fileRow = topDown ? rows - 1 - r : r;
            for (uint32_t c = 0; c < width; ++c)
                for (int ch = 2; ch >= 0; --ch) out.push_back(pixelByte(fileRow, c, ch));
        }
        return out;
    }

    std::vector<uint8_t> pixels() const {
        size_t n = static_cast<size_t>(image.sizeX) * image.sizeY * 3;
        return image.data ? std::vector<uint8_t>(image.data, image.data + n) : std::vector<uint8_t>{};
    }

    std::string readError() const { return "Error reading image data from " + path + ".\n"; }

    roomtest::TempDir dir;
    ConsoleCapture console;
    BitmapImage image;
    std::string path;
};

// ---- the reader as the texture files need it

TEST_F(BitmapReaderTest, MissingFileIsReportedByName) {
    path = dir.file("nowhere.bmp");
    EXPECT_EQ(loadBitmap(path.c_str(), &image), 0);
    EXPECT_EQ(console.text(), "File Not Found : " + path + "\n");
    EXPECT_EQ(image.data, nullptr);
}

TEST_F(BitmapReaderTest, TwoByOnePixelsTurnFromBgrToRgb) {
    BmpSpec layout;
    layout.width = 2;
    layout.height = 1;
    layout.bgr = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(load(layout), 1) << console.text();
    EXPECT_EQ(image.sizeX, 2u);
    EXPECT_EQ(image.sizeY, 1u);
    EXPECT_EQ(pixels(), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    EXPECT_EQ(console.text(), "");
}

TEST_F(BitmapReaderTest, RowsComeBottomFirstAsStored) {
    BmpSpec layout;
    layout.width = 4;
    layout.height = 3;
    ASSERT_EQ(load(layout), 1) << console.text();
    EXPECT_EQ(pixels(), expectedPattern(4, 3, false));
}

TEST_F(BitmapReaderTest, PaletteBitmapIsRefusedWithItsDepth) {
    BmpSpec layout;
    layout.bitsPerPixel = 8;
    EXPECT_EQ(load(layout, "eight.bmp"), 0);
    EXPECT_EQ(console.text(), "Bpp from " + path + " is not 24: 8\n");
    EXPECT_EQ(allocationCalls, 0);
}

TEST_F(BitmapReaderTest, PlanesOtherThanOneAreRefused) {
    BmpSpec layout;
    layout.planes = 3;
    EXPECT_EQ(load(layout), 0);
    EXPECT_EQ(console.text(), "Planes from " + path + " is not 1: 3\n");
}

TEST_F(BitmapReaderTest, TruncatedHeaderFailsThePlanesCheckWithoutReadingBeyondTheFile) {
    BmpSpec layout;
    layout.truncateTo = 20;
    EXPECT_EQ(load(layout), 0);
    EXPECT_EQ(console.text(), "Planes from " + path + " is not 1: 0\n");
}

TEST_F(BitmapReaderTest, StoredHeightLargerThanTheDataIsAReadError) {
    BmpSpec layout;
    layout.width = 4;
    layout.height = 4;
    auto bytes = roomtest::bmpBytes(layout);
    bytes[22] = 5;  // claims five rows over four rows of data
    path = dir.file("tall.bmp");
    ASSERT_TRUE(roomtest::writeFile(path, bytes));
    EXPECT_EQ(loadBitmap(path.c_str(), &image), 0);
    EXPECT_EQ(console.text(), readError());
    EXPECT_EQ(image.data, nullptr);
    EXPECT_EQ(allocationCalls, 0) << "checked against the file's length before allocating";
}

TEST_F(BitmapReaderTest, FailedPixelAllocationIsReportedWithoutALineBreak) {
    setPixelAllocator(failingAllocator);
    EXPECT_EQ(load(BmpSpec{}), 0);
    EXPECT_EQ(console.text(), "Error allocating memory for color-corrected image data");
    EXPECT_EQ(allocationCalls, 1);
    EXPECT_EQ(image.data, nullptr);
}

// ---- sizes that would overrun: refused before any allocation

TEST_F(BitmapReaderTest, ByteCountThatWrapsIn32BitsIsRefused) {
    // 3 * 4 * (2^30 + 1) is 12 modulo 2^32: a 32-bit count would read 12 bytes and call it
    // an image of a billion columns.
    BmpSpec layout;
    layout.height = 0;
    auto bytes = roomtest::bmpBytes(layout);
    patchSize(bytes, (1u << 30) + 1, 4);
    bytes.insert(bytes.end(), 12, 9);  // the file holds exactly the wrapped count
    path = dir.file("wrap.bmp");
    ASSERT_TRUE(roomtest::writeFile(path, bytes));
    EXPECT_EQ(loadBitmap(path.c_str(), &image), 0);
    EXPECT_EQ(console.text(), readError());
    EXPECT_EQ(allocationCalls, 0);
}

TEST_F(BitmapReaderTest, HugeSizesInATinyFileAllocateNothing) {
    const std::vector<std::pair<uint32_t, uint32_t>> sizes = {
        {60000, 60000}, {0xFFFFFFFFu, 0x7FFFFFFFu}, {1, 0x7FFFFFFFu}, {0xFFFFFFFFu, 1}};
    for (auto [w, h] : sizes) {
        auto bytes = roomtest::bmpBytes(BmpSpec{});
        patchSize(bytes, w, h);
        path = dir.file("huge.bmp");
        ASSERT_TRUE(roomtest::writeFile(path, bytes));
        console.clear();
        EXPECT_EQ(loadBitmap(path.c_str(), &image), 0) << w << " by " << h;
        EXPECT_EQ(console.text(), readError()) << w << " by " << h;
    }
    EXPECT_EQ(allocationCalls, 0);
}

TEST_F(BitmapReaderTest, MostNegativeHeightIsRefusedNotAllocated) {
    auto bytes = roomtest::bmpBytes(BmpSpec{});
    patchSize(bytes, 2, static_cast<uint32_t>(INT32_MIN));
    path = dir.file("negative.bmp");
    ASSERT_TRUE(roomtest::writeFile(path, bytes));
    EXPECT_EQ(loadBitmap(path.c_str(), &image), 0);
    EXPECT_EQ(console.text(), readError());
    EXPECT_EQ(allocationCalls, 0);
}

// ---- files as common image editors write them

TEST_F(BitmapReaderTest, WidthsNotAMultipleOfFourSkipTheRowPadding) {
    for (int width : {1, 2, 3, 5, 7}) {
        BmpSpec layout;
        layout.width = width;
        layout.height = 3;
        freeBitmapPixels(&image);
        ASSERT_EQ(load(layout), 1) << "width " << width << ": " << console.text();
        EXPECT_EQ(pixels(), expectedPattern(width, 3, false)) << "width " << width;
    }
}

TEST_F(BitmapReaderTest, LastRowMayLackItsPadding) {
    BmpSpec layout;
    layout.width = 3;
    layout.height = 2;
    auto bytes = roomtest::bmpBytes(layout);
    bytes.resize(bytes.size() - 3);  // 9 bytes of the last row, no padding after it
    path = dir.file("short.bmp");
    ASSERT_TRUE(roomtest::writeFile(path, bytes));
    ASSERT_EQ(loadBitmap(path.c_str(), &image), 1) << console.text();
    EXPECT_EQ(pixels(), expectedPattern(3, 2, false));
}

TEST_F(BitmapReaderTest, PixelsStartAtTheStoredDataOffset) {
    BmpSpec layout;
    layout.width = 4;
    layout.height = 2;
    layout.infoSize = 124;              // a version-5 info header
    layout.dataOffset = 14 + 124 + 16;  // and a gap after it
    ASSERT_EQ(load(layout), 1) << console.text();
    EXPECT_EQ(pixels(), expectedPattern(4, 2, false));
}

TEST_F(BitmapReaderTest, TopDownFileIsTurnedBottomFirst) {
    BmpSpec layout;
    layout.width = 3;
    layout.height = -4;
    ASSERT_EQ(load(layout), 1) << console.text();
    EXPECT_EQ(image.sizeY, 4u);
    EXPECT_EQ(pixels(), expectedPattern(3, 4, true));
}

TEST_F(BitmapReaderTest, MalformedHeadersAreRefusedWithTheirReason) {
    BmpSpec compressed;
    compressed.compression = 1;
    EXPECT_EQ(load(compressed), 0);
    EXPECT_EQ(console.text(), "Compression from " + path + " is not 0: 1\n");

    console.clear();
    BmpSpec coreHeader;
    coreHeader.infoSize = 12;
    coreHeader.dataOffset = 54;
    EXPECT_EQ(load(coreHeader), 0);
    EXPECT_EQ(console.text(), "Info header from " + path + " is too short: 12\n");

    console.clear();
    BmpSpec overlapping;
    overlapping.dataOffset = 30;
    EXPECT_EQ(load(overlapping), 0);
    EXPECT_EQ(console.text(), "Pixel data offset from " + path + " lies inside the header: 30\n");

    console.clear();
    BmpSpec beyond;
    beyond.dataOffset = 5000;
    beyond.truncateTo = 200;
    EXPECT_EQ(load(beyond), 0);
    EXPECT_EQ(console.text(), readError());
    EXPECT_EQ(allocationCalls, 0);
}

TEST_F(BitmapReaderTest, HeaderWithItsBookkeepingLeftAtZeroReadsPixelsFromByte54) {
    // Only the size, planes and depth filled in, as a hand-made file often has it.
    std::vector<uint8_t> bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    patchSize(bytes, 2, 1);
    bytes[26] = 1;
    bytes[28] = 24;
    for (uint8_t b : {1, 2, 3, 4, 5, 6}) bytes.push_back(b);
    path = dir.file("zeroed.bmp");
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
    ASSERT_EQ(loadBitmap(path.c_str(), &image), 1) << console.text();
    EXPECT_EQ(pixels(), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST_F(BitmapReaderTest, EmptyImageReadsAsNoPixels) {
    BmpSpec layout;
    layout.width = 0;
    layout.height = 8;
    ASSERT_EQ(load(layout), 1);
    EXPECT_EQ(image.sizeX, 0u);
    EXPECT_EQ(image.data, nullptr);
    EXPECT_EQ(allocationCalls, 0);
}

// ---- the little-endian helpers

TEST(BitmapBytes, LittleEndianReadsAndZerosPastTheEnd) {
    roomtest::TempDir dir;
    std::string path = dir.file("bytes.bin");
    ASSERT_TRUE(roomtest::writeFile(path, {0x78, 0x56, 0x34, 0x12, 0xCD, 0xAB, 0xFF}));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(readUint32LE(f), 0x12345678u);
    EXPECT_EQ(readUint16LE(f), 0xABCDu);
    EXPECT_EQ(readUint32LE(f), 0xFFu);
    EXPECT_EQ(readUint16LE(f), 0u);
    std::fclose(f);
}

}  // namespace
