// drawing_state.h -- the process state of a program that links the drawing: the drawers' parts
// beside the scene and the aquarium's (support/process_state.h), saved, compared and put back whole.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "aquarium/draw/fish_school.h"
#include "aquarium/draw/worm_drawer.h"
#include "aquarium/meshes.h"
#include "support/capture.h"
#include "support/process_state.h"

// The drawers' parts: the two meshes and the drawers' little counters. Only a program that links the
// drawing holds them.
template <class Visit>
void forEachDrawerPart(Visit&& visit) {
    visit("water mesh heights", waterMesh.heights);
    visit("water mesh phases", waterMesh.phases);
    visit("water mesh amplitude", waterMesh.amplitude);
    visit("sand mesh heights", sandMesh.heights);
    visit("sand mesh phases", sandMesh.phases);
    visit("sand mesh amplitude", sandMesh.amplitude);
    visit("fish flap", fishSchool.flap);
    visit("worm leg phase", wormDrawer.legPhase);
}

// Everything above, saved: the scene, each part as bytes in the inventory's order, and how many cues
// the test has heard. For programs that link the drawing.
struct ProcessSnapshot {
    SceneState sceneValues;
    std::vector<std::string> names;
    std::vector<std::vector<unsigned char>> parts;
    std::size_t cueCount = 0;

    static ProcessSnapshot take() {
        ProcessSnapshot s;
        s.sceneValues = scene;
        s.cueCount = playedCues().size();
        auto save = [&s](const char* name, const auto& part) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(&part);
            s.names.emplace_back(name);
            s.parts.emplace_back(bytes, bytes + sizeof part);
        };
        forEachAquariumPart(save);
        forEachDrawerPart(save);
        return s;
    }

    void restore() const {
        scene = sceneValues;
        std::size_t i = 0;
        auto put = [this, &i](const char*, auto& part) { std::memcpy(&part, parts[i++].data(), sizeof part); };
        forEachAquariumPart(put);
        forEachDrawerPart(put);
        playedCues().resize(cueCount);
    }

    // The scene fields and the parts that differ, one a line; empty when none does.
    std::string differencesFrom(const ProcessSnapshot& other) const {
        std::string out = sceneDifferences(sceneValues, other.sceneValues);
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (parts[i] != other.parts[i]) out += names[i] + "\n";
        if (cueCount != other.cueCount)
            out += "cues played: " + std::to_string(cueCount) + " vs " + std::to_string(other.cueCount) + "\n";
        return out;
    }
};
