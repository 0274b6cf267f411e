// glut_shapes.cpp -- GLUT's cube and sphere, vertex for vertex as freeglut sends them, and GLUT's
// lookup of GL calls by name, which hands out the layer's own.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gl/es/arrays.h"

namespace {

// The unit cube's faces as freeglut lists them: four corners (each coordinate a half) and a normal.
struct CubeFace {
    float corners[4][3];
    float normal[3];
};
constexpr CubeFace cubeFaces[6] = {
    {{{.5f, .5f, .5f}, {-.5f, .5f, .5f}, {-.5f, -.5f, .5f}, {.5f, -.5f, .5f}}, {0, 0, 1}},
    {{{.5f, .5f, .5f}, {.5f, -.5f, .5f}, {.5f, -.5f, -.5f}, {.5f, .5f, -.5f}}, {1, 0, 0}},
    {{{.5f, .5f, .5f}, {.5f, .5f, -.5f}, {-.5f, .5f, -.5f}, {-.5f, .5f, .5f}}, {0, 1, 0}},
    {{{-.5f, .5f, .5f}, {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}, {-.5f, -.5f, .5f}}, {-1, 0, 0}},
    {{{-.5f, -.5f, -.5f}, {.5f, -.5f, -.5f}, {.5f, -.5f, .5f}, {-.5f, -.5f, .5f}}, {0, -1, 0}},
    {{{.5f, -.5f, -.5f}, {-.5f, -.5f, -.5f}, {-.5f, .5f, -.5f}, {.5f, .5f, -.5f}}, {0, 0, -1}},
};

struct CubeArrays {
    std::vector<float> positions, normals;
};

CubeArrays cubeArrays(double size) {
    CubeArrays a;
    const float scale = static_cast<float>(size);
    for (const CubeFace& face : cubeFaces)
        for (const auto& corner : face.corners)
            for (int k = 0; k < 3; ++k) {
                a.positions.push_back(scale == 1.f ? corner[k] : scale * corner[k]);
                a.normals.push_back(face.normal[k]);
            }
    return a;
}

// freeglut's circle of `n` samples (its sign turns the direction), with the first sample repeated at
// the end; a half circle ends exactly at pi. The step is a float, its multiples' sines taken in double.
void circleTable(std::vector<float>& sines, std::vector<float>& cosines, int n, bool halfCircle) {
    const int size = std::abs(n);
    const float angle = (halfCircle ? 1 : 2) * static_cast<float>(M_PI) / static_cast<float>(n == 0 ? 1 : n);
    sines.assign(static_cast<size_t>(size) + 1, 0);
    cosines.assign(static_cast<size_t>(size) + 1, 0);
    sines[0] = 0;
    cosines[0] = 1;
    for (int i = 1; i < size; ++i) {
        sines[static_cast<size_t>(i)] =
            static_cast<float>(std::sin(static_cast<double>(angle * static_cast<float>(i))));
        cosines[static_cast<size_t>(i)] =
            static_cast<float>(std::cos(static_cast<double>(angle * static_cast<float>(i))));
    }
    sines[static_cast<size_t>(size)] = halfCircle ? 0.0f : sines[0];
    cosines[static_cast<size_t>(size)] = halfCircle ? -1.0f : cosines[0];
}

}  // namespace

void glutSolidCube(double size) {
    const CubeArrays a = cubeArrays(size);
    std::vector<std::uint32_t> indices;
    for (std::uint32_t face = 0; face < 6; ++face)
        for (std::uint32_t corner : {0u, 1u, 2u, 0u, 2u, 3u}) indices.push_back(face * 4 + corner);
    es::drawArrayElements(GL_TRIANGLES, a.positions.data(), a.normals.data(), nullptr, indices);
}

void glutWireCube(double size) {
    const CubeArrays a = cubeArrays(size);
    for (std::uint32_t face = 0; face < 6; ++face)
        es::drawArrayElements(GL_LINE_LOOP, a.positions.data(), a.normals.data(), nullptr,
                              {face * 4, face * 4 + 1, face * 4 + 2, face * 4 + 3});
}

void glutSolidSphere(double radius, GLint slices, GLint stacks) {
    if (slices == 0 || stacks < 2) return;
    const float r = static_cast<float>(radius);
    std::vector<float> sin1, cos1, sin2, cos2;
    circleTable(sin1, cos1, -slices, false);
    circleTable(sin2, cos2, stacks, true);
    // The top, each ring of `slices` points from the top down, the bottom.
    std::vector<float> positions{0, 0, r}, normals{0, 0, 1};
    for (int i = 1; i < stacks; ++i)
        for (int j = 0; j < slices; ++j) {
            const float x = cos1[static_cast<size_t>(j)] * sin2[static_cast<size_t>(i)];
            const float y = sin1[static_cast<size_t>(j)] * sin2[static_cast<size_t>(i)];
            const float z = cos2[static_cast<size_t>(i)];
            positions.insert(positions.end(), {x * r, y * r, z * r});
            normals.insert(normals.end(), {x, y, z});
        }
    positions.insert(positions.end(), {0, 0, -r});
    normals.insert(normals.end(), {0, 0, -1});
    const std::uint32_t count = static_cast<std::uint32_t>(positions.size() / 3);
    const std::uint32_t n = static_cast<std::uint32_t>(slices);
    // One triangle strip per stack, each ring closed by repeating its first point.
    std::vector<std::uint32_t> strip;
    auto draw = [&] {
        es::drawArrayElements(GL_TRIANGLE_STRIP, positions.data(), normals.data(), nullptr, strip);
        strip.clear();
    };
    for (std::uint32_t j = 0; j < n; ++j) strip.insert(strip.end(), {j + 1, 0});
    strip.insert(strip.end(), {1, 0});
    draw();
    for (std::uint32_t i = 0; i + 2 < static_cast<std::uint32_t>(stacks); ++i) {
        const std::uint32_t offset = 1 + i * n;
        for (std::uint32_t j = 0; j < n; ++j) strip.insert(strip.end(), {offset + j + n, offset + j});
        strip.insert(strip.end(), {offset + n, offset});
        draw();
    }
    const std::uint32_t offset = 1 + (static_cast<std::uint32_t>(stacks) - 2) * n;
    for (std::uint32_t j = 0; j < n; ++j) strip.insert(strip.end(), {count - 1, offset + j});
    strip.insert(strip.end(), {count - 1, offset});
    draw();
}

GLUTproc glutGetProcAddress(const char* name) {
    // The drawing looks up GL 1.5's buffer calls by name; they are the layer's.
    struct Named {
        const char* name;
        GLUTproc call;
    };
    static const Named calls[] = {
        {"glGenBuffers", reinterpret_cast<GLUTproc>(&glGenBuffers)},
        {"glBindBuffer", reinterpret_cast<GLUTproc>(&glBindBuffer)},
        {"glBufferData", reinterpret_cast<GLUTproc>(&glBufferData)},
        {"glBufferSubData", reinterpret_cast<GLUTproc>(&glBufferSubData)},
    };
    for (const Named& n : calls)
        if (std::strcmp(n.name, name) == 0) return n.call;
    return nullptr;
}
