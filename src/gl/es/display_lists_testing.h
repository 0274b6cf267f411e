// display_lists_testing.h -- lets a test read what a display list of the layer holds.
#pragma once

#include <string>

// The primitives of `list`, a line each and then a line for each of its vertices: "primitive MODE COUNT",
// then "v X Y Z", followed by " n X Y Z" and " t S T" where the list gave the vertex its normal or
// texture coordinates (the rest it leaves to the current values), every number a hexadecimal float.
std::string describeList(unsigned int list);
