// meshes_test.cpp -- the heights of the water surface and the sand bed, and the water phase over long runs.
#include "aquarium/meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

struct Range {
    float low = 1e9f, high = -1e9f;
};

Range innerRange(const HeightGrid& g, bool skipRim) {
    Range r;
    int from = skipRim ? 1 : 0, to = skipRim ? meshSize - 1 : meshSize;
    for (int i = from; i < to; ++i)
        for (int j = from; j < to; ++j) {
            r.low = std::min(r.low, g.heights[i][j]);
            r.high = std::max(r.high, g.heights[i][j]);
        }
    return r;
}

// What a water point holds for amplitude a, distance d from the centre and an unbounded phase p.
double ringHeight(double a, double d, double p) {
    float t = static_cast<float>(d) / -4.0f;
    return a * std::sin((static_cast<double>(t) + p) * 0.3 * 6.28318);
}

TEST(WaterSurface, HeightsStayWithinTheAmplitudeAndReachItWhenStrong) {
    auto water = std::make_unique<WaterSurfaceMesh>();
    EXPECT_EQ(water->amplitude, 5.0f);
    for (int frame = 0; frame < 40; ++frame) {
        water->updateHeights(0.5f);
        Range r = innerRange(*water, false);
        ASSERT_GE(r.low, -0.5f);
        ASSERT_LE(r.high, 0.5f);
    }
    water->updateHeights(3.0f);
    EXPECT_EQ(water->amplitude, 3.0f);
    Range r = innerRange(*water, false);
    EXPECT_GE(r.low, -3.0f);
    EXPECT_LE(r.high, 3.0f);
    EXPECT_GT(r.high, 2.9f);
    EXPECT_LT(r.low, -2.9f);
}

TEST(WaterSurface, RingsRunOutwardFromTheCentreAsThePhaseAdvances) {
    auto water = std::make_unique<WaterSurfaceMesh>();
    for (int n = 1; n <= 25; ++n) {
        water->updateHeights(2.0f);
        EXPECT_NEAR(water->phases[0][0], 0.1 * n, 1e-5);
        EXPECT_EQ(water->phases[63][17], water->phases[0][0]);
    }
    EXPECT_EQ(water->heights[32][42], water->heights[22][32]) << "rings are round";
}

TEST(WaterSurface, ThePhaseStaysBoundedWithoutChangingTheHeights) {
    auto water = std::make_unique<WaterSurfaceMesh>();
    // Far into a run, just below where the phase folds back.
    const double wrap = 300.0 * 2.0 * std::numbers::pi / (0.3 * 6.28318);
    float start = static_cast<float>(wrap - 0.05);
    for (auto& row : water->phases) std::fill(std::begin(row), std::end(row), start);

    double unbounded = start;
    for (int n = 0; n < 50; ++n) {
        water->updateHeights(3.0f);
        unbounded += 0.1;
        ASSERT_LT(water->phases[0][0], 6.0f);
        for (int i : {0, 20, 32, 63})
            for (int j : {0, 9, 32, 50}) {
                double d = std::sqrt(static_cast<double>((i - 32) * (i - 32) + (j - 32) * (j - 32)));
                ASSERT_NEAR(water->heights[i][j], ringHeight(3, d, unbounded), 2e-4) << n << " " << i << " " << j;
            }
    }
    EXPECT_LT(water->phases[0][0], 5.1f);
    EXPECT_GT(water->phases[0][0], 4.9f);
}

TEST(WaterSurface, ALongRunKeepsTheRingsMoving) {
    auto water = std::make_unique<WaterSurfaceMesh>();
    // Where a float phase that only ever grows would have stopped: 0.1 vanishes beside 2^21.
    for (auto& row : water->phases) std::fill(std::begin(row), std::end(row), 2097152.0f);
    water->updateHeights(1.0f);
    float first = water->heights[32][32];
    water->updateHeights(1.0f);
    EXPECT_NE(water->heights[32][32], first);
    EXPECT_TRUE(std::isfinite(water->phases[0][0]));
    EXPECT_LT(water->phases[0][0], 2000.0f);
}

TEST(SandBed, RimHoldsThirtyAndInnerPointsStayBetweenMinusTwoAndNine) {
    const auto sand = std::make_unique<SandBedMesh>();  // shaped once, by its constructor
    const SandBedMesh& sandMesh = *sand;
    for (int k = 0; k < meshSize; ++k) {
        EXPECT_EQ(sandMesh.heights[0][k], 30.0f);
        EXPECT_EQ(sandMesh.heights[63][k], 30.0f);
        EXPECT_EQ(sandMesh.heights[k][0], 30.0f);
        EXPECT_EQ(sandMesh.heights[k][63], 30.0f);
    }
    Range r = innerRange(sandMesh, true);
    EXPECT_GE(r.low, -2.0f);
    EXPECT_LE(r.high, 9.0f);
    EXPECT_EQ(sandMesh.amplitude, 4.0f);
    EXPECT_FLOAT_EQ(sandMesh.phases[0][0], 0.1f);
    EXPECT_FLOAT_EQ(sandMesh.phases[40][40], 0.1f);
}

}  // namespace
