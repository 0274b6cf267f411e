// globals.h -- gathers the six process-wide objects, each declared by the module that owns its
// type, for the one file that defines them (globals.cpp) and for tests.
#pragma once

#include "aquarium/draw/fish_school.h"
#include "aquarium/draw/worm_drawer.h"
#include "aquarium/feeder.h"
#include "aquarium/meshes.h"
#include "room/draw/room_shell.h"
