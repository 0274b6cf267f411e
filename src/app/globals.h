// globals.h -- gathers the six process-wide objects, each declared by the module that owns its
// type, for the one file that defines them (globals.cpp) and for tests.
#pragma once

#include "aquarium/feeder.h"
#include "aquarium/fish_school.h"
#include "aquarium/meshes.h"
#include "aquarium/worm_drawer.h"
#include "room/room_shell.h"
