// aquarium.h -- what the scene composition draws of the aquarium: the feeder, the worm drawer,
// the school and the two meshes, with their process-wide objects.
#pragma once

#include "aquarium/draw/fish_school.h"
#include "aquarium/draw/mesh_drawing.h"
#include "aquarium/draw/worm_drawer.h"
#include "aquarium/feeder.h"
