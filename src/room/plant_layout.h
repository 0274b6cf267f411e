// plant_layout.h -- where the water plant's blades lie, worked out once on the CPU: every blade's
// corners, colour and normal transform in the plant's own frame, so the plant can be drawn as one
// array instead of 1,821 separately placed quads.
#pragma once

#include <array>
#include <vector>

// The plant's shape, which its blade by blade drawing and its layout both follow. A blade is a quad
// 1 long, tapering from 0.25 wide at its foot to 0.2 at its tip: its corners (x, y) in drawing order,
// at z = 0, and their texture coordinates.
inline constexpr float plantBladeCorners[4][2] = {{-0.125f, -0.5f}, {0.125f, -0.5f}, {0.1f, 0.5f}, {-0.1f, 0.5f}};
inline constexpr float plantBladeTexCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

// Each level grows three branches, each a blade turned about x, then y, then z (degrees) and moved
// 0.6 along its own y; the first goes one level deeper, the other two only above the lowest levels.
struct PlantBranch {
    float aboutX, aboutY, aboutZ;
    bool recurse;
};
// The branches of a level, `k` counting down from levels - 1 at the foot to 0 at the tips.
std::array<PlantBranch, 3> plantBranches(int k);
// The colour of a level's blades (RGB) in a plant of `levels` levels.
std::array<float, 3> plantLevelColour(int k, int levels);

struct PlantLayout {
    // Four corners per blade, in drawing order: positions (x, y, z) and texture coordinates (s, t).
    std::vector<float> positions;
    std::vector<float> texCoords;
    // One colour per corner (the blade's colour, repeated).
    std::vector<float> colours;
    // Per blade, the 3 by 3 matrix (row-major) that carries a normal given in the blade's own frame
    // into the plant's frame: the inverse transpose of the blade's placement.
    std::vector<float> normalTransforms;
    // The colour set last, which stays current after the plant, and whether any blade was laid.
    float lastColour[3] = {0, 0, 0};
    bool anyBlade = false;

    int bladeCount() const { return static_cast<int>(positions.size() / 12); }

    // Each corner's normal for a current normal `n` given before the plant: three per corner.
    void normalsFor(const float n[3], std::vector<float>& out) const;
};

// The layout of a plant of `levels` levels whose frame is first moved down 0.1 and scaled by
// (scaleX, scaleY, scaleZ), exactly as the plant's drawing places its blades.
PlantLayout layOutPlant(int levels, float scaleZ, float scaleY, float scaleX);
