// tables.cpp -- start contents of the fish and worm tables, and the colour table.
#include "aquarium/tables.h"

#include <array>

namespace {
constexpr Fish startFish(float alive, float size, float colorIndex, float p) {
    return Fish{alive, size, colorIndex, {p, p, p}, {0.01f, 0.01f, 0.01f}, {0, 1, 0}, {p, p, p}};
}

constexpr bool startsAlive(int s) {
    for (int alive : {1, 2, 7, 8, 14, 16, 21, 31, 34, 40, 41, 43, 54, 57, 63})
        if (s == alive) return true;
    return false;
}

// A 4 x 4 x 4 lattice with spacing 1 from -1.5 to 1.5 on each axis.
constexpr std::array<Worm, wormSlots> makeWormStart() {
    std::array<Worm, wormSlots> slots{};
    for (int s = 0; s < wormSlots; ++s) {
        slots[s] = Worm{startsAlive(s) ? 1.0f : 0.0f,
                        1.0f,
                        9.0f,
                        {1.5f - static_cast<float>(s / 16), 1.5f - static_cast<float>(s % 4),
                         1.5f - static_cast<float>((s / 4) % 4)}};
    }
    return slots;
}
constexpr std::array<Worm, wormSlots> wormStartArray = makeWormStart();
}  // namespace

Fish fishes[fishSlots];
Worm worms[wormSlots];
int32_t fishHasTarget[fishSlots] = {};
int32_t fishTargetWorm[fishSlots] = {};

const Fish fishStart[fishSlots] = {
    startFish(1, 0.7f, 1, 1.5f),  startFish(1, 0.6f, 2, 0.5f),  startFish(1, 0.5f, 3, -0.5f),
    startFish(1, 0.3f, 4, -1.5f), startFish(0, 0.2f, 5, 1.5f),  startFish(0, 0.1f, 6, 0.5f),
    startFish(0, 0.1f, 7, -0.5f), startFish(0, 0.1f, 8, -1.5f), startFish(0, 0.1f, 9, 1.5f),
    startFish(0, 0.1f, 10, 0.5f),
};

const Worm wormStart[wormSlots] = {
#define W(s) wormStartArray[s]
    W(0),  W(1),  W(2),  W(3),  W(4),  W(5),  W(6),  W(7),  W(8),  W(9),  W(10), W(11), W(12), W(13), W(14), W(15),
    W(16), W(17), W(18), W(19), W(20), W(21), W(22), W(23), W(24), W(25), W(26), W(27), W(28), W(29), W(30), W(31),
    W(32), W(33), W(34), W(35), W(36), W(37), W(38), W(39), W(40), W(41), W(42), W(43), W(44), W(45), W(46), W(47),
    W(48), W(49), W(50), W(51), W(52), W(53), W(54), W(55), W(56), W(57), W(58), W(59), W(60), W(61), W(62), W(63),
#undef W
};

const float colorTable[11][3] = {
    {1, 0, 0},       {0, 1, 0},          {0, 0, 1},       {1, 0, 1},           {1, 1, 0}, {0.4f, 0.8f, 0},
    {0.8f, 0, 0.6f}, {0.2f, 0.5f, 0.7f}, {0.7f, 0.8f, 0}, {0.8f, 0.54f, 0.1f}, {0, 0, 0},
};

const float* colorFor(float colorIndex) {
    // Indices are truncated toward zero; anything outside the table is held to its ends so a
    // stray value can never read past it.
    int index = static_cast<int>(colorIndex);
    if (!(colorIndex >= 0.0f)) index = 0;
    if (index > 10) index = 10;
    return colorTable[index];
}
