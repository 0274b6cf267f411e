// mesh_heights_test.cpp -- the water and sand heights, worked out once per distinct distance, are
// bit for bit what the point-by-point formula gives, with one phase everywhere or with mixed ones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "aquarium/meshes.h"

namespace {

struct Shape {
    int centreColumn, centreRow;
    float divisor;
    bool rim, steppedBase;
};
constexpr Shape waterShape{32, 32, -4.0f, false, false};
constexpr Shape sandShape{16, 32, -6.0f, true, true};

// The height of point (i, j) from its phase after this update, as the plain formula has it.
float plainHeight(const Shape& s, int i, int j, float phase, float a) {
    if (s.rim && (i == 0 || i == meshSize - 1 || j == 0 || j == meshSize - 1)) return 30.0f;
    int dc = j - s.centreColumn, dr = i - s.centreRow;
    float d = std::sqrt(static_cast<float>(dc * dc + dr * dr));
    float t = d / s.divisor;
    double base = s.steppedBase ? 5.0 - i / 16 : 0.0;
    double wave = std::sin((static_cast<double>(t) + phase) * 0.3 * 6.28318);
    return static_cast<float>(static_cast<double>(a) * wave + base);
}

// A float's bits (std::memcpy: the browser build's C++ library has no std::bit_cast).
uint32_t bitsOf(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

::testing::AssertionResult sameBits(const HeightGrid& grid, const Shape& s, float a) {
    for (int i = 0; i < meshSize; ++i)
        for (int j = 0; j < meshSize; ++j) {
            float want = plainHeight(s, i, j, grid.phases[i][j], a);
            if (bitsOf(grid.heights[i][j]) != bitsOf(want))
                return ::testing::AssertionFailure()
                       << "point (" << i << ", " << j << "): " << grid.heights[i][j] << " against " << want;
        }
    return ::testing::AssertionSuccess();
}

TEST(MeshHeightsBitForBit, WaterOverManyFramesAndAmplitudes) {
    auto water = std::make_unique<WaterSurfaceMesh>();
    const float amplitudes[] = {0.5f, 3.0f, 2.98f, 0.49999f, -1.25f, 0.0f};
    for (int frame = 0; frame < 120; ++frame) {
        float a = amplitudes[frame % 6];
        water->updateHeights(a);
        ASSERT_TRUE(sameBits(*water, waterShape, a)) << "frame " << frame;
    }
}

TEST(MeshHeightsBitForBit, SandAsBuiltAndReshaped) {
    auto sand = std::make_unique<SandBedMesh>();
    EXPECT_TRUE(sameBits(*sand, sandShape, 4.0f));
    sand->updateHeights(1.5f);
    EXPECT_TRUE(sameBits(*sand, sandShape, 1.5f));
}

TEST(MeshHeightsBitForBit, PointsWithTheirOwnPhasesKeepThem) {
    auto water = std::make_unique<WaterSurfaceMesh>();
    water->updateHeights(2.0f);
    // Give mirror points of one ring different phases: sharing a sine per distance would be wrong.
    water->phases[32][40] = 1.7f;
    water->phases[40][32] = -0.3f;
    water->phases[0][0] = 12.25f;
    water->updateHeights(2.0f);
    EXPECT_TRUE(sameBits(*water, waterShape, 2.0f));
    EXPECT_NE(water->heights[32][40], water->heights[40][32]);
    EXPECT_NE(water->heights[32][40], water->heights[24][32]);
}

}  // namespace
