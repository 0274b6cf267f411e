// read_back.cpp -- the finished frame read back from the back buffer.
#include "gl/read_back.h"

#include <GL/gl.h>

#include <cstddef>

void readBackBuffer(int x, int y, int width, int height, std::vector<unsigned char>& pixels) {
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}
