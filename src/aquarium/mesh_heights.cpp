// mesh_heights.cpp -- heights of the water surface (reshaped every draw) and the sand bed (shaped
// once); plain arithmetic, drawn by mesh_drawing.cpp.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "aquarium/meshes.h"

namespace {
constexpr double frequency = 0.3;
constexpr double twoPiAsUsed = 6.28318;
constexpr double phaseStep = 0.1;

// The rings repeat whenever the phase grows by one sine period, 2 pi / (0.3 x 6.28318), a hair
// over 10/3. Left alone the float phase of the water would coarsen over hours and stop moving
// after a few days (0.1 vanishes against 2^21), so once it passes 300 periods (about 1000, some
// 10,000 frames) it drops back by exactly that much, worked out in doubles. Until then the heights
// are bit for bit those of a phase that grows for ever; afterwards the phase only ever retraces
// the values of those first 10,000 frames, and the shift of the sine's argument is off from
// 300 turns by no more than the float rounding of the wrapped phase (a few 1e-9), far below
// what the heights can show.
constexpr double phaseWrap = 300.0 * 2.0 * std::numbers::pi / (frequency * twoPiAsUsed);

// A float's bits and back, for comparing phases and divisors as the very same value. std::memcpy
// rather than std::bit_cast, which the C++ library of the browser build (libc++ 13) does not have.
uint32_t bitsOf(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float floatOf(uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float advancePhase(float phase) {
    double next = static_cast<double>(phase) + phaseStep;
    if (next >= phaseWrap) next = std::fmod(next, phaseWrap);  // exact: next - phaseWrap in a run
    return static_cast<float>(next);
}

// A point's distance from the ring centre never changes, and the rings are round, so many points
// share one distance: the water's 4,096 points have some 600 different ones. The table keeps, per
// shape, each point's scaled distance t (as the float it always was) and which distinct t it has.
struct RingTable {
    int centreColumn = 0;
    int centreRow = 0;
    float divisor = 0.0f;
    float t[meshSize][meshSize] = {};
    uint16_t distinct[meshSize][meshSize] = {};
    std::vector<float> distinctT;
};

RingTable makeRingTable(int centreColumn, int centreRow, float divisor) {
    RingTable table;
    table.centreColumn = centreColumn;
    table.centreRow = centreRow;
    table.divisor = divisor;
    std::vector<int> slotOfSquare;  // by squared distance, which is what fixes t
    for (int i = 0; i < meshSize; ++i) {
        for (int j = 0; j < meshSize; ++j) {
            int dc = j - centreColumn;
            int dr = i - centreRow;
            int square = dc * dc + dr * dr;
            float d = std::sqrt(static_cast<float>(square));
            table.t[i][j] = d / divisor;
            if (static_cast<size_t>(square) >= slotOfSquare.size()) slotOfSquare.resize(square + 1, -1);
            if (slotOfSquare[square] < 0) {
                slotOfSquare[square] = static_cast<int>(table.distinctT.size());
                table.distinctT.push_back(table.t[i][j]);
            }
            table.distinct[i][j] = static_cast<uint16_t>(slotOfSquare[square]);
        }
    }
    return table;
}

// Two shapes are ever used; a third would simply get its own table.
const RingTable& ringTableFor(int centreColumn, int centreRow, float divisor) {
    static std::vector<RingTable> tables;
    for (const RingTable& t : tables)
        if (t.centreColumn == centreColumn && t.centreRow == centreRow && bitsOf(t.divisor) == bitsOf(divisor))
            return t;
    tables.push_back(makeRingTable(centreColumn, centreRow, divisor));
    return tables.back();
}

double waveAt(float t, float phase) {
    return std::sin((static_cast<double>(t) + phase) * frequency * twoPiAsUsed);
}
}  // namespace

void HeightGrid::updateHeightsWith(const Shape& shape, float a) {
    amplitude = a;
    const RingTable& ring = ringTableFor(shape.centreColumn, shape.centreRow, shape.divisor);

    // The phase grows before it is used, at every point, rim included.
    const uint32_t firstPhase = bitsOf(advancePhase(phases[0][0]));
    bool onePhase = true;
    for (auto& row : phases)
        for (float& phase : row) {
            phase = advancePhase(phase);
            onePhase = onePhase && bitsOf(phase) == firstPhase;
        }

    // With one phase everywhere (as the meshes always have it) a point's sine depends on its
    // distance alone and is worked out once per distinct distance; the values are the very ones
    // the per-point formula gives, since the inputs are bit for bit the same.
    std::vector<double> waveOfDistinct;
    if (onePhase) {
        waveOfDistinct.resize(ring.distinctT.size());
        for (size_t k = 0; k < ring.distinctT.size(); ++k)
            waveOfDistinct[k] = waveAt(ring.distinctT[k], floatOf(firstPhase));
    }

    for (int i = 0; i < meshSize; ++i) {
        for (int j = 0; j < meshSize; ++j) {
            if (shape.rim && (i == 0 || i == meshSize - 1 || j == 0 || j == meshSize - 1)) {
                heights[i][j] = 30.0f;
                continue;
            }
            double base = shape.steppedBase ? 5.0 - i / 16 : 0.0;
            double wave = onePhase ? waveOfDistinct[ring.distinct[i][j]] : waveAt(ring.t[i][j], phases[i][j]);
            heights[i][j] = static_cast<float>(static_cast<double>(a) * wave + base);
        }
    }
}

SandBedMesh::SandBedMesh() {
    amplitude = 4.0f;
    updateHeights(4.0f);
}

void SandBedMesh::updateHeights(float a) {
    updateHeightsWith({16, 32, -6.0f, true, true}, a);
}

WaterSurfaceMesh::WaterSurfaceMesh() {
    amplitude = 5.0f;
}

void WaterSurfaceMesh::updateHeights(float a) {
    updateHeightsWith({32, 32, -4.0f, false, false}, a);
}
