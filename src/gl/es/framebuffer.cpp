// framebuffer.cpp -- what reaches the framebuffer outside the primitives: the viewport, clearing,
// reading pixels back, and flushing.
#include <cstring>
#include <vector>

#include "gl/es/batch.h"
#include "gl/es/context.h"
#include "gl/es/es_calls.h"

using namespace es;

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (width < 0 || height < 0) return raise(GL_INVALID_VALUE);
    flushBatch();
    Context& c = context();
    c.viewport[0] = x, c.viewport[1] = y, c.viewport[2] = width, c.viewport[3] = height;
    gl.Viewport(x, y, width, height);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    float* c = context().clearColour;
    c[0] = red, c[1] = green, c[2] = blue, c[3] = alpha;
}

void glClear(GLbitfield mask) {
    if (mask & ~(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)) return raise(GL_INVALID_VALUE);
    const Context& c = context();
    // GL clears the depth buffer only where the depth mask lets it write.
    prepareEsClear(c.depthMask);
    gl.ClearColor(c.clearColour[0], c.clearColour[1], c.clearColour[2], c.clearColour[3]);
    gl.Clear(mask);
}

void glReadBuffer(GLenum mode) {
    // ES reads the framebuffer it draws to: the back buffer, the only one the drawing reads.
    if (mode != GL_BACK) raise(GL_INVALID_ENUM);
}

void glPixelStorei(GLenum pname, GLint param) {
    if (param != 1 && param != 2 && param != 4 && param != 8) return raise(GL_INVALID_VALUE);
    Context& c = context();
    if (pname == GL_PACK_ALIGNMENT)
        c.packAlignment = param;
    else if (pname == GL_UNPACK_ALIGNMENT)
        c.unpackAlignment = param;
    else
        raise(GL_INVALID_ENUM);
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) {
    if (width < 0 || height < 0) return raise(GL_INVALID_VALUE);
    if ((format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE) return raise(GL_INVALID_ENUM);
    flushBatch();
    // ES 2.0 promises only RGBA bytes; the rows are packed here as GL's pack alignment asks.
    static std::vector<unsigned char> rgba;
    rgba.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
    gl.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const size_t channels = format == GL_RGB ? 3 : 4;
    const size_t alignment = static_cast<size_t>(context().packAlignment);
    const size_t rowBytes = (static_cast<size_t>(width) * channels + alignment - 1) / alignment * alignment;
    auto* out = static_cast<unsigned char*>(pixels);
    for (GLsizei row = 0; row < height; ++row)
        for (GLsizei column = 0; column < width; ++column) {
            const unsigned char* from =
                &rgba[(static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)) * 4];
            std::memcpy(out + static_cast<size_t>(row) * rowBytes + static_cast<size_t>(column) * channels, from,
                        channels);
        }
}

void glFlush() {
    flushBatch();
    gl.Flush();
}

void glFinish() {
    flushBatch();
    gl.Finish();
}
