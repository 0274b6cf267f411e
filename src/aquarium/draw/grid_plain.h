// grid_plain.h -- a height grid drawn the straightforward way, corner by corner in immediate mode.
#pragma once

#include "aquarium/meshes.h"

void drawGridPlainly(const float (&heights)[meshSize][meshSize]);
