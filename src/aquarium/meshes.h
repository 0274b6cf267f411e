// meshes.h -- the 64 by 64 height fields of the water surface and the sand bed. The heights are
// plain arithmetic (mesh_heights.cpp); drawGrid and drawMesh are the GL half (mesh_drawing.cpp).
#pragma once

constexpr int meshSize = 64;

// Heights, phases and the grid drawing shared by both meshes.
class HeightGrid {
public:
    virtual ~HeightGrid() = default;

    float heights[meshSize][meshSize] = {};
    float phases[meshSize][meshSize] = {};
    float amplitude = 0.0f;

    void drawGrid();

protected:
    struct Shape {
        int centreColumn;
        int centreRow;
        float divisor;
        bool rim;
        bool steppedBase;
    };
    void updateHeightsWith(const Shape& shape, float a);

private:
    // The grid's points as GL holds them: one vertex per point, shared by the six corners of the
    // cells around it. Made on the first draw in a context and sent again only when the heights
    // have changed since.
    struct GlCopy {
        const void* context = nullptr;
        unsigned int positionBuffer = 0;
        float sentHeights[meshSize][meshSize] = {};
    };
    GlCopy glCopy;
};

class SandBedMesh : public HeightGrid {
public:
    SandBedMesh();
    void updateHeights(float a);
    void drawMesh(float value);  // the value is not used
};

class WaterSurfaceMesh : public HeightGrid {
public:
    WaterSurfaceMesh();
    void updateHeights(float a);
    void drawMesh(float a);  // reshapes from a, then draws
};

// The two meshes, built before main with the other process-wide objects (app/globals.cpp).
extern WaterSurfaceMesh waterMesh;
extern SandBedMesh sandMesh;
