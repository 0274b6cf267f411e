// meshes.h -- the 64 by 64 height fields of the water surface and the sand bed. The heights are
// plain arithmetic (mesh_heights.cpp); drawGrid and drawMesh are the GL half
// (aquarium/draw/mesh_drawing.h).
#pragma once

constexpr int meshSize = 64;

// Heights and phases shared by both meshes.
class HeightGrid {
public:
    virtual ~HeightGrid() = default;

    float heights[meshSize][meshSize] = {};
    float phases[meshSize][meshSize] = {};
    float amplitude = 0.0f;

protected:
    struct Shape {
        int centreColumn;
        int centreRow;
        float divisor;
        bool rim;
        bool steppedBase;
    };
    void updateHeightsWith(const Shape& shape, float a);
};

class SandBedMesh : public HeightGrid {
public:
    SandBedMesh();
    void updateHeights(float a);
};

class WaterSurfaceMesh : public HeightGrid {
public:
    WaterSurfaceMesh();
    void updateHeights(float a);
};

// The two meshes, built before main with the other process-wide objects (app/draw/globals.cpp).
extern WaterSurfaceMesh waterMesh;
extern SandBedMesh sandMesh;
