// batch.cpp -- gathering corners by state and drawing each run with one ES call.
#include "gl/es/batch.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gl/es/context.h"
#include "gl/es/es_calls.h"
#include "gl/es/face_lighting.h"
#include "gl/es/lighting_program.h"

namespace es {

Run run;

namespace {

// Everything a run's draw reads, compared whole; runs in equal states are drawn together.
struct DrawState {
    Kind kind = Kind::Triangles;
    ProgramKey program;
    bool depthTest = false, depthMask = true, esCull = false;
    GLenum cullFace = GL_BACK;
    GLuint texture = 0;
    float lineWidth = 1;
    LightingInputs lit;

    bool operator==(const DrawState& other) const {
        return kind == other.kind && !(program < other.program) && !(other.program < program) &&
               depthTest == other.depthTest && depthMask == other.depthMask && esCull == other.esCull &&
               cullFace == other.cullFace && texture == other.texture && lineWidth == other.lineWidth &&
               std::memcmp(&lit, &other.lit, sizeof lit) == 0;
    }
};

// What the layer last set in ES, so that a draw changes only what differs.
struct EsShadow {
    GLuint program = 0;
    GLuint texture = 0;
    bool depthTest = false, depthMask = true, cull = false;
    GLenum cullFace = GL_BACK;
    float lineWidth = 1;
    bool lightingAttributes = false;
};

// The state of the run being gathered and what the layer last set in ES.
struct Batches {
    DrawState state;          // the run's
    bool hasState = false;    // whether `state` has been worked out at all
    bool stateKnown = false;  // false once some state changed since `state` was worked out
    unsigned stateSerial = 0;
    GLuint vertexBuffer = 0, indexBuffer = 0;
    size_t vertexBufferBytes = 0, indexBufferBytes = 0;  // what ES holds for each
    EsShadow es;
};
Batches batchState;

Batches& batches() {
    return batchState;
}

DrawState currentState(Kind kind, bool cpuCulled) {
    const Context& c = context();
    const LightingGroup& l = c.lighting;
    DrawState s;
    s.kind = kind;
    ProgramKey& p = s.program;
    const auto found = c.textures.find(c.boundTexture);
    const bool textureReady = c.boundTexture != 0 && found != c.textures.end() && found->second.complete();
    p.texturing = c.texture2D && textureReady;
    s.texture = p.texturing ? c.boundTexture : 0;
    if (kind == Kind::Lines) s.lineWidth = c.lineWidth;
    s.depthTest = c.depthTest;
    s.depthMask = c.depthMask;
    s.esCull = kind == Kind::Triangles && !cpuCulled && c.cullFace;
    if (s.esCull) s.cullFace = c.cullFaceMode;
    // Flat faces come lit from the CPU (face_lighting.h): their program only carries the colour.
    if (l.lighting && l.shadeModel != GL_FLAT) readLighting(l, c.normalize, p, s.lit);
    return s;
}

void setUniforms(const Program& p, const DrawState& s) {
    if (p.texture >= 0) gl.Uniform1i(p.texture, 0);
    if (!s.program.lighting) return;
    const LightingInputs& lit = s.lit;
    if (p.lightPosition >= 0) gl.Uniform3fv(p.lightPosition, maxLights, &lit.lightPosition[0][0]);
    if (p.lightAmbient >= 0) gl.Uniform3fv(p.lightAmbient, maxLights, &lit.lightAmbient[0][0]);
    if (p.lightDiffuse >= 0) gl.Uniform3fv(p.lightDiffuse, maxLights, &lit.lightDiffuse[0][0]);
    if (p.specularProduct >= 0) gl.Uniform3fv(p.specularProduct, maxLights, &lit.specularProduct[0][0]);
    if (p.attenuation >= 0) gl.Uniform3fv(p.attenuation, maxLights, &lit.attenuation[0][0]);
    if (p.modelAmbient >= 0) gl.Uniform3fv(p.modelAmbient, 1, lit.modelAmbient);
    if (p.emission >= 0) gl.Uniform3fv(p.emission, 1, lit.emission);
    if (p.sceneColour >= 0) gl.Uniform3fv(p.sceneColour, 1, lit.sceneColour);
    if (p.diffuseAlpha >= 0) gl.Uniform1f(p.diffuseAlpha, lit.diffuseAlpha);
    if (p.shininess >= 0) gl.Uniform1f(p.shininess, lit.shininess);
}

void setCapability(GLenum cap, bool on, bool& shadow) {
    if (on == shadow) return;
    (on ? gl.Enable : gl.Disable)(cap);
    shadow = on;
}

void applyState(const DrawState& s) {
    Batches& b = batches();
    EsShadow& es = b.es;
    const Program& p = programFor(s.program);
    if (es.program != p.id) {
        gl.UseProgram(p.id);
        es.program = p.id;
    }
    setUniforms(p, s);
    if (s.program.texturing && es.texture != s.texture) {
        gl.BindTexture(GL_TEXTURE_2D, s.texture);
        es.texture = s.texture;
    }
    setCapability(GL_DEPTH_TEST, s.depthTest, es.depthTest);
    if (es.depthMask != s.depthMask) {
        gl.DepthMask(s.depthMask ? GL_TRUE : GL_FALSE);
        es.depthMask = s.depthMask;
    }
    setCapability(GL_CULL_FACE, s.esCull, es.cull);
    if (s.esCull && es.cullFace != s.cullFace) {
        gl.CullFace(s.cullFace);
        es.cullFace = s.cullFace;
    }
    if (s.kind == Kind::Lines && es.lineWidth != s.lineWidth) {
        gl.LineWidth(s.lineWidth);
        es.lineWidth = s.lineWidth;
    }
    const bool lit = s.program.lighting;
    if (es.lightingAttributes != lit) {
        (lit ? gl.EnableVertexAttribArray : gl.DisableVertexAttribArray)(EyeAttribute);
        (lit ? gl.EnableVertexAttribArray : gl.DisableVertexAttribArray)(NormalAttribute);
        es.lightingAttributes = lit;
    }
}

GLenum esMode(Kind kind) {
    return kind == Kind::Lines ? GL_LINES : GL_TRIANGLES;
}

}  // namespace

void startBatches() {
    Batches& b = batches();
    b = Batches{};
    run.used = run.vertexCount = run.indexCount = 0;
    ++run.generation;
    gl.GenBuffers(1, &b.vertexBuffer);
    gl.GenBuffers(1, &b.indexBuffer);
    gl.BindBuffer(GL_ARRAY_BUFFER, b.vertexBuffer);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indexBuffer);
    for (GLuint a : {ClipAttribute, ColourAttribute, TexCoordAttribute}) gl.EnableVertexAttribArray(a);
    gl.Disable(GL_DEPTH_TEST);
    gl.Disable(GL_CULL_FACE);
    gl.DepthMask(GL_TRUE);
    gl.LineWidth(1);
}

void drawStateChanged() {
    batches().stateKnown = false;
    ++batches().stateSerial;
}

unsigned drawStateSerial() {
    return batches().stateSerial;
}

void beginRun(Kind kind, bool cpuCulled) {
    Batches& b = batches();
    if (b.stateKnown && b.state.kind == kind &&
        b.state.esCull == (kind == Kind::Triangles && !cpuCulled && context().cullFace))
        return;
    DrawState s = currentState(kind, cpuCulled);
    b.stateKnown = true;
    // A change that came back to the run's state, or never touched it, keeps the run going.
    if (b.hasState && s == b.state) return;
    flushBatch();
    b.state = s;
    b.hasState = true;
    run.lit = s.program.lighting;
}

void reserve(size_t vertices, size_t indices) {
    if (run.vertexCount + vertices > Run::maxVertices) flushBatch();
    const size_t floats = run.used + vertices * Run::litFloats;
    if (floats > run.vertices.size()) run.vertices.resize(std::max<size_t>(floats, run.vertices.size() * 2));
    if (run.indexCount + indices > run.indices.size())
        run.indices.resize(std::max<size_t>(run.indexCount + indices, run.indices.size() * 2));
}

// Fills `buffer` in place, and only grows it: a new store for every run would have the driver
// allocate (and the system clear) megabytes a frame. ES has read the vertices once the draw returns.
void fill(GLenum target, size_t& heldBytes, const void* data, size_t bytes) {
    if (bytes > heldBytes) {
        heldBytes = std::max(bytes, heldBytes * 2);
        gl.BufferData(target, static_cast<GLsizeiptr>(heldBytes), nullptr, GL_DYNAMIC_DRAW);
    }
    gl.BufferSubData(target, 0, static_cast<GLsizeiptr>(bytes), data);
}

void flushBatch() {
    Batches& b = batches();
    if (run.indexCount == 0) {
        run.used = run.vertexCount = 0;
        return;
    }
    const DrawState& s = b.state;
    applyState(s);
    const size_t floats = s.program.lighting ? Run::litFloats : Run::plainFloats;
    const GLsizei stride = static_cast<GLsizei>(floats * sizeof(float));
    fill(GL_ARRAY_BUFFER, b.vertexBufferBytes, run.vertices.data(), run.used * sizeof(float));
    fill(GL_ELEMENT_ARRAY_BUFFER, b.indexBufferBytes, run.indices.data(), run.indexCount * sizeof(std::uint16_t));
    auto at = [](int firstFloat) { return reinterpret_cast<const void*>(firstFloat * sizeof(float)); };
    gl.VertexAttribPointer(ClipAttribute, 4, GL_FLOAT, GL_FALSE, stride, at(0));
    gl.VertexAttribPointer(ColourAttribute, 4, GL_FLOAT, GL_FALSE, stride, at(4));
    gl.VertexAttribPointer(TexCoordAttribute, 2, GL_FLOAT, GL_FALSE, stride, at(8));
    if (s.program.lighting) {
        gl.VertexAttribPointer(EyeAttribute, 3, GL_FLOAT, GL_FALSE, stride, at(10));
        gl.VertexAttribPointer(NormalAttribute, 3, GL_FLOAT, GL_FALSE, stride, at(13));
    }
    gl.DrawElements(esMode(s.kind), static_cast<GLsizei>(run.indexCount), GL_UNSIGNED_SHORT, nullptr);
    run.used = run.vertexCount = run.indexCount = 0;
    ++run.generation;
}

}  // namespace es

namespace es {

void bindEsTexture(GLuint name) {
    flushBatch();
    EsShadow& es = batches().es;
    gl.BindTexture(GL_TEXTURE_2D, name);
    es.texture = name;
}

void prepareEsClear(bool depthMask) {
    flushBatch();
    EsShadow& es = batches().es;
    if (es.depthMask != depthMask) {
        gl.DepthMask(depthMask ? GL_TRUE : GL_FALSE);
        es.depthMask = depthMask;
    }
}

}  // namespace es
