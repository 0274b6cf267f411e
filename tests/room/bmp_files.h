// bmp_files.h -- writes small bitmap files for the reader and texture tests, in a temp folder.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace roomtest {

// A fresh folder under the system temp dir, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir() {
        // A random name, tried again while a folder of that name exists: create_directory makes it
        // only when it is new.
        std::random_device random;
        const auto temp = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            auto candidate = temp / ("glintmere-room-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// What goes into a test bitmap. The defaults describe a plain 24-bit bottom-up file with its
// pixels right after a 40-byte info header; each field can be bent to make a faulty file.
struct BmpSpec {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    int64_t dataOffset = -1;  // -1: straight after the info header
    bool padRows = true;      // rows filled to a multiple of 4 bytes, as the format wants
    // B, G, R per pixel, rows packed, in file order. Empty: a pattern from pixelByte().
    std::vector<uint8_t> bgr;
    int64_t truncateTo = -1;  // cut the file to this many bytes
};

// The byte a pattern-filled file holds for row, column and channel (0 B, 1 G, 2 R).
inline uint8_t pixelByte(uint32_t row, uint32_t column, int channel) {
    return static_cast<uint8_t>(row * 31 + column * 7 + channel * 3 + 1);
}

inline void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(v & 0xff);
    b.push_back(v >> 8);
}
inline void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xff);
}

inline std::vector<uint8_t> bmpBytes(const BmpSpec& layout) {
    const uint32_t width = static_cast<uint32_t>(layout.width);
    const uint32_t rows =
        layout.height < 0 ? 0u - static_cast<uint32_t>(layout.height) : static_cast<uint32_t>(layout.height);
    const uint32_t offset = layout.dataOffset >= 0 ? static_cast<uint32_t>(layout.dataOffset) : 14 + layout.infoSize;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, 0);  // file size, patched below
    put32(b, 0);
    put32(b, offset);
    put32(b, layout.infoSize);
    put32(b, width);
    put32(b, static_cast<uint32_t>(layout.height));
    put16(b, layout.planes);
    put16(b, layout.bitsPerPixel);
    put32(b, layout.compression);
    while (b.size() < 14 + layout.infoSize) b.push_back(0);
    while (b.size() < offset) b.push_back(0xEE);  // a gap (e.g. a palette) the reader must skip

    const size_t rowBytes = static_cast<size_t>(width) * 3;
    const size_t stride = layout.padRows ? (rowBytes + 3) / 4 * 4 : rowBytes;
    if (!layout.bgr.empty()) {
        for (uint32_t r = 0; r < rows; ++r) {
            b.insert(b.end(), layout.bgr.begin() + r * rowBytes, layout.bgr.begin() + (r + 1) * rowBytes);
            for (size_t p = rowBytes; p < stride; ++p) b.push_back(0xAB);
        }
    } else {
        for (uint32_t r = 0; r < rows; ++r) {
            for (uint32_t c = 0; c < width; ++c)
                for (int ch = 0; ch < 3; ++ch) b.push_back(pixelByte(r, c, ch));
            for (size_t p = rowBytes; p < stride; ++p) b.push_back(0xAB);
        }
    }
    uint32_t total = static_cast<uint32_t>(b.size());
    for (int i = 0; i < 4; ++i) b[2 + i] = static_cast<uint8_t>(total >> (8 * i));
    if (layout.truncateTo >= 0 && static_cast<size_t>(layout.truncateTo) < b.size()) b.resize(layout.truncateTo);
    return b;
}

inline bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline bool writeBmp(const std::string& path, const BmpSpec& layout) {
    return writeFile(path, bmpBytes(layout));
}

// The twelve files the texture set reads, in its order.
inline const std::vector<std::string>& textureFileNames() {
    static const std::vector<std::string> names = {"floor",    "wood",      "picture4",      "picture1",
                                                   "picture2", "picture3",  "waterSurface3", "sandSurface",
                                                   "ceiling",  "wallPaper", "wallPaper1",    "marble"};
    return names;
}

// Fills dir/texture with twelve good little bitmaps, each a different plain colour (index i
// gets R = 10 * (i + 1)), so a test can spoil one of them afterwards.
inline void writeTextureSet(const TempDir& dir, int size = 4) {
    std::filesystem::create_directories(dir.path() / "texture");
    const auto& names = textureFileNames();
    for (size_t i = 0; i < names.size(); ++i) {
        BmpSpec layout;
        layout.width = size;
        layout.height = size;
        for (int p = 0; p < size * size; ++p) {
            layout.bgr.push_back(static_cast<uint8_t>(200 - i));
            layout.bgr.push_back(static_cast<uint8_t>(100 + i));
            layout.bgr.push_back(static_cast<uint8_t>(10 * (i + 1)));
        }
        writeBmp(dir.file("texture/" + names[i] + ".bmp"), layout);
    }
}

}  // namespace roomtest
