// mesh_drawing.h -- the GL half of the two meshes: their grids drawn from buffers kept per context.
#pragma once

#include "aquarium/meshes.h"

// Draws the grid of `grid`'s current heights.
void drawGrid(const HeightGrid& grid);
// The sand bed's grid as it is; the value is not used.
void drawMesh(SandBedMesh& mesh, float value);
// Reshapes the water from a, then draws its grid.
void drawMesh(WaterSurfaceMesh& mesh, float a);
