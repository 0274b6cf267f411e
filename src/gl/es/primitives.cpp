// primitives.cpp -- GL's primitives carried into clip space on the CPU and split as Mesa splits them.
//
// What Mesa (llvmpipe, 22.3) was measured to do, and this file repeats:
//  - a vertex's clip position is the model-view-projection matrix times it, and its eye position the
//    model-view matrix times it, each row summed left to right without fused multiply-adds;
//  - a quad (a, b, c, d) is drawn as (a, b, c) (a, c, d) when its draw goes straight to the rasterizer,
//    and as (a, b, d) (b, c, d) when it passes Mesa's primitive pipeline: always from a display list,
//    under flat shading, with a face drawn as lines, and for every draw of up to 4096 vertices in
//    which some vertex lies outside the view volume (a clipped quad turns its whole draw);
//  - a polygon is the fan (i+1, i+2, 0), so its first vertex is the provoking one; a quad strip quad
//    is (i+2, i, i+3) (i, i+1, i+3); a triangle strip's odd triangles are (i+1, i, i+2);
//  - a face drawn as lines draws its polygon edges, each triangle's from its third corner round;
//  - a point is GL 1.x's square of whole pixels, its corner rounded from the snapped centre (ES's point
//    sprites cover the pixels whose centres they cover, which differs when a centre falls on half a
//    pixel); it is drawn as two triangles over exactly that square.
#include "gl/es/primitives.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

#include "gl/es/batch.h"
#include "gl/es/context.h"
#include "gl/es/es_faults_testing.h"
#include "gl/es/face_lighting.h"
#include "gl/es/matrix.h"

namespace es {

namespace {

// The matrices a vertex needs, worked out again only when a matrix changed.
struct Transforms {
    unsigned serial = 0;
    Matrix modelViewProjection;
    float normal[9];
    Float4 normalColumns[3];  // the normal matrix's columns, for carrying a normal in one go
};

const Transforms& transforms() {
    static Transforms kept;
    Context& c = context();
    if (kept.serial != c.matrixSerial) {
        kept.modelViewProjection = multiply(c.projection.top(), c.modelView.top());
        normalMatrix(c.modelView.top(), kept.normal);
        if (plantedFault() == EsLayerFault::TransposedNormalMatrix)
            for (int i = 0; i < 3; ++i)
                for (int j = i + 1; j < 3; ++j) std::swap(kept.normal[i * 3 + j], kept.normal[j * 3 + i]);
        for (int j = 0; j < 3; ++j)
            kept.normalColumns[j] = Float4{kept.normal[j], kept.normal[3 + j], kept.normal[6 + j], 0};
        kept.serial = c.matrixSerial;
    }
    return kept;
}

// The lighting of the moment, for the faces lit on the CPU; read again only after a state change.
struct FaceLighting {
    unsigned serial = ~0u;
    ProgramKey key;
    LightingInputs inputs;
};

const FaceLighting& faceLighting() {
    static FaceLighting kept;
    if (kept.serial != drawStateSerial()) {
        kept = FaceLighting{};
        readLighting(context().lighting, context().normalize, kept.key, kept.inputs);
        kept.serial = drawStateSerial();
    }
    return kept;
}

EsVertex transform(const SourceVertex& v, const Transforms& t, bool lighting) {
    EsVertex out;
    transformPoint(t.modelViewProjection, v.position, out.clip);
    for (int k = 0; k < 4; ++k) out.colour[k] = v.colour[k];
    out.texCoord[0] = v.texCoord[0];
    out.texCoord[1] = v.texCoord[1];
    if (lighting) {
        float eye[4];
        transformPoint(context().modelView.top(), v.position, eye);
        for (int k = 0; k < 3; ++k) out.eye[k] = eye[k];
        // Each component a row of the normal matrix times the normal, summed left to right.
        const Float4 n =
            t.normalColumns[0] * v.normal[0] + t.normalColumns[1] * v.normal[1] + t.normalColumns[2] * v.normal[2];
        for (int k = 0; k < 3; ++k) out.normal[k] = n[k];
    }
    return out;
}

// GL 1.x's square of pixels for a point of `size` at window coordinate `x`, as llvmpipe rounds it on
// its framebuffer, whose rows run top down: the first column (or row, when `rowsFlipped`) it covers.
// Positions are snapped to 1/256 of a pixel first.
long legacyPointStart(double windowCoordinate, int width, bool rowsFlipped) {
    const long snapped = std::lround(windowCoordinate * 256);
    auto floorDiv = [](long a) { return a >= 0 ? a / 256 : -((-a + 255) / 256); };
    auto ceilDiv = [&floorDiv](long a) { return -floorDiv(-a); };
    if (width % 2 == 0) return (rowsFlipped ? ceilDiv(snapped - 127) : floorDiv(snapped + 128)) - width / 2;
    return (rowsFlipped ? ceilDiv(snapped + 1) - 1 : floorDiv(snapped)) - (width - 1) / 2;
}

// GL's square of pixels for the point `v`, as four corners in clip space (w = 1) from the bottom left
// round, with the point's depth: drawn as two triangles, they cover just the pixels GL fills.
void legacyPointSquare(const EsVertex& v, float size, EsVertex corners[4]) {
    const Context& c = context();
    const int width = std::max(1, static_cast<int>(std::lround(size)));
    const float w = v.clip[3];
    const float reciprocal = 1.0f / w;
    double low[2], high[2];
    for (int axis = 0; axis < 2; ++axis) {
        const float scale = static_cast<float>(c.viewport[2 + axis]) / 2;
        const float offset = static_cast<float>(c.viewport[axis]) + scale;
        const double window = v.clip[axis] * reciprocal * scale + offset;
        const double start = static_cast<double>(legacyPointStart(window, width, axis == 1));
        low[axis] = (start - offset) / scale;
        high[axis] = (start + width - offset) / scale;
    }
    const double x[4] = {low[0], high[0], high[0], low[0]}, y[4] = {low[1], low[1], high[1], high[1]};
    for (int k = 0; k < 4; ++k) {
        corners[k] = v;
        corners[k].clip[0] = static_cast<float>(x[k]);
        corners[k].clip[1] = static_cast<float>(y[k]);
        corners[k].clip[2] = v.clip[2] * reciprocal;
        corners[k].clip[3] = 1;
    }
}

bool outsideViewVolume(const EsVertex& v) {
    const float w = v.clip[3];
    for (int k = 0; k < 3; ++k)
        if (v.clip[k] > w || v.clip[k] < -w) return true;
    return false;
}

// A triangle of a split primitive: its corners (positions in the draw's vertex sequence), the one whose
// colour flat shading takes, and which of its edges (corner k to corner k + 1) are polygon edges.
struct Triangle {
    int corner[3];
    int provoking;
    unsigned edges;
};
constexpr unsigned allEdges = 7;

struct Split {
    std::vector<Triangle> triangles;
    std::vector<int> lines;   // pairs, the second of each is provoking
    std::vector<int> points;  // single corners
};

// The quads of [first, first + count) split the straight way, or the pipeline's way.
void splitQuads(int first, int count, bool throughPipeline, Split& out) {
    for (int q = first; q + 3 < first + count; q += 4) {
        const int a = q, b = q + 1, c = q + 2, d = q + 3;
        if (throughPipeline) {
            out.triangles.push_back({{a, b, d}, d, 1u | 4u});
            out.triangles.push_back({{b, c, d}, d, 1u | 2u});
        } else {
            out.triangles.push_back({{a, b, c}, d, 1u | 2u});
            out.triangles.push_back({{a, c, d}, d, 2u | 4u});
        }
    }
}

void splitPrimitive(GLenum mode, int n, bool quadsThroughPipeline, const std::vector<bool>& segmentClipped,
                    Split& out) {
    switch (mode) {
        case GL_POINTS:
            for (int i = 0; i < n; ++i) out.points.push_back(i);
            break;
        case GL_LINES:
            for (int i = 0; i + 1 < n; i += 2) out.lines.insert(out.lines.end(), {i, i + 1});
            break;
        case GL_LINE_STRIP:
        case GL_LINE_LOOP:
            for (int i = 0; i + 1 < n; ++i) out.lines.insert(out.lines.end(), {i, i + 1});
            if (mode == GL_LINE_LOOP && n > 1) out.lines.insert(out.lines.end(), {n - 1, 0});
            break;
        case GL_TRIANGLES:
            for (int i = 0; i + 2 < n; i += 3) out.triangles.push_back({{i, i + 1, i + 2}, i + 2, allEdges});
            break;
        case GL_TRIANGLE_STRIP:
            for (int i = 0; i + 2 < n; ++i) {
                if (i % 2 == 0)
                    out.triangles.push_back({{i, i + 1, i + 2}, i + 2, allEdges});
                else
                    out.triangles.push_back({{i + 1, i, i + 2}, i + 2, allEdges});
            }
            break;
        case GL_TRIANGLE_FAN:
            for (int i = 0; i + 2 < n; ++i) out.triangles.push_back({{0, i + 1, i + 2}, i + 2, allEdges});
            break;
        case GL_QUADS: {
            // The rasterizer takes draws in pieces of up to 4096 vertices; each piece decides alone.
            constexpr int piece = 4096;
            for (int first = 0, s = 0; first < n; first += piece, ++s) {
                bool pipeline = quadsThroughPipeline || segmentClipped[static_cast<size_t>(s)];
                if (plantedFault() == EsLayerFault::SwappedQuadDiagonal) pipeline = !pipeline;
                splitQuads(first, std::min(piece, n - first), pipeline, out);
            }
            break;
        }
        case GL_QUAD_STRIP:
            for (int i = 0; i + 3 < n; i += 2) {
                out.triangles.push_back({{i + 2, i, i + 3}, i + 3, 1u | 4u});
                out.triangles.push_back({{i, i + 1, i + 3}, i + 3, 1u | 2u});
            }
            break;
        case GL_POLYGON:
            for (int i = 0; i + 2 < n; ++i) {
                unsigned edges = 1u;          // (i+1) to (i+2)
                if (i == 0) edges |= 4u;      // 0 to 1
                if (i + 3 == n) edges |= 2u;  // (n-1) to 0
                out.triangles.push_back({{i + 1, i + 2, 0}, 0, edges});
            }
            break;
        default:
            break;
    }
}

// The split of `mode` over `n` vertices, worked out once for each primitive of a size: lists and arrays
// draw the same shapes over and over. Quads that a clipped piece may turn are split afresh.
const Split& splitFor(GLenum mode, int n, bool quadsThroughPipeline, const std::vector<bool>& segmentClipped) {
    static Split fresh;
    const bool turnable = mode == GL_QUADS && !quadsThroughPipeline;
    if (turnable) {
        fresh.triangles.clear(), fresh.lines.clear(), fresh.points.clear();
        splitPrimitive(mode, n, quadsThroughPipeline, segmentClipped, fresh);
        return fresh;
    }
    static std::map<std::tuple<GLenum, int, bool, EsLayerFault>, Split> kept;
    const auto key = std::make_tuple(mode, n, quadsThroughPipeline, plantedFault());
    auto found = kept.find(key);
    if (found != kept.end()) return found->second;
    Split& split = kept[key];
    splitPrimitive(mode, n, quadsThroughPipeline, segmentClipped, split);
    return split;
}

// The fill mode of each face as the rasterizer sees it: a culled face takes the other's mode.
struct FaceModes {
    GLenum front, back;
};

FaceModes effectiveModes(const Context& c) {
    FaceModes m{c.polygonMode[0], c.polygonMode[1]};
    if (c.cullFace && (c.cullFaceMode == GL_FRONT || c.cullFaceMode == GL_FRONT_AND_BACK)) m.front = m.back;
    if (c.cullFace && (c.cullFaceMode == GL_BACK || c.cullFaceMode == GL_FRONT_AND_BACK)) m.back = m.front;
    return m;
}

// Counter-clockwise in the window, as GL calls front-facing. With every corner in front of the eye
// the sign of the projected area decides; otherwise that of the homogeneous determinant, which gives
// the orientation of the part in front of the eye.
bool frontFacing(const EsVertex& a, const EsVertex& b, const EsVertex& c) {
    if (a.clip[3] > 0 && b.clip[3] > 0 && c.clip[3] > 0) {
        const float ax = a.clip[0] / a.clip[3], ay = a.clip[1] / a.clip[3];
        const float bx = b.clip[0] / b.clip[3], by = b.clip[1] / b.clip[3];
        const float cx = c.clip[0] / c.clip[3], cy = c.clip[1] / c.clip[3];
        return (ax - cx) * (by - cy) - (ay - cy) * (bx - cx) > 0;
    }
    const double det = static_cast<double>(a.clip[0]) *
                           (static_cast<double>(b.clip[1]) * c.clip[3] - static_cast<double>(c.clip[1]) * b.clip[3]) -
                       static_cast<double>(b.clip[0]) *
                           (static_cast<double>(a.clip[1]) * c.clip[3] - static_cast<double>(c.clip[1]) * a.clip[3]) +
                       static_cast<double>(c.clip[0]) *
                           (static_cast<double>(a.clip[1]) * b.clip[3] - static_cast<double>(b.clip[1]) * a.clip[3]);
    return det > 0;
}

// What the test below needs of each vertex, worked out once per vertex rather than once per triangle:
// the planes of the view volume it lies beyond (a bit each), whether it is where the facing test is
// safe, and its device coordinates.
struct Screening {
    unsigned beyond;
    bool facingSafe;
    float x, y;
};
constexpr float nearest = 1e-3f, widest = 4.0f;  // clip w and device coordinates where facing is safe

Screening screen(const EsVertex& v) {
    Screening s{0, false, 0, 0};
    const float w = v.clip[3];
    for (int k = 0; k < 3; ++k) {
        if (v.clip[k] > w) s.beyond |= 1u << (2 * k);
        if (v.clip[k] < -w) s.beyond |= 2u << (2 * k);
    }
    if (w > nearest) {
        const float reciprocal = 1.0f / w;
        s.x = v.clip[0] * reciprocal, s.y = v.clip[1] * reciprocal;
        s.facingSafe = std::fabs(s.x) < widest && std::fabs(s.y) < widest;
    }
    return s;
}

// Whether a filled triangle can draw no fragment whatever the rasterizer does with it, so that it can be
// left out before its vertices are lit: all three corners beyond one plane of the view volume (the
// clipper's own test on the same numbers), or, with culling on, turned away by a margin far wider than
// any rounding of its area. Anything nearer the edge goes to ES, which decides as Mesa does.
bool hiddenTriangle(const Screening& a, const Screening& b, const Screening& c, const Context& context) {
    if (a.beyond & b.beyond & c.beyond) return true;
    if (!context.cullFace || !(a.facingSafe && b.facingSafe && c.facingSafe)) return false;
    // Device coordinates within 4 carry about 5e-7 each; the area's rounding stays far under the margin.
    const float area = (a.x - c.x) * (b.y - c.y) - (a.y - c.y) * (b.x - c.x);
    constexpr float margin = 1e-4f;  // some 18 square pixels of a 1200 by 600 window
    if (area > margin) return context.cullFaceMode != GL_BACK;
    if (area < -margin) return context.cullFaceMode != GL_FRONT;
    return false;
}

}  // namespace

bool validPrimitiveMode(GLenum mode) {
    switch (mode) {
        case GL_POINTS:
        case GL_LINES:
        case GL_LINE_STRIP:
        case GL_LINE_LOOP:
        case GL_TRIANGLES:
        case GL_TRIANGLE_STRIP:
        case GL_TRIANGLE_FAN:
        case GL_QUADS:
        case GL_QUAD_STRIP:
        case GL_POLYGON:
            return true;
        default:
            return false;
    }
}

void drawPrimitives(GLenum mode, const std::vector<SourceVertex>& vertices, const std::vector<std::uint32_t>* indices,
                    Origin origin) {
    const Context& c = context();
    const bool lighting = c.lighting.lighting;
    const bool flat = c.lighting.shadeModel == GL_FLAT;
    const Transforms& t = transforms();

    static std::vector<EsVertex> transformed;
    static std::vector<Screening> screened;
    transformed.resize(vertices.size());
    screened.resize(vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i) {
        transformed[i] = transform(vertices[i], t, lighting);
        screened[i] = screen(transformed[i]);
    }

    const int n = static_cast<int>(indices ? indices->size() : vertices.size());
    auto at = [&](int position) -> const EsVertex& {
        return transformed[indices ? (*indices)[static_cast<size_t>(position)] : static_cast<size_t>(position)];
    };
    auto hidden = [&](const Triangle& tri) {
        auto screening = [&](int position) -> const Screening& {
            return screened[indices ? (*indices)[static_cast<size_t>(position)] : static_cast<size_t>(position)];
        };
        return hiddenTriangle(screening(tri.corner[0]), screening(tri.corner[1]), screening(tri.corner[2]), c);
    };

    const FaceModes modes = effectiveModes(c);
    const bool facesAsLines = modes.front != GL_FILL || modes.back != GL_FILL;
    std::vector<bool> segmentClipped;
    if (mode == GL_QUADS)
        for (int i = 0; i < n; ++i) {
            const size_t s = static_cast<size_t>(i / 4096);
            if (segmentClipped.size() <= s) segmentClipped.push_back(false);
            if (outsideViewVolume(at(i))) segmentClipped[s] = true;
        }
    const Split& split = splitFor(mode, n, origin == Origin::DisplayList || flat || facesAsLines, segmentClipped);

    // Each vertex shaded by itself becomes a vertex of the run once a run; one shaded by another (flat
    // shading) once for each triangle, or once for the two triangles of a quad, which share corners and
    // the provoking vertex.
    auto source = [&](int position) {
        return indices ? (*indices)[static_cast<size_t>(position)] : static_cast<std::uint32_t>(position);
    };

    // Under flat shading the filled faces that can show nothing are found first, so that each lit
    // vertex that shades a face that is drawn is lit here, once, all of them together; its colour
    // becomes the lit one (face_lighting.h).
    static std::vector<char> hiddenFace;
    const size_t triangles = facesAsLines ? 0 : split.triangles.size();
    if (flat) {
        hiddenFace.resize(triangles);
        for (size_t t = 0; t < triangles; ++t) hiddenFace[t] = hidden(split.triangles[t]);
    }
    if (lighting && flat) {
        static std::vector<char> wanted;
        static std::vector<std::uint32_t> toLight;
        wanted.assign(transformed.size(), 0);
        toLight.clear();
        auto want = [&](std::uint32_t v) {
            if (!wanted[v]) wanted[v] = 1, toLight.push_back(v);
        };
        for (size_t t = 0; t < triangles; ++t)
            if (!hiddenFace[t]) want(source(split.triangles[t].provoking));
        if (facesAsLines)
            for (const Triangle& tri : split.triangles) want(source(tri.provoking));
        for (size_t i = 0; i + 1 < split.lines.size(); i += 2) want(source(split.lines[i + 1]));
        for (int p : split.points) want(source(p));
        const FaceLighting& lit = faceLighting();
        lightVertices(lit.key, lit.inputs, transformed.data(), toLight.data(), toLight.size());
    }
    static std::vector<std::uint16_t> ownIndex;
    static std::vector<unsigned> ownGeneration;
    ownIndex.resize(transformed.size());
    ownGeneration.assign(transformed.size(), ~0u);
    struct Shared {
        std::uint32_t corner[3] = {~0u, ~0u, ~0u}, provoking = ~0u;
        std::uint16_t index[3] = {};
        unsigned generation = ~0u;
    } shared[2];
    // The face being placed and the one before, swapped face by face rather than copied (a copy
    // read back whole what was just written field by field, and stalled on it).
    Shared* current = &shared[0];
    Shared* previous = &shared[1];
    auto startFace = [&] { *current = Shared{}; };
    auto endFace = [&] { std::swap(current, previous); };
    auto own = [&](std::uint32_t corner) {
        if (ownGeneration[corner] != run.generation) {
            ownIndex[corner] = addVertex(transformed[corner], transformed[corner]);
            ownGeneration[corner] = run.generation;
        }
        return ownIndex[corner];
    };
    // The corner at `position` of a primitive whose provoking vertex is at `provoking`, as the `k`-th
    // corner of `current`.
    auto vertex = [&](int position, int provoking, int k) __attribute__((always_inline))->std::uint16_t {
        const std::uint32_t corner = source(position);
        const std::uint32_t shader = flat ? source(provoking) : corner;
        current->corner[k] = corner;
        current->provoking = shader;
        current->generation = run.generation;
        if (shader == corner) return current->index[k] = own(corner);
        if (previous->generation == run.generation && previous->provoking == shader)
            for (int j = 0; j < 3; ++j)
                if (previous->corner[j] == corner) return current->index[k] = previous->index[j];
        return current->index[k] = addVertex(transformed[corner], transformed[shader]);
    };

    // Every face filled: the triangles go in as they come, as many at a time as the run has room for.
    if (triangles > 0) beginRun(Kind::Triangles, false);
    for (size_t t = 0; t < triangles;) {
        const size_t room = (Run::maxVertices - run.vertexCount) / 3;
        if (room == 0) {
            flushBatch();
            continue;
        }
        const size_t end = std::min(triangles, t + room);
        reserve(3 * (end - t), 3 * (end - t));
        if (!flat) {
            // Smooth shading: each corner is its own vertex, placed once a run.
            for (; t < end; ++t) {
                const Triangle& tri = split.triangles[t];
                if (hidden(tri)) continue;
                for (int corner : tri.corner) addIndex(own(source(corner)));
            }
            continue;
        }
        for (; t < end; ++t) {
            const Triangle& tri = split.triangles[t];
            if (hiddenFace[t]) continue;
            startFace();
            for (int k = 0; k < 3; ++k) addIndex(vertex(tri.corner[k], tri.provoking, k));
            endFace();
        }
    }

    // A face drawn as lines: each triangle's facing decides its mode, and culling is done here.
    for (size_t t = 0; facesAsLines && t < split.triangles.size(); ++t) {
        const Triangle& tri = split.triangles[t];
        const bool front = frontFacing(at(tri.corner[0]), at(tri.corner[1]), at(tri.corner[2]));
        if (c.cullFace && (c.cullFaceMode == GL_FRONT_AND_BACK || (c.cullFaceMode == GL_FRONT) == front)) continue;
        if ((front ? modes.front : modes.back) == GL_FILL) {
            beginRun(Kind::Triangles, true);
            reserve(3, 3);
            startFace();
            for (int k = 0; k < 3; ++k) addIndex(vertex(tri.corner[k], tri.provoking, k));
            endFace();
            continue;
        }
        beginRun(Kind::Lines, true);
        reserve(3, 6);
        startFace();
        std::uint16_t corners[3];
        for (int k = 0; k < 3; ++k) corners[k] = vertex(tri.corner[k], tri.provoking, k);
        endFace();
        for (int k : {2, 0, 1})
            if ((tri.edges >> k) & 1) addIndex(corners[k]), addIndex(corners[(k + 1) % 3]);
    }
    if (!split.lines.empty()) {
        beginRun(Kind::Lines, true);
        for (size_t i = 0; i + 1 < split.lines.size(); i += 2) {
            reserve(2, 2);
            startFace();
            const std::uint16_t from = vertex(split.lines[i], split.lines[i + 1], 0);
            const std::uint16_t to = vertex(split.lines[i + 1], split.lines[i + 1], 1);
            endFace();
            addIndex(from), addIndex(to);
        }
    }
    // A point is its square of pixels, drawn as two triangles with the point's colour and depth at every
    // corner, among the triangles around it; wound so that the culling of the moment lets it through,
    // since GL culls no point. A point whose centre lies outside the view volume is not drawn.
    const bool cullsBoth = c.cullFace && c.cullFaceMode == GL_FRONT_AND_BACK;
    const bool clockwise = c.cullFace && c.cullFaceMode == GL_FRONT;
    for (int p : split.points) {
        const EsVertex& point = at(p);
        if (outsideViewVolume(point)) continue;
        EsVertex square[4];
        legacyPointSquare(point, c.pointSize, square);
        beginRun(Kind::Triangles, facesAsLines || cullsBoth);
        reserve(4, 6);
        std::uint16_t corner[4];
        for (int k = 0; k < 4; ++k) corner[k] = addVertex(square[k], point);
        const int order[6] = {0, 1, 2, 0, 2, 3};
        for (int k = 0; k < 6; ++k) addIndex(corner[clockwise ? order[5 - k] : order[k]]);
    }
}

}  // namespace es
