// globals.h -- the six process-wide objects, built before main in one file (globals.cpp)
// so their order is fixed, and destroyed in reverse at the normal exit.
#pragma once

#include "aquarium/feeder.h"
#include "aquarium/fish_school.h"
#include "aquarium/meshes.h"
#include "aquarium/worm_drawer.h"
#include "room/room_shell.h"

extern TexturedRect sharedRect;
extern Feeder bowlFeeder;
extern WormDrawer wormDrawer;
extern FishSchool fishSchool;
extern WaterSurfaceMesh waterMesh;
extern SandBedMesh sandMesh;
