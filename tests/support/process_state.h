// process_state.h -- the one inventory of what tests save, compare and put back outside GL: every
// field of the scene state, checked against SceneState by the compiler, and the process-wide objects'
// parts beside it.
#pragma once

#include <cstddef>
#include <sstream>
#include <string>
#include <utility>

#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "support/capture.h"

// Every field of SceneState, in the order it declares them. FIELD is a value the reset puts back to
// its start; KEPT is a handle start-up sets once, which outlives a test's reset as it outlives the
// program's.
#define SCENE_STATE_FIELDS(FIELD, KEPT) \
    FIELD(windowWidth)                  \
    FIELD(windowHeight)                 \
    FIELD(mouseFracX)                   \
    FIELD(mouseFracY)                   \
    FIELD(orbitAngle)                   \
    FIELD(tiltAngle)                    \
    FIELD(orbitRate)                    \
    FIELD(viewDistance)                 \
    FIELD(nearPlane)                    \
    FIELD(farPlane)                     \
    FIELD(fieldOfView)                  \
    FIELD(orthoRotation)                \
    FIELD(orthoLeft)                    \
    FIELD(orthoRight)                   \
    FIELD(orthoBottom)                  \
    FIELD(orthoTop)                     \
    FIELD(headingAngle)                 \
    FIELD(eyeX)                         \
    FIELD(eyeY)                         \
    FIELD(eyeZ)                         \
    FIELD(lookDirX)                     \
    FIELD(lookDirY)                     \
    FIELD(lookDirZ)                     \
    FIELD(upX)                          \
    FIELD(upY)                          \
    FIELD(upZ)                          \
    FIELD(stepSize)                     \
    FIELD(viewMode)                     \
    FIELD(polygonFill)                  \
    FIELD(lightingOn)                   \
    FIELD(texturesOn)                   \
    FIELD(cullingOn)                    \
    FIELD(depthTestOn)                  \
    FIELD(polishedOn)                   \
    FIELD(flatShading)                  \
    FIELD(collisionCheckOn)             \
    FIELD(ceilingLightOff)              \
    FIELD(leftLampOff)                  \
    FIELD(rightLampOff)                 \
    FIELD(frontLampOff)                 \
    FIELD(furnitureCount)               \
    FIELD(tickCount)                    \
    FIELD(flapSign)                     \
    FIELD(waveAmplitude)                \
    FIELD(autoFeed)                     \
    FIELD(soundOn)                      \
    KEPT(mainWindow)

namespace sceneinventory {

// Converts to whatever a field is, so that a brace list of them tells how many fields SceneState has.
struct AnyField {
    template <class T>
    operator T() const;
};

template <class T, std::size_t... I>
constexpr bool bracesTake(std::index_sequence<I...>) {
    return requires {
        T{(static_cast<void>(I), AnyField{})...};
    };
}

// The number of fields of an aggregate of plain fields: the longest brace list it takes.
template <class T, std::size_t n = 0>
constexpr std::size_t fieldCount() {
    if constexpr (bracesTake<T>(std::make_index_sequence<n + 1>{}))
        return fieldCount<T, n + 1>();
    else
        return n;
}

#define SCENE_INVENTORY_ONE(name) +1
constexpr std::size_t listed = 0 SCENE_STATE_FIELDS(SCENE_INVENTORY_ONE, SCENE_INVENTORY_ONE);
#undef SCENE_INVENTORY_ONE

// Each listed field lies after the one listed before it, so none is listed twice.
constexpr bool listedInOrder() {
    std::size_t next = 0;
    bool inOrder = true;
#define SCENE_INVENTORY_AFTER(name)                          \
    inOrder = inOrder && offsetof(SceneState, name) >= next; \
    next = offsetof(SceneState, name) + sizeof(SceneState::name);
    SCENE_STATE_FIELDS(SCENE_INVENTORY_AFTER, SCENE_INVENTORY_AFTER)
#undef SCENE_INVENTORY_AFTER
    return inOrder && next <= sizeof(SceneState);
}

}  // namespace sceneinventory

static_assert(sceneinventory::fieldCount<SceneState>() == sceneinventory::listed,
              "SceneState has a field that SCENE_STATE_FIELDS does not list (tests/support/process_state.h)");
static_assert(sceneinventory::listedInOrder(), "SCENE_STATE_FIELDS lists a field twice or out of SceneState's order");

// Every field, compared one by one (padding bytes are not part of the state).
inline std::string sceneDifferences(const SceneState& a, const SceneState& b) {
    std::ostringstream out;
#define SCENE_INVENTORY_COMPARE(name) \
    if (!(a.name == b.name)) out << #name << ": " << +a.name << " vs " << +b.name << "\n";
    SCENE_STATE_FIELDS(SCENE_INVENTORY_COMPARE, SCENE_INVENTORY_COMPARE)
#undef SCENE_INVENTORY_COMPARE
    return out.str();
}

// The scene's start values, with the handles start-up set taken over from `current`.
inline SceneState startSceneKeepingHandles(const SceneState& current) {
    SceneState fresh{};
#define SCENE_INVENTORY_START(name)
#define SCENE_INVENTORY_KEEP(name) fresh.name = current.name;
    SCENE_STATE_FIELDS(SCENE_INVENTORY_START, SCENE_INVENTORY_KEEP)
#undef SCENE_INVENTORY_START
#undef SCENE_INVENTORY_KEEP
    return fresh;
}

// The process-wide objects' parts outside GL that a frame or a command reads or changes, beside the
// scene: `visit(name, part)` for each. The aquarium's tables and hunting marks are the logic's.
template <class Visit>
void forEachAquariumPart(Visit&& visit) {
    visit("fish table", fishes);
    visit("worm table", worms);
    visit("hunting marks", fishHasTarget);
    visit("hunted worms", fishTargetWorm);
}
