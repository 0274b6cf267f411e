// face_lighting.cpp -- the vertex programs' lighting (lighting_program.cpp) done on the CPU: the same
// terms in the same order, each product and sum rounded to a float on its own, so a face comes out
// the colour the program would have given its provoking vertex.
#include "gl/es/face_lighting.h"

#include <algorithm>
#include <cmath>

#include "gl/es/es_faults_testing.h"

namespace es {

namespace {

// max(x, 0), a NaN made 0, as GLSL's max is on llvmpipe.
float positive(float x) {
    return x > 0.0f ? x : 0.0f;
}

float saturate(float x) {
    return x <= 1.0f ? positive(x) : 1.0f;
}

// base^exponent for a specular term; with `black` (a black specular product) only an
// infinite power shows (infinity times 0 is a NaN, which the clamp makes white), and a base up to
// 1.5 never reaches infinity at an exponent of 0 to 128, so the power is not worked out.
float power(float base, float exponent, bool black) {
    if (black && base <= 1.5f && exponent >= 0.0f) return 0.0f;
    return std::pow(base, exponent);
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

// One batch of vertices, a field to an array, so that each step below is one loop over the batch
// that the compiler does several lanes at a time (face_lighting.cpp is built for its vectorizer).
struct Batch {
    size_t n = 0;
    float ex[batchSize], ey[batchSize], ez[batchSize];    // eye position
    float nx[batchSize], ny[batchSize], nz[batchSize];    // normal
    float colour[4][batchSize];                           // the vertex's colour
    float sum[3][batchSize];                              // the lit colour, summed light by light
    float tx[batchSize], ty[batchSize], tz[batchSize];    // towards the light
    float attenuation[batchSize], diffuseDot[batchSize];  // of the light at hand
    float lit[3][batchSize];                              // LIT's ambient, diffuse and specular
    float base[batchSize], exponent[batchSize];           // the specular power's, where wanted
};

void lightOne(const ProgramKey& key, const LightingInputs& s, int i, float shininess, Batch& b) {
    const size_t n = b.n;
    const bool attenuated = ((key.attenuated >> i) & 1) && plantedFault() != EsLayerFault::DroppedAttenuation;
    const float px = s.lightPosition[i][0], py = s.lightPosition[i][1], pz = s.lightPosition[i][2];
    for (size_t j = 0; j < n; ++j) {
        const float x = px - b.ex[j], y = py - b.ey[j], z = pz - b.ez[j];
        const float reciprocal = 1.0f / std::sqrt(x * x + y * y + z * z);
        b.tx[j] = x * reciprocal, b.ty[j] = y * reciprocal, b.tz[j] = z * reciprocal;
        b.attenuation[j] = reciprocal;
    }
    if (attenuated) {
        const float k0 = s.attenuation[i][0], k1 = s.attenuation[i][1], k2 = s.attenuation[i][2];
        for (size_t j = 0; j < n; ++j) {
            const float reciprocal = b.attenuation[j];
            const float distance = 1.0f / reciprocal;
            b.attenuation[j] = 1.0f / (k0 * (reciprocal * distance) + k1 * distance + k2 * (distance * distance));
        }
    }
    for (size_t j = 0; j < n; ++j) b.diffuseDot[j] = b.nx[j] * b.tx[j] + b.ny[j] * b.ty[j] + b.nz[j] * b.tz[j];

    const float* specular = s.specularProduct[i];
    const bool black = specular[0] == 0 && specular[1] == 0 && specular[2] == 0;
    // LIT's ambient share is 1 wherever it is used (times the attenuation, below), so only its diffuse
    // and specular shares are kept.
    for (size_t j = 0; j < n; ++j) b.lit[0][j] = positive(b.diffuseDot[j]);
    if (key.specular) {
        for (size_t j = 0; j < n; ++j) {
            const float x = b.tx[j], y = b.ty[j], z = b.tz[j] + 1.0f;
            const float length = 1.0f / std::sqrt(x * x + y * y + z * z);
            b.base[j] = positive(b.nx[j] * (x * length) + b.ny[j] * (y * length) + b.nz[j] * (z * length));
        }
        for (size_t j = 0; j < n; ++j) b.exponent[j] = shininess;
    } else if (attenuated) {
        for (size_t j = 0; j < n; ++j) b.base[j] = b.diffuseDot[j];
        for (size_t j = 0; j < n; ++j) b.exponent[j] = std::fmin(b.diffuseDot[j], 128.0f);
    }
    if (key.specular || attenuated) {
        for (size_t j = 0; j < n; ++j)
            b.lit[1][j] = b.diffuseDot[j] > 0.0f ? power(b.base[j], b.exponent[j], black) : 0.0f;
    } else {
        for (size_t j = 0; j < n; ++j) b.lit[1][j] = b.diffuseDot[j] > 0.0f ? 1.0f : 0.0f;
    }
    if (attenuated)
        for (size_t j = 0; j < n; ++j) {
            b.lit[0][j] = b.lit[0][j] * b.attenuation[j];
            b.lit[1][j] = b.lit[1][j] * b.attenuation[j];
        }

    float a[batchSize], d[batchSize];
    for (int k = 0; k < 3; ++k) {
        const float ambient = s.lightAmbient[i][k], diffuse = s.lightDiffuse[i][k], shine = specular[k];
        const float* c = b.colour[k];
        float* sum = b.sum[k];
        if (key.trackAmbient) {
            for (size_t j = 0; j < n; ++j) a[j] = ambient * c[j];
        } else {
            for (size_t j = 0; j < n; ++j) a[j] = ambient;
        }
        if (key.trackDiffuse) {
            for (size_t j = 0; j < n; ++j) d[j] = diffuse * c[j];
        } else {
            for (size_t j = 0; j < n; ++j) d[j] = diffuse;
        }
        if (attenuated) {
            for (size_t j = 0; j < n; ++j) sum[j] = b.attenuation[j] * a[j] + sum[j];
        } else {
            for (size_t j = 0; j < n; ++j) sum[j] = a[j] + sum[j];
        }
        for (size_t j = 0; j < n; ++j) sum[j] = b.lit[1][j] * shine + (b.lit[0][j] * d[j] + sum[j]);
    }
}

void lightBatch(const ProgramKey& key, const LightingInputs& s, Batch& b) {
    const size_t n = b.n;
    if (key.normalize)
        for (size_t j = 0; j < n; ++j) {
            const float reciprocal = 1.0f / std::sqrt(b.nx[j] * b.nx[j] + b.ny[j] * b.ny[j] + b.nz[j] * b.nz[j]);
            b.nx[j] = b.nx[j] * reciprocal, b.ny[j] = b.ny[j] * reciprocal, b.nz[j] = b.nz[j] * reciprocal;
        }
    for (int k = 0; k < 3; ++k)
        for (size_t j = 0; j < n; ++j)
            b.sum[k][j] = key.trackAmbient ? s.modelAmbient[k] * b.colour[k][j] + s.emission[k] : s.sceneColour[k];
    const float shininess = std::fmin(std::fmax(s.shininess, -128.0f), 128.0f);
    for (int i = 0; i < maxLights; ++i)
        if ((key.lights >> i) & 1) lightOne(key, s, i, shininess, b);
    for (int k = 0; k < 3; ++k)
        for (size_t j = 0; j < n; ++j) b.sum[k][j] = saturate(b.sum[k][j]);
    for (size_t j = 0; j < n; ++j) b.colour[3][j] = saturate(key.trackDiffuse ? b.colour[3][j] : s.diffuseAlpha);
}

}  // namespace

void lightVertices(const ProgramKey& key, const LightingInputs& inputs, EsVertex* vertices, const std::uint32_t* which,
                   size_t count) {
    static Batch b;
    for (size_t first = 0; first < count; first += batchSize) {
        b.n = std::min(batchSize, count - first);
        for (size_t j = 0; j < b.n; ++j) {
            const EsVertex& v = vertices[which[first + j]];
            b.ex[j] = v.eye[0], b.ey[j] = v.eye[1], b.ez[j] = v.eye[2];
            b.nx[j] = v.normal[0], b.ny[j] = v.normal[1], b.nz[j] = v.normal[2];
            for (int k = 0; k < 4; ++k) b.colour[k][j] = v.colour[k];
        }
        lightBatch(key, inputs, b);
        for (size_t j = 0; j < b.n; ++j) {
            EsVertex& v = vertices[which[first + j]];
            for (int k = 0; k < 3; ++k) v.colour[k] = b.sum[k][j];
            v.colour[3] = b.colour[3][j];
        }
    }
}

}  // namespace es
