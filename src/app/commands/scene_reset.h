// scene_reset.h -- the reset of the scene (Home key and the menu's Reset).
#pragma once

// Puts the scene state back to its start values but for the reset's few differences, resets the
// aquarium and re-applies the projection at the start size of 1200 by 600.
void resetScene();
