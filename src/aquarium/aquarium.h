// aquarium.h -- what the scene composition draws of the aquarium: the feeder, the worm drawer,
// the school and the two meshes, with their process-wide objects.
#pragma once

#include "aquarium/feeder.h"
#include "aquarium/fish_school.h"
#include "aquarium/meshes.h"
#include "aquarium/worm_drawer.h"
