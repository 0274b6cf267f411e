// immediate.cpp -- glBegin, glVertex, glEnd and GL's current colour, normal and texture coordinates.
#include "gl/es/immediate.h"

#include <vector>

#include "gl/es/batch.h"
#include "gl/es/context.h"
#include "gl/es/display_lists.h"

namespace es {

namespace {

struct Gathering {
    bool inside = false;
    GLenum mode = GL_POINTS;
    std::vector<SourceVertex> vertices;
};

Gathering& gathering() {
    static Gathering kept;
    return kept;
}

}  // namespace

bool insideBeginEnd() {
    return gathering().inside;
}

void beginPrimitive(GLenum mode) {
    Gathering& g = gathering();
    if (g.inside) return raise(GL_INVALID_OPERATION);
    if (!validPrimitiveMode(mode)) return raise(GL_INVALID_ENUM);
    g.inside = true;
    g.mode = mode;
    g.vertices.clear();
}

void endPrimitive(Origin origin) {
    Gathering& g = gathering();
    if (!g.inside) return raise(GL_INVALID_OPERATION);
    g.inside = false;
    drawPrimitives(g.mode, g.vertices, nullptr, origin);
}

void addVertex(float x, float y, float z, float w) {
    Gathering& g = gathering();
    if (!g.inside) return;  // GL leaves a vertex outside glBegin undefined; it draws nothing
    const CurrentValues& current = context().current;
    SourceVertex v;
    v.position[0] = x, v.position[1] = y, v.position[2] = z, v.position[3] = w;
    for (int k = 0; k < 4; ++k) v.colour[k] = current.colour[k];
    for (int k = 0; k < 3; ++k) v.normal[k] = current.normal[k];
    v.texCoord[0] = current.texCoord[0], v.texCoord[1] = current.texCoord[1];
    g.vertices.push_back(v);
}

void trackCurrentColour() {
    LightingGroup& l = context().lighting;
    if (!l.colorMaterial) return;
    const float* colour = context().current.colour;
    for (int face = 0; face < 2; ++face) {
        const bool tracked =
            l.colorMaterialFace == GL_FRONT_AND_BACK || (face == 0) == (l.colorMaterialFace == GL_FRONT);
        if (!tracked) continue;
        Material& m = l.material[face];
        for (int k = 0; k < 4; ++k) {
            if (l.colorMaterialMode == GL_AMBIENT || l.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE)
                m.ambient[k] = colour[k];
            if (l.colorMaterialMode == GL_DIFFUSE || l.colorMaterialMode == GL_AMBIENT_AND_DIFFUSE)
                m.diffuse[k] = colour[k];
        }
    }
}

void setColour(float r, float g, float b, float a) {
    float* c = context().current.colour;
    c[0] = r, c[1] = g, c[2] = b, c[3] = a;
    trackCurrentColour();
}

void setNormal(float x, float y, float z) {
    float* n = context().current.normal;
    n[0] = x, n[1] = y, n[2] = z;
}

void setTexCoord(float s, float t) {
    float* tc = context().current.texCoord;
    tc[0] = s, tc[1] = t;
}

}  // namespace es

using namespace es;

// ---- GL entry points ----

void glBegin(GLenum mode) {
    if (compilingList()) return keep({ListCall::Begin, mode, {}});
    beginPrimitive(mode);
}

void glEnd() {
    if (compilingList()) return keep({ListCall::End, 0, {}});
    endPrimitive(Origin::Immediate);
}

void glVertex2f(GLfloat x, GLfloat y) {
    if (compilingList()) return keep({ListCall::Vertex, 0, {x, y, 0, 1}});
    addVertex(x, y, 0, 1);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (compilingList()) return keep({ListCall::Vertex, 0, {x, y, z, 1}});
    addVertex(x, y, z, 1);
}

void glVertex3fv(const GLfloat* v) {
    glVertex3f(v[0], v[1], v[2]);
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    glColor4f(r, g, b, 1);
}

void glColor3fv(const GLfloat* v) {
    glColor4f(v[0], v[1], v[2], 1);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    if (compilingList()) return keep({ListCall::Colour, 0, {r, g, b, a}});
    setColour(r, g, b, a);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    if (compilingList()) return keep({ListCall::Normal, 0, {x, y, z, 0}});
    setNormal(x, y, z);
}

void glNormal3fv(const GLfloat* v) {
    glNormal3f(v[0], v[1], v[2]);
}

void glTexCoord2f(GLfloat s, GLfloat t) {
    if (compilingList()) return keep({ListCall::TexCoord, 0, {s, t, 0, 1}});
    setTexCoord(s, t);
}
