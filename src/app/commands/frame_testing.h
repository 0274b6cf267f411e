// frame_testing.h -- the idle callback's two steps, on their own so tests reach the arithmetic.
#pragma once

// The idle step of the orbit angle.
void advanceOrbit();
// Formats the perspective title into titleBuffer and returns it.
const char* formatPerspectiveTitle();
