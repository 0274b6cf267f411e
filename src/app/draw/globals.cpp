// globals.cpp -- builds the process-wide objects in their fixed order, interleaved with the two
// start-up computations. C++ orders dynamic initialisation only within one file, hence one file.
#include "app/draw/globals.h"

#include "core/scene_state.h"
#include "view/walk.h"

namespace {
const bool startViewDistance = (computeStartViewDistance(), true);
}

TexturedRect sharedRect;

namespace {
const bool startLookDirection = (updateLookDirection(), true);
}

Feeder bowlFeeder;
WormDrawer wormDrawer;
FishSchool fishSchool;
WaterSurfaceMesh waterMesh;
SandBedMesh sandMesh;
