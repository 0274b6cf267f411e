// face_lighting.cpp -- the vertex programs' lighting (lighting_program.cpp) done on the CPU: the same
// terms in the same order, each product and sum rounded to a float on its own, so a face comes out
// the colour the program would have given its provoking vertex.
#include "gl/es/face_lighting.h"

#include <algorithm>
#include <cmath>

#include "gl/es/es_faults_testing.h"

// Where the loader can choose (x86-64 Linux, GCC), the lighting is built twice, for AVX2 (eight vertices
// at a time) and for the baseline, and the machine's own is taken when the program starts; each lane
// makes the same float sums and products either way. The helpers below are always inlined, so that they
// are built twice with it.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__clang__)
#define GLINTMERE_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define GLINTMERE_WIDE_VECTORS
#endif

namespace es {

namespace {

// max(x, 0), a NaN made 0, as GLSL's max is on llvmpipe.
[[gnu::always_inline]] inline float positive(float x) {
    return x > 0.0f ? x : 0.0f;
}

[[gnu::always_inline]] inline float saturate(float x) {
    return x <= 1.0f ? positive(x) : 1.0f;
}

void product3(const float a[4], const float b[4], float out[3]) {
    for (int k = 0; k < 3; ++k) out[k] = a[k] * b[k];
}

}  // namespace

void readLighting(const LightingGroup& l, bool normalize, ProgramKey& p, LightingInputs& s) {
    const Material& front = l.material[0];
    p.lighting = true;
    const bool tracksFront = l.colorMaterial && l.colorMaterialFace != GL_BACK;
    p.trackAmbient =
        tracksFront && (l.colorMaterialMode == GL_AMBIENT || l.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE);
    p.trackDiffuse =
        tracksFront && (l.colorMaterialMode == GL_DIFFUSE || l.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE);
    p.normalize = normalize;
    p.specular = front.shininess != 0;
    s.shininess = front.shininess;
    // Only what the program reads: a tracked material follows the vertex colour, so its stored
    // values must not split the runs.
    if (!p.trackDiffuse) s.diffuseAlpha = front.diffuse[3];
    for (int k = 0; k < 3; ++k) {
        if (p.trackAmbient) {
            s.modelAmbient[k] = l.modelAmbient[k];
            s.emission[k] = front.emission[k];
        } else {
            s.sceneColour[k] = front.emission[k] + l.modelAmbient[k] * front.ambient[k];
        }
    }
    for (int i = 0; i < maxLights; ++i) {
        const Light& light = l.lights[i];
        if (!light.enabled) continue;
        p.lights |= static_cast<std::uint8_t>(1 << i);
        if (light.attenuation[0] != 1 || light.attenuation[1] != 0 || light.attenuation[2] != 0)
            p.attenuated |= static_cast<std::uint8_t>(1 << i);
        for (int k = 0; k < 3; ++k) {
            s.lightPosition[i][k] = light.position[k];
            s.attenuation[i][k] = light.attenuation[k];
            s.lightAmbient[i][k] = p.trackAmbient ? light.ambient[k] : light.ambient[k] * front.ambient[k];
            s.lightDiffuse[i][k] = p.trackDiffuse ? light.diffuse[k] : light.diffuse[k] * front.diffuse[k];
        }
        product3(light.specular, front.specular, s.specularProduct[i]);
    }
}

namespace {

constexpr size_t batchSize = 64;

// One batch of vertices, a field to an array, so that the loops below do several vertices at a time
// (face_lighting.cpp is built for its vectorizer).
struct Batch {
    size_t n = 0;
    float ex[batchSize], ey[batchSize], ez[batchSize];  // eye position
    float nx[batchSize], ny[batchSize], nz[batchSize];  // normal
    float colour[4][batchSize];                         // the vertex's colour
    float sum[3][batchSize];                            // the lit colour, summed light by light
    // Of the light at hand: its attenuation, n.L, LIT's diffuse and specular shares, and the specular
    // power's base and exponent.
    float attenuation[batchSize], diffuseDot[batchSize], lit[2][batchSize];
    float base[batchSize], exponent[batchSize];
};

// For the power whose exponent is n.L itself (an attenuated light at shininess 0): whether it is sure
// to be finite without working it out. Below 1.5 to a power up to 128, or up to 26 to a power up to
// 26, it stays under 2^128.
[[gnu::always_inline]] inline bool surelyFinitePower(float base, float exponent) {
    return exponent >= 0.0f && (base <= 1.5f || (base <= 26.0f && exponent <= 26.0f));
}

// Whether it is sure to be infinite: 28^28 is over 2^134.
[[gnu::always_inline]] inline bool surelyInfinitePower(float base, float exponent) {
    return base >= 28.0f && exponent >= 28.0f;
}

// The shininess as the programs clamp it, and with it for exponent, the bases whose power is sure to be
// infinite, sure to be finite, or too small to move the sum (at most 2^-48); at 0 and below every power
// is worked out. They hang on the material alone, so they are found once for all the vertices.
struct Shininess {
    float exponent;
    float infiniteFrom = HUGE_VALF, finiteUpTo = -1.0f, negligibleUpTo = -1.0f;

    explicit Shininess(float shininess) : exponent(std::fmin(std::fmax(shininess, -128.0f), 128.0f)) {
        if (exponent > 0.0f) {
            infiniteFrom = std::exp2(130.0f / exponent);
            finiteUpTo = std::exp2(126.0f / exponent);
            negligibleUpTo = std::exp2(-48.0f / exponent);
        }
    }
};

// One light's share for the batch, its switches made constants so that each loop has no branch and
// runs several vertices at a time.
template <bool Specular, bool Attenuated>
[[gnu::always_inline]] inline void lightShare(const ProgramKey& key, const LightingInputs& s, int i,
                                              const Shininess& shine, Batch& b) {
    const size_t n = b.n;
    constexpr bool powered = Specular || Attenuated;  // whether LIT's specular share is a power
    const float px = s.lightPosition[i][0], py = s.lightPosition[i][1], pz = s.lightPosition[i][2];
    const float k0 = s.attenuation[i][0], k1 = s.attenuation[i][1], k2 = s.attenuation[i][2];
    const float* specular = s.specularProduct[i];
    // Under a black specular product only an infinite power shows (infinity times 0 is a NaN, which
    // the clamp makes white): a finite one adds nothing, so most powers are not worked out.
    const bool black = specular[0] == 0 && specular[1] == 0 && specular[2] == 0;
    const float infiniteFrom = shine.infiniteFrom, finiteUpTo = shine.finiteUpTo;
    const float negligibleUpTo = shine.negligibleUpTo;
    for (size_t j = 0; j < n; ++j) {
        float x = px - b.ex[j], y = py - b.ey[j], z = pz - b.ez[j];
        const float reciprocal = 1.0f / std::sqrt(x * x + y * y + z * z);
        x = x * reciprocal, y = y * reciprocal, z = z * reciprocal;
        if constexpr (Attenuated) {
            const float distance = 1.0f / reciprocal;
            b.attenuation[j] = 1.0f / (k0 * (reciprocal * distance) + k1 * distance + k2 * (distance * distance));
        }
        const float diffuseDot = b.nx[j] * x + b.ny[j] * y + b.nz[j] * z;
        b.diffuseDot[j] = diffuseDot;
        // LIT's ambient share is 1 wherever it is used (times the attenuation), so only its diffuse
        // and specular shares are kept.
        b.lit[0][j] = positive(diffuseDot);
        if constexpr (!powered) {
            b.lit[1][j] = diffuseDot > 0.0f ? 1.0f : 0.0f;
        } else {
            // The exponent is n.L clamped to 128 (a NaN to 128, as fmin would).
            float base = diffuseDot, exponent = diffuseDot < 128.0f ? diffuseDot : 128.0f;
            if constexpr (Specular) {
                const float hz = z + 1.0f;
                const float length = 1.0f / std::sqrt(x * x + y * y + hz * hz);
                base = positive(b.nx[j] * (x * length) + b.ny[j] * (y * length) + b.nz[j] * (hz * length));
                exponent = shine.exponent;
            }
            b.base[j] = base, b.exponent[j] = exponent;
            const bool infinite = Specular ? base >= infiniteFrom : surelyInfinitePower(base, exponent);
            b.lit[1][j] = diffuseDot > 0.0f && infinite ? HUGE_VALF : 0.0f;
        }
    }
    // The powers left, one by one (a NaN base falls through every test to its NaN power).
    if constexpr (powered)
        for (size_t j = 0; j < n; ++j) {
            if (!(b.diffuseDot[j] > 0.0f)) continue;
            const float base = b.base[j], exponent = b.exponent[j];
            bool wanted;
            if constexpr (Specular)
                wanted = !(base >= infiniteFrom) && !(base <= (black ? finiteUpTo : negligibleUpTo));
            else
                wanted = !surelyInfinitePower(base, exponent) && !(black && surelyFinitePower(base, exponent));
            if (wanted) b.lit[1][j] = std::pow(base, exponent);
        }

    // A colour the material does not track is multiplied by 1, which leaves the light's own.
    const bool tracksAmbient = key.trackAmbient, tracksDiffuse = key.trackDiffuse;
    for (int k = 0; k < 3; ++k) {
        const float ambient = s.lightAmbient[i][k], diffuse = s.lightDiffuse[i][k], highlight = specular[k];
        const float* colour = b.colour[k];
        float* sum = b.sum[k];
        for (size_t j = 0; j < n; ++j) {
            const float a = ambient * (tracksAmbient ? colour[j] : 1.0f);
            const float d = diffuse * (tracksDiffuse ? colour[j] : 1.0f);
            float lit0 = b.lit[0][j], lit1 = b.lit[1][j], total = sum[j];
            if constexpr (Attenuated) {
                lit0 = lit0 * b.attenuation[j], lit1 = lit1 * b.attenuation[j];
                total = b.attenuation[j] * a + total;
            } else {
                total = a + total;
            }
            sum[j] = lit1 * highlight + (lit0 * d + total);
        }
    }
}

[[gnu::always_inline]] inline void lightOne(const ProgramKey& key, const LightingInputs& s, int i,
                                            const Shininess& shine, Batch& b) {
    const bool attenuated = ((key.attenuated >> i) & 1) && plantedFault() != EsLayerFault::DroppedAttenuation;
    if (key.specular)
        attenuated ? lightShare<true, true>(key, s, i, shine, b) : lightShare<true, false>(key, s, i, shine, b);
    else
        attenuated ? lightShare<false, true>(key, s, i, shine, b) : lightShare<false, false>(key, s, i, shine, b);
}

[[gnu::always_inline]] inline void lightBatch(const ProgramKey& key, const LightingInputs& s, const Shininess& shine,
                                              Batch& b) {
    const size_t n = b.n;
    if (key.normalize)
        for (size_t j = 0; j < n; ++j) {
            const float reciprocal = 1.0f / std::sqrt(b.nx[j] * b.nx[j] + b.ny[j] * b.ny[j] + b.nz[j] * b.nz[j]);
            b.nx[j] = b.nx[j] * reciprocal, b.ny[j] = b.ny[j] * reciprocal, b.nz[j] = b.nz[j] * reciprocal;
        }
    for (int k = 0; k < 3; ++k)
        for (size_t j = 0; j < n; ++j)
            b.sum[k][j] = key.trackAmbient ? s.modelAmbient[k] * b.colour[k][j] + s.emission[k] : s.sceneColour[k];
    for (int i = 0; i < maxLights; ++i)
        if ((key.lights >> i) & 1) lightOne(key, s, i, shine, b);
    for (int k = 0; k < 3; ++k)
        for (size_t j = 0; j < n; ++j) b.sum[k][j] = saturate(b.sum[k][j]);
    for (size_t j = 0; j < n; ++j) b.colour[3][j] = saturate(key.trackDiffuse ? b.colour[3][j] : s.diffuseAlpha);
}

}  // namespace

GLINTMERE_WIDE_VECTORS void lightVertices(const ProgramKey& key, const LightingInputs& inputs, EsVertex* vertices,
                                          const std::uint32_t* which, size_t count) {
    static Batch b;
    const Shininess shine(inputs.shininess);
    for (size_t first = 0; first < count; first += batchSize) {
        b.n = std::min(batchSize, count - first);
        for (size_t j = 0; j < b.n; ++j) {
            const EsVertex& v = vertices[which[first + j]];
            b.ex[j] = v.eye[0], b.ey[j] = v.eye[1], b.ez[j] = v.eye[2];
            b.nx[j] = v.normal[0], b.ny[j] = v.normal[1], b.nz[j] = v.normal[2];
            for (int k = 0; k < 4; ++k) b.colour[k][j] = v.colour[k];
        }
        lightBatch(key, inputs, shine, b);
        for (size_t j = 0; j < b.n; ++j) {
            EsVertex& v = vertices[which[first + j]];
            for (int k = 0; k < 3; ++k) v.colour[k] = b.sum[k][j];
            v.colour[3] = b.colour[3][j];
        }
    }
}

}  // namespace es
