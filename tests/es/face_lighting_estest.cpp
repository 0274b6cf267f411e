// face_lighting_estest.cpp -- the CPU lighting of flat faces around the specular power's overflow. Long
// normals take n.L and n.H far above 1, and a power that overflows whitens a vertex even under a black
// specular product (infinity times 0 is a NaN, which the clamp makes 1), as the fixed function does.
// The lighting settles most powers without working them out; here each side of the overflow, and the
// powers too small to show, are set up directly and held to the power itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gl/es/face_lighting.h"

namespace {

// The red a vertex at the eye's origin takes from one attenuated light 10 units up the z axis, its
// normal `length` long towards the light, so that n.L (and n.H) is `length`: nothing but the specular
// power colours it.
float litRed(float length, float shininess, float specular) {
    es::ProgramKey key;
    key.lighting = true;
    key.specular = shininess != 0;
    key.lights = 1;
    key.attenuated = 1;
    es::LightingInputs inputs;
    inputs.lightPosition[0][2] = 10;
    inputs.attenuation[0][0] = 1;
    inputs.attenuation[0][1] = 0.07f;
    inputs.specularProduct[0][0] = specular;
    inputs.shininess = shininess;
    es::EsVertex vertex{};
    vertex.normal[2] = length;
    const std::uint32_t which = 0;
    es::lightVertices(key, inputs, &vertex, &which, 1);
    return vertex.colour[0];
}

TEST(FaceLighting, AnOverflowingPowerWhitensUnderABlackSpecularAndOnlyThen) {
    // At shininess 0 an attenuated light's power is (n.L)^(n.L), its exponent clamped to 128.
    for (float length : {1.0f, 1.5f, 20.0f, 26.0f, 26.5f, 26.9f, 27.0f, 28.0f, 30.0f, 100.0f, 200.0f}) {
        const bool overflows = std::isinf(std::pow(length, std::min(length, 128.0f)));
        EXPECT_EQ(litRed(length, 0, 0), overflows ? 1.0f : 0.0f) << "n.L " << length;
    }
    // At a shininess of 100, the power of n.H.
    for (float length : {0.5f, 1.0f, 2.0f, 2.4f, 2.415f, 2.42f, 2.43f, 2.45f, 3.0f, 90.0f}) {
        const bool overflows = std::isinf(std::pow(length, 100.0f));
        EXPECT_EQ(litRed(length, 100, 0), overflows ? 1.0f : 0.0f) << "n.H " << length;
    }
}

TEST(FaceLighting, AVisibleSpecularPowerIsWorkedOutAndATinyOneAddsNothing) {
    const float attenuation = 1.0f / (1.0f + 0.07f * 10.0f);
    for (float length : {0.3f, 0.7f, 0.75f, 0.8f, 0.95f, 0.99f, 1.0f, 1.005f, 1.01f}) {
        const float expected = std::min(1.0f, std::pow(length, 100.0f) * attenuation * 0.5f);
        EXPECT_NEAR(litRed(length, 100, 0.5f), expected, 1e-6f * std::max(expected, 1e-6f)) << "n.H " << length;
    }
}

}  // namespace
