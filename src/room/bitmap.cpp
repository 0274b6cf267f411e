// bitmap.cpp -- reads 24-bit uncompressed bitmaps into RGB pixels, bottom row first. No GL here.
#include "room/bitmap.h"

#include <cstdio>
#include <cstdlib>

#include "core/console.h"
#include "room/bitmap_testing.h"

namespace {

PixelAllocator pixelAllocator = nullptr;

// The header is read from byte 10 on: data offset, info-header size, width, height, planes,
// bits per pixel and compression follow one another from there.
constexpr long dataOffsetField = 10;
constexpr uint32_t smallestInfoHeader = 40;
constexpr uint64_t fileHeaderSize = 14;

// Closes the file on every way out of the reader.
class OpenFile {
public:
    explicit OpenFile(const char* name) : file_(std::fopen(name, "rb")) {}
    ~OpenFile() {
        if (file_) std::fclose(file_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    FILE* get() const { return file_; }

private:
    FILE* file_;
};

// The file's length in bytes, or -1 when it cannot be told (not a regular file).
long long fileLength(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    long length = std::ftell(file);
    return length < 0 ? -1 : static_cast<long long>(length);
}

int refuseRead(const char* fileName, BitmapImage* image) {
    freeBitmapPixels(image);
    consolePrintf("Error reading image data from %s.\n", fileName);
    return 0;
}

}  // namespace

uint32_t readUint32LE(FILE* file) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        int b = std::fgetc(file);
        if (b == EOF) b = 0;
        value |= static_cast<uint32_t>(b) << (8 * i);
    }
    return value;
}

uint16_t readUint16LE(FILE* file) {
    uint32_t value = 0;
    for (int i = 0; i < 2; ++i) {
        int b = std::fgetc(file);
        if (b == EOF) b = 0;
        value |= static_cast<uint32_t>(b) << (8 * i);
    }
    return static_cast<uint16_t>(value);
}

void setPixelAllocator(PixelAllocator allocate) {
    pixelAllocator = allocate;
}

void freeBitmapPixels(BitmapImage* image) {
    std::free(image->data);
    image->data = nullptr;
}

int loadBitmap(const char* fileName, BitmapImage* image) {
    image->data = nullptr;
    OpenFile opened(fileName);
    FILE* file = opened.get();
    if (!file) {
        consolePrintf("File Not Found : %s\n", fileName);
        return 0;
    }

    std::fseek(file, dataOffsetField, SEEK_SET);
    uint32_t dataOffset = readUint32LE(file);
    uint32_t infoSize = readUint32LE(file);
    image->sizeX = readUint32LE(file);
    uint32_t storedHeight = readUint32LE(file);
    // A negative height marks a top-down file; its rows are turned round below.
    bool topDown = (storedHeight & 0x80000000u) != 0;
    image->sizeY = topDown ? 0u - storedHeight : storedHeight;

    unsigned planes = readUint16LE(file);
    if (planes != 1) {
        consolePrintf("Planes from %s is not 1: %u\n", fileName, planes);
        return 0;
    }
    unsigned bpp = readUint16LE(file);
    if (bpp != 24) {
        consolePrintf("Bpp from %s is not 24: %u\n", fileName, bpp);
        return 0;
    }
    // Files that leave the header's bookkeeping fields at zero (hand-written ones often do) have
    // the classic layout: a 40-byte info header and the pixels at byte 54.
    if (infoSize == 0) infoSize = smallestInfoHeader;
    if (dataOffset == 0) dataOffset = static_cast<uint32_t>(fileHeaderSize + smallestInfoHeader);
    // Older 12-byte info headers keep their fields elsewhere; reading them as this layout is nonsense.
    if (infoSize < smallestInfoHeader) {
        consolePrintf("Info header from %s is too short: %u\n", fileName, static_cast<unsigned>(infoSize));
        return 0;
    }
    uint32_t compression = readUint32LE(file);
    if (compression != 0) {
        consolePrintf("Compression from %s is not 0: %u\n", fileName, static_cast<unsigned>(compression));
        return 0;
    }
    if (dataOffset < fileHeaderSize + infoSize) {
        consolePrintf("Pixel data offset from %s lies inside the header: %u\n", fileName,
                      static_cast<unsigned>(dataOffset));
        return 0;
    }

    // Every size below is checked against the file's real length before any allocation, in
    // 64-bit arithmetic, so no stored size can overflow the count or reach past the buffer.
    const long long length = fileLength(file);
    const uint64_t rowBytes = uint64_t{image->sizeX} * 3u;
    const uint64_t stride = (rowBytes + 3u) & ~uint64_t{3};  // rows are padded to 4 bytes
    const uint64_t rows = image->sizeY;
    if (length < 0) return refuseRead(fileName, image);
    const uint64_t available = static_cast<uint64_t>(length);
    if (dataOffset > available) return refuseRead(fileName, image);
    const uint64_t pixelRoom = available - dataOffset;
    // The last row may lack its padding; the rows before it need the full stride.
    if (rows > 0 && rowBytes > 0 && (rowBytes > pixelRoom || (rows - 1) > (pixelRoom - rowBytes) / stride))
        return refuseRead(fileName, image);
    const uint64_t pixelBytes = rowBytes * rows;  // at most the file's length now

    void* buffer = pixelBytes == 0 ? nullptr : (pixelAllocator ? pixelAllocator(pixelBytes) : std::malloc(pixelBytes));
    if (pixelBytes != 0 && !buffer) {
        consoleWrite("Error allocating memory for color-corrected image data");
        return 0;
    }
    image->data = static_cast<unsigned char*>(buffer);
    if (pixelBytes == 0) return 1;  // nothing to read; the texture set refuses empty images

    if (std::fseek(file, static_cast<long>(dataOffset), SEEK_SET) != 0) return refuseRead(fileName, image);
    if (stride == rowBytes && !topDown) {
        if (std::fread(image->data, pixelBytes, 1, file) != 1) return refuseRead(fileName, image);
    } else {
        for (uint64_t i = 0; i < rows; ++i) {
            uint64_t target = topDown ? rows - 1 - i : i;
            if (std::fread(image->data + target * rowBytes, rowBytes, 1, file) != 1) return refuseRead(fileName, image);
            if (i + 1 < rows && stride != rowBytes &&
                std::fseek(file, static_cast<long>(stride - rowBytes), SEEK_CUR) != 0)
                return refuseRead(fileName, image);
        }
    }

    for (uint64_t i = 0; i < pixelBytes; i += 3) {
        unsigned char blue = image->data[i];
        image->data[i] = image->data[i + 2];
        image->data[i + 2] = blue;
    }
    return 1;
}
