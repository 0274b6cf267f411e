// frame_compare.h -- how far one frame strays from another: the largest difference of any channel of
// any pixel, and the largest difference of an 8 by 8 block's mean in one channel.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

struct FrameDifference {
    int worstLevels = 0;  // of one channel of one pixel
    int worstX = -1, worstY = -1;
    double worstBlock = 0;  // the mean over an 8 by 8 block, in one channel
    int blockX = -1, blockY = -1;
    long differing = 0;  // pixels with any channel apart
    bool sizeDiffers = false;

    std::string describe() const {
        if (sizeDiffers) return "the frames differ in size";
        return std::to_string(differing) + " pixels differ; the worst by " + std::to_string(worstLevels) +
               " levels at (" + std::to_string(worstX) + ", " + std::to_string(worstY) +
               "); the worst 8 by 8 block by " + std::to_string(worstBlock) + " levels at (" + std::to_string(blockX) +
               ", " + std::to_string(blockY) + ")";
    }
};

inline FrameDifference compareFrames(const std::vector<unsigned char>& expected,
                                     const std::vector<unsigned char>& actual, int width, int height) {
    FrameDifference d;
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    if (expected.size() != size || actual.size() != size) {
        d.sizeDiffers = true;
        return d;
    }
    auto at = [width](int x, int y) {
        return (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int worst = 0;
            for (size_t k = 0; k < 3; ++k)
                worst = std::max(worst, std::abs(expected[at(x, y) + k] - actual[at(x, y) + k]));
            if (worst > 0) ++d.differing;
            if (worst > d.worstLevels) d.worstLevels = worst, d.worstX = x, d.worstY = y;
        }
    for (int by = 0; by + 8 <= height; by += 8)
        for (int bx = 0; bx + 8 <= width; bx += 8) {
            double sum[3] = {0, 0, 0};
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x)
                    for (size_t k = 0; k < 3; ++k) sum[k] += actual[at(x, y) + k] - expected[at(x, y) + k];
            for (double s : sum)
                if (std::abs(s) / 64 > d.worstBlock) d.worstBlock = std::abs(s) / 64, d.blockX = bx, d.blockY = by;
        }
    return d;
}
