// read_back.h -- the finished frame read back from the back buffer, for screenshots, recordings and tests.
#pragma once

#include <vector>

// The `width` by `height` pixels of the back buffer from (x, y) up and to the right, as packed RGB
// rows bottom up (GL's order). Leaves the read buffer at the back and the pack alignment at 1.
void readBackBuffer(int x, int y, int width, int height, std::vector<unsigned char>& pixels);
