// state.cpp -- the layer's context record, its start, the switches and simple state, the queries and
// the attribute stack.
#include <cstring>
#include <string>

#include "gl/es/batch.h"
#include "gl/es/context.h"
#include "gl/es/es_calls.h"
#include "gl/es/es_faults_testing.h"
#include "gl/es/immediate.h"
#include "gl/es/lighting_program.h"

namespace es {

namespace {

// What the layer keeps beside the GL state: the planted fault and the strings it hands out.
struct Layer {
    EsLayerFault fault = EsLayerFault::None;
    std::string version, renderer;
};
Layer layerState;

Layer& layer() {
    return layerState;
}

bool* switchFor(GLenum cap) {
    Context& c = context();
    switch (cap) {
        case GL_LIGHTING:
            return &c.lighting.lighting;
        case GL_COLOR_MATERIAL:
            return &c.lighting.colorMaterial;
        case GL_NORMALIZE:
            return &c.normalize;
        case GL_CULL_FACE:
            return &c.cullFace;
        case GL_DEPTH_TEST:
            return &c.depthTest;
        case GL_TEXTURE_2D:
            return &c.texture2D;
        case GL_BLEND:
            return &c.blend;
        default:
            break;
    }
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + maxLights) return &c.lighting.lights[cap - GL_LIGHT0].enabled;
    return nullptr;
}

void setSwitch(GLenum cap, bool on) {
    bool* value = switchFor(cap);
    if (value == nullptr) return raise(GL_INVALID_ENUM);
    // Blending is only ever switched off; the layer draws without it.
    if (cap == GL_BLEND && on) return raise(GL_INVALID_OPERATION);
    if (*value == on) return;
    *value = on;
    if (cap == GL_COLOR_MATERIAL && on) trackCurrentColour();
    drawStateChanged();
}

// A value glGet hands out, or none for a name the layer does not answer.
int queryValues(GLenum pname, double* out) {
    const Context& c = context();
    switch (pname) {
        case GL_RENDER_MODE:
            out[0] = GL_RENDER;
            return 1;
        case GL_MAX_TEXTURE_SIZE:
            out[0] = c.maxTextureSize;
            return 1;
        case GL_UNPACK_ALIGNMENT:
            out[0] = c.unpackAlignment;
            return 1;
        case GL_PACK_ALIGNMENT:
            out[0] = c.packAlignment;
            return 1;
        case GL_MATRIX_MODE:
            out[0] = c.matrixMode;
            return 1;
        case GL_MODELVIEW_STACK_DEPTH:
            out[0] = c.modelView.depth();
            return 1;
        case GL_TEXTURE_BINDING_2D:
            out[0] = c.boundTexture;
            return 1;
        case GL_VIEWPORT:
            for (int k = 0; k < 4; ++k) out[k] = c.viewport[k];
            return 4;
        case GL_CURRENT_COLOR:
            for (int k = 0; k < 4; ++k) out[k] = c.current.colour[k];
            return 4;
        case GL_CURRENT_NORMAL:
            for (int k = 0; k < 3; ++k) out[k] = c.current.normal[k];
            return 3;
        case GL_MODELVIEW_MATRIX:
        case GL_PROJECTION_MATRIX: {
            const Matrix& m = pname == GL_MODELVIEW_MATRIX ? c.modelView.top() : c.projection.top();
            for (int k = 0; k < 16; ++k) out[k] = m.m[k];
            return 16;
        }
        default:
            return 0;
    }
}

}  // namespace

Context glContext;

void raise(GLenum error) {
    if (context().error == GL_NO_ERROR) context().error = error;
}

EsLayerFault plantedFault() {
    return layer().fault;
}

}  // namespace es

using namespace es;

bool startEsLayer(EsLookUp lookUp, const char** missing) {
    if (!loadCalls(lookUp, missing)) return false;
    Layer& l = layer();
    glContext = Context{};
    Context& c = glContext;
    // GL's first light is white; the others start black.
    for (int k = 0; k < 4; ++k) c.lighting.lights[0].diffuse[k] = c.lighting.lights[0].specular[k] = 1;
    gl.GetIntegerv(GL_MAX_TEXTURE_SIZE, &c.maxTextureSize);
    gl.GetIntegerv(GL_VIEWPORT, c.viewport);
    auto text = [](GLenum name) {
        const GLubyte* s = gl.GetString(name);
        return s ? std::string(reinterpret_cast<const char*>(s)) : std::string("unknown");
    };
    // The drawing reads the version to decide whether it has buffer objects: it has, from the layer.
    l.version = "1.5 Glintmere ES layer on " + text(GL_VERSION);
    l.renderer = text(GL_RENDERER);
    forgetPrograms();
    startBatches();
    return true;
}

void flushEsLayer() {
    flushBatch();
}

void plantEsLayerFault(EsLayerFault fault) {
    flushBatch();
    layer().fault = fault;
    forgetPrograms();
    ++context().matrixSerial;
    drawStateChanged();
}

void glEnable(GLenum cap) {
    setSwitch(cap, true);
}

void glDisable(GLenum cap) {
    setSwitch(cap, false);
}

GLboolean glIsEnabled(GLenum cap) {
    const bool* value = switchFor(cap);
    if (value == nullptr) {
        raise(GL_INVALID_ENUM);
        return GL_FALSE;
    }
    return *value ? GL_TRUE : GL_FALSE;
}

void glShadeModel(GLenum mode) {
    if (mode != GL_FLAT && mode != GL_SMOOTH) return raise(GL_INVALID_ENUM);
    if (context().lighting.shadeModel == mode) return;
    context().lighting.shadeModel = mode;
    drawStateChanged();
}

void glPolygonMode(GLenum face, GLenum mode) {
    // Points for faces are not a mode the drawing uses.
    if (mode != GL_FILL && mode != GL_LINE) return raise(GL_INVALID_ENUM);
    Context& c = context();
    if (face == GL_FRONT || face == GL_FRONT_AND_BACK) c.polygonMode[0] = mode;
    if (face == GL_BACK || face == GL_FRONT_AND_BACK) c.polygonMode[1] = mode;
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) raise(GL_INVALID_ENUM);
}

void glCullFace(GLenum mode) {
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_AND_BACK) return raise(GL_INVALID_ENUM);
    context().cullFaceMode = mode;
    drawStateChanged();
}

void glDepthMask(GLboolean flag) {
    context().depthMask = flag != GL_FALSE;
    drawStateChanged();
}

void glLineWidth(GLfloat width) {
    if (width <= 0) return raise(GL_INVALID_VALUE);
    context().lineWidth = width;
    drawStateChanged();
}

void glPointSize(GLfloat size) {
    if (size <= 0) return raise(GL_INVALID_VALUE);
    context().pointSize = size;
    drawStateChanged();
}

void glGetIntegerv(GLenum pname, GLint* params) {
    double values[16];
    const int n = queryValues(pname, values);
    if (n == 0) return raise(GL_INVALID_ENUM);
    for (int k = 0; k < n; ++k) params[k] = static_cast<GLint>(values[k]);
}

void glGetFloatv(GLenum pname, GLfloat* params) {
    double values[16];
    const int n = queryValues(pname, values);
    if (n == 0) return raise(GL_INVALID_ENUM);
    for (int k = 0; k < n; ++k) params[k] = static_cast<GLfloat>(values[k]);
}

const GLubyte* glGetString(GLenum name) {
    const Layer& l = layer();
    const char* text = nullptr;
    switch (name) {
        case GL_VERSION:
            text = l.version.c_str();
            break;
        case GL_RENDERER:
            text = l.renderer.c_str();
            break;
        case GL_VENDOR:
            text = "Glintmere";
            break;
        case GL_EXTENSIONS:
            text = "";
            break;
        default:
            raise(GL_INVALID_ENUM);
            return nullptr;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

GLenum glGetError() {
    Context& c = context();
    GLenum error = c.error;
    c.error = GL_NO_ERROR;
    if (error != GL_NO_ERROR) return error;
    // What ES itself refused is the layer's fault, and shows the same way.
    if (gl.GetError == nullptr) return GL_NO_ERROR;
    flushBatch();
    return gl.GetError();
}

void glPushAttrib(GLbitfield mask) {
    // The lighting group is the one the drawing saves (around the ceiling lamp).
    if (mask != GL_LIGHTING_BIT) return raise(GL_INVALID_ENUM);
    Context& c = context();
    if (c.attribStack.size() >= 16) return raise(GL_STACK_OVERFLOW);
    c.attribStack.push_back(c.lighting);
}

void glPopAttrib() {
    Context& c = context();
    if (c.attribStack.empty()) return raise(GL_STACK_UNDERFLOW);
    c.lighting = c.attribStack.back();
    c.attribStack.pop_back();
    drawStateChanged();
}
