// arrays.cpp -- client arrays, buffer objects kept on the CPU, and glDrawArrays and glDrawElements.
//
// The layer places every vertex on the CPU, so a buffer's contents are only ever read there: a buffer
// object is a block of memory that glBufferData and glBufferSubData fill.
#define GL_GLEXT_PROTOTYPES 1
#include "gl/es/arrays.h"

#include <algorithm>
#include <cstring>

#include "gl/es/context.h"
#include "gl/es/display_lists.h"
#include "gl/es/immediate.h"
#include "gl/es/primitives.h"

namespace es {

namespace {

ClientArray* arrayFor(GLenum array) {
    Context& c = context();
    switch (array) {
        case GL_VERTEX_ARRAY:
            return &c.vertexArray;
        case GL_COLOR_ARRAY:
            return &c.colourArray;
        case GL_NORMAL_ARRAY:
            return &c.normalArray;
        case GL_TEXTURE_COORD_ARRAY:
            return &c.texCoordArray;
        default:
            return nullptr;
    }
}

void setPointer(ClientArray& array, int size, GLenum type, GLsizei stride, const void* pointer) {
    // The drawing's arrays are all float.
    if (type != GL_FLOAT) return raise(GL_INVALID_ENUM);
    if (stride < 0) return raise(GL_INVALID_VALUE);
    array.size = size;
    array.stride = stride;
    array.pointer = pointer;
    array.buffer = context().arrayBuffer;
}

// An enabled array resolved for one draw: where its elements start and how far apart they lie.
struct Elements {
    const unsigned char* base = nullptr;
    std::size_t stride = 0;
    int size = 0;
    const float* at(std::size_t i) const { return reinterpret_cast<const float*>(base + i * stride); }
};

// `array` as one draw reads it: from the buffer it was set from, or from client memory; none when the
// array is off (or names a buffer that is gone).
Elements resolve(const ClientArray& array) {
    Elements e;
    if (!array.enabled) return e;
    const Context& c = context();
    e.base = static_cast<const unsigned char*>(array.pointer);
    if (array.buffer != 0) {
        const auto found = c.buffers.find(array.buffer);
        if (found == c.buffers.end()) return Elements{};
        e.base = found->second.data() + reinterpret_cast<std::uintptr_t>(array.pointer);
    }
    e.size = array.size;
    e.stride = array.stride != 0 ? static_cast<std::size_t>(array.stride)
                                 : static_cast<std::size_t>(array.size) * sizeof(float);
    return e;
}

// The enabled arrays of the draw at hand.
struct DrawArrays {
    Elements position, colour, normal, texCoord;
    DrawArrays() {
        const Context& c = context();
        position = resolve(c.vertexArray);
        colour = resolve(c.colourArray);
        normal = resolve(c.normalArray);
        texCoord = resolve(c.texCoordArray);
    }
};

// Element `i` of the enabled arrays as a vertex; what no array gives comes from the current values.
SourceVertex vertexAt(const DrawArrays& arrays, std::size_t i) {
    const CurrentValues& current = context().current;
    SourceVertex v;
    const float* p = arrays.position.at(i);
    const int size = arrays.position.size;
    v.position[0] = p[0], v.position[1] = p[1];
    v.position[2] = size > 2 ? p[2] : 0;
    v.position[3] = size > 3 ? p[3] : 1;
    if (arrays.colour.base != nullptr) {
        const float* col = arrays.colour.at(i);
        for (int k = 0; k < 3; ++k) v.colour[k] = col[k];
        v.colour[3] = arrays.colour.size > 3 ? col[3] : 1;
    } else {
        std::memcpy(v.colour, current.colour, sizeof v.colour);
    }
    std::memcpy(v.normal, arrays.normal.base != nullptr ? arrays.normal.at(i) : current.normal, sizeof v.normal);
    std::memcpy(v.texCoord, arrays.texCoord.base != nullptr ? arrays.texCoord.at(i) : current.texCoord,
                sizeof v.texCoord);
    return v;
}

// In a list, an array draw is kept with the values its arrays give now.
void keepElements(GLenum mode, const std::vector<std::uint32_t>& indices) {
    const DrawArrays arrays;
    KeptArrayDraw draw{
        mode, arrays.colour.base != nullptr, arrays.normal.base != nullptr, arrays.texCoord.base != nullptr, {}};
    draw.vertices.reserve(indices.size());
    for (std::uint32_t index : indices) draw.vertices.push_back(vertexAt(arrays, index));
    keepArrayDraw(std::move(draw));
}

// Draws the elements `indices` names; each vertex is placed once however often it is named.
void drawElements(GLenum mode, const std::vector<std::uint32_t>& indices) {
    if (!validPrimitiveMode(mode)) return raise(GL_INVALID_ENUM);
    if (indices.empty()) return;
    if (compilingList()) return keepElements(mode, indices);
    const DrawArrays arrays;
    if (arrays.position.base == nullptr) return;
    const auto [low, high] = std::minmax_element(indices.begin(), indices.end());
    static std::vector<SourceVertex> vertices;
    static std::vector<std::uint32_t> relative;
    vertices.clear();
    for (std::uint32_t i = *low; i <= *high; ++i) vertices.push_back(vertexAt(arrays, i));
    relative.resize(indices.size());
    for (std::size_t k = 0; k < indices.size(); ++k) relative[k] = indices[k] - *low;
    drawPrimitives(mode, vertices, &relative, Origin::Arrays);
}

}  // namespace

void drawArrayElements(GLenum mode, const float* positions, const float* normals, const float* texCoords,
                       const std::vector<std::uint32_t>& indices) {
    Context& c = context();
    const ClientArray saved[4] = {c.vertexArray, c.normalArray, c.texCoordArray, c.colourArray};
    const GLuint savedBuffer = c.arrayBuffer;
    c.arrayBuffer = 0;
    c.vertexArray = ClientArray{true, 3, 0, positions, 0};
    c.normalArray = ClientArray{normals != nullptr, 3, 0, normals, 0};
    c.texCoordArray = ClientArray{texCoords != nullptr, 2, 0, texCoords, 0};
    c.colourArray.enabled = false;
    drawElements(mode, indices);
    c.vertexArray = saved[0], c.normalArray = saved[1], c.texCoordArray = saved[2], c.colourArray = saved[3];
    c.arrayBuffer = savedBuffer;
}

}  // namespace es

using namespace es;

void glEnableClientState(GLenum array) {
    ClientArray* a = arrayFor(array);
    if (a == nullptr) return raise(GL_INVALID_ENUM);
    a->enabled = true;
}

void glDisableClientState(GLenum array) {
    ClientArray* a = arrayFor(array);
    if (a == nullptr) return raise(GL_INVALID_ENUM);
    a->enabled = false;
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (size < 2 || size > 4) return raise(GL_INVALID_VALUE);
    setPointer(context().vertexArray, size, type, stride, pointer);
}

void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (size != 3 && size != 4) return raise(GL_INVALID_VALUE);
    setPointer(context().colourArray, size, type, stride, pointer);
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    setPointer(context().normalArray, 3, type, stride, pointer);
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    // Only s and t reach a 2D texture; the drawing gives two.
    if (size != 2) return raise(GL_INVALID_VALUE);
    setPointer(context().texCoordArray, size, type, stride, pointer);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    if (first < 0 || count < 0) return raise(GL_INVALID_VALUE);
    static std::vector<std::uint32_t> indices;
    indices.resize(static_cast<std::size_t>(count));
    for (GLsizei i = 0; i < count; ++i) indices[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(first + i);
    drawElements(mode, indices);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    if (count < 0) return raise(GL_INVALID_VALUE);
    const Context& c = context();
    const unsigned char* base = static_cast<const unsigned char*>(indices);
    if (c.elementBuffer != 0) {
        const auto found = c.buffers.find(c.elementBuffer);
        if (found == c.buffers.end()) return raise(GL_INVALID_OPERATION);
        base = found->second.data() + reinterpret_cast<std::uintptr_t>(indices);
    }
    static std::vector<std::uint32_t> list;
    list.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < list.size(); ++i) {
        switch (type) {
            case GL_UNSIGNED_BYTE:
                list[i] = base[i];
                break;
            case GL_UNSIGNED_SHORT: {
                std::uint16_t v;
                std::memcpy(&v, base + i * 2, 2);
                list[i] = v;
                break;
            }
            case GL_UNSIGNED_INT:
                std::memcpy(&list[i], base + i * 4, 4);
                break;
            default:
                return raise(GL_INVALID_ENUM);
        }
    }
    drawElements(mode, list);
}

void glGenBuffers(GLsizei n, GLuint* buffers) {
    if (n < 0) return raise(GL_INVALID_VALUE);
    Context& c = context();
    for (GLsizei i = 0; i < n; ++i) {
        buffers[i] = c.nextBufferName++;
        c.buffers[buffers[i]];
    }
}

void glBindBuffer(GLenum target, GLuint buffer) {
    Context& c = context();
    if (target == GL_ARRAY_BUFFER)
        c.arrayBuffer = buffer;
    else if (target == GL_ELEMENT_ARRAY_BUFFER)
        c.elementBuffer = buffer;
    else
        return raise(GL_INVALID_ENUM);
    if (buffer != 0) c.buffers[buffer];
}

namespace {

std::vector<unsigned char>* boundBuffer(GLenum target) {
    Context& c = context();
    const GLuint name = target == GL_ARRAY_BUFFER           ? c.arrayBuffer
                        : target == GL_ELEMENT_ARRAY_BUFFER ? c.elementBuffer
                                                            : 0;
    if (name == 0) return nullptr;
    return &c.buffers[name];
}

}  // namespace

void glBufferData(GLenum target, GLsizeiptr size, const GLvoid* data, GLenum) {
    std::vector<unsigned char>* buffer = boundBuffer(target);
    if (buffer == nullptr) return raise(GL_INVALID_OPERATION);
    if (size < 0) return raise(GL_INVALID_VALUE);
    buffer->assign(static_cast<std::size_t>(size), 0);
    if (data != nullptr) std::memcpy(buffer->data(), data, static_cast<std::size_t>(size));
}

void glBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const GLvoid* data) {
    std::vector<unsigned char>* buffer = boundBuffer(target);
    if (buffer == nullptr) return raise(GL_INVALID_OPERATION);
    if (offset < 0 || size < 0 || static_cast<std::size_t>(offset + size) > buffer->size())
        return raise(GL_INVALID_VALUE);
    std::memcpy(buffer->data() + offset, data, static_cast<std::size_t>(size));
}
