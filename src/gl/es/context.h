// context.h -- the fixed-function state the layer keeps for its GL context, in one record, and the
// errors it raises.
#pragma once

// clang-format off
#include <GL/gl.h>
#include <GL/glext.h>
// clang-format on

#include <map>
#include <vector>

#include "gl/es/matrix.h"

namespace es {

constexpr int maxLights = 8;

struct Light {
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float position[4] = {0, 0, 1, 0};  // in eye space, carried by the model-view matrix when given
    float attenuation[3] = {1, 0, 0};  // constant, linear, quadratic
    bool enabled = false;
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emission[4] = {0, 0, 0, 1};
    float shininess = 0;
};

// Exactly what glPushAttrib(GL_LIGHTING_BIT) saves and glPopAttrib puts back.
struct LightingGroup {
    bool lighting = false;
    Light lights[maxLights];
    float modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    Material material[2];  // front, back
    bool colorMaterial = false;
    GLenum colorMaterialFace = GL_FRONT_AND_BACK;
    GLenum colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;
    GLenum shadeModel = GL_SMOOTH;
};

// The values a vertex takes when it gives none of its own.
struct CurrentValues {
    float colour[4] = {1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    float texCoord[2] = {0, 0};
};

// One client array as glVertexPointer and its kin set it: from memory, or from a buffer at an offset.
struct ClientArray {
    bool enabled = false;
    int size = 4;
    GLsizei stride = 0;
    const void* pointer = nullptr;
    GLuint buffer = 0;  // the buffer bound to GL_ARRAY_BUFFER when the pointer was set
};

struct Texture {
    GLsizei width = 0, height = 0;  // of level 0; zero until an image is given
    bool minFilterFine = false;     // a minifying filter that needs no mipmaps, so level 0 suffices
    bool complete() const { return width > 0 && minFilterFine; }
};

struct Context {
    GLenum error = GL_NO_ERROR;

    MatrixStack modelView{32};
    MatrixStack projection{32};
    MatrixStack textureMatrix{10};
    GLenum matrixMode = GL_MODELVIEW;
    unsigned matrixSerial = 1;  // changes with either matrix, so derived matrices know when to refresh

    LightingGroup lighting;
    std::vector<LightingGroup> attribStack;
    CurrentValues current;

    bool normalize = false;
    bool cullFace = false;
    GLenum cullFaceMode = GL_BACK;
    bool depthTest = false;
    bool depthMask = true;
    bool blend = false;
    bool texture2D = false;
    GLenum polygonMode[2] = {GL_FILL, GL_FILL};  // front, back
    float lineWidth = 1;
    float pointSize = 1;
    float clearColour[4] = {0, 0, 0, 0};
    GLint viewport[4] = {0, 0, 0, 0};
    GLint packAlignment = 4, unpackAlignment = 4;

    GLuint boundTexture = 0;
    std::map<GLuint, Texture> textures;
    GLsizei proxyWidth = 0, proxyHeight = 0;  // what the last GL_PROXY_TEXTURE_2D image would have been

    ClientArray vertexArray, colourArray, normalArray, texCoordArray;
    GLuint arrayBuffer = 0, elementBuffer = 0;
    std::map<GLuint, std::vector<unsigned char>> buffers;  // the layer keeps buffer contents on the CPU
    GLuint nextBufferName = 1;

    GLint maxTextureSize = 0;  // ES's, asked at start
};

// The layer's one context record; context() is how the layer's files reach it.
extern Context glContext;
inline Context& context() {
    return glContext;
}

// Records `error` unless an earlier one is still unread, as GL keeps only the first.
void raise(GLenum error);

}  // namespace es
