// shapes_reference.cpp -- what the system's GLU and freeglut send for each shape the drawing makes, written
// in the form display_lists_testing.h describes a list of the ES layer, to the file named on the command line.
//
// This program defines the GL calls those libraries make, so their calls come here instead of to libGL:
// each vertex is noted with the normal and texture coordinates given it since the shape began (an array
// draw with those its arrays give), as a display list would keep them.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "es/es_shapes.h"

namespace {

struct Recorder {
    std::string out;
    bool open = false;
    std::string vertices;
    int count = 0;
    GLenum mode = 0;
    bool normalSet = false, texCoordSet = false;
    float normal[3] = {}, texCoord[2] = {};
    struct Array {
        bool enabled = false;
        const float* data = nullptr;
    } vertexArray, normalArray, texCoordArray;
};
Recorder rec;

void vertex(const float* p, const float* n, const float* t) {
    char line[256];
    std::snprintf(line, sizeof line, "v %a %a %a", p[0], p[1], p[2]);
    rec.vertices += line;
    if (n != nullptr) {
        std::snprintf(line, sizeof line, " n %a %a %a", n[0], n[1], n[2]);
        rec.vertices += line;
    }
    if (t != nullptr) {
        std::snprintf(line, sizeof line, " t %a %a", t[0], t[1]);
        rec.vertices += line;
    }
    rec.vertices += "\n";
    ++rec.count;
}

void primitive(GLenum mode, int count, const std::string& vertices) {
    rec.out += "primitive " + std::to_string(mode) + " " + std::to_string(count) + "\n" + vertices;
}

Recorder::Array* arrayFor(GLenum array) {
    switch (array) {
        case GL_VERTEX_ARRAY:
            return &rec.vertexArray;
        case GL_NORMAL_ARRAY:
            return &rec.normalArray;
        case GL_TEXTURE_COORD_ARRAY:
            return &rec.texCoordArray;
        default:
            return nullptr;
    }
}

void arrayVertex(GLuint i) {
    const float* n = rec.normalArray.enabled ? rec.normalArray.data + i * 3 : nullptr;
    const float* t = rec.texCoordArray.enabled ? rec.texCoordArray.data + i * 2 : nullptr;
    vertex(rec.vertexArray.data + i * 3, n, t);
}

}  // namespace

void glBegin(GLenum mode) {
    rec.open = true;
    rec.mode = mode;
    rec.vertices.clear();
    rec.count = 0;
}

void glEnd() {
    primitive(rec.mode, rec.count, rec.vertices);
    rec.open = false;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    const float p[3] = {x, y, z};
    vertex(p, rec.normalSet ? rec.normal : nullptr, rec.texCoordSet ? rec.texCoord : nullptr);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    rec.normal[0] = x, rec.normal[1] = y, rec.normal[2] = z;
    rec.normalSet = true;
}

void glTexCoord2f(GLfloat s, GLfloat t) {
    rec.texCoord[0] = s, rec.texCoord[1] = t;
    rec.texCoordSet = true;
}

void glEnableClientState(GLenum array) {
    if (Recorder::Array* a = arrayFor(array)) a->enabled = true;
}

void glDisableClientState(GLenum array) {
    if (Recorder::Array* a = arrayFor(array)) a->enabled = false;
}

// freeglut's arrays are tight floats: three a vertex or normal, two a texture coordinate.
void glVertexPointer(GLint, GLenum, GLsizei, const GLvoid* pointer) {
    rec.vertexArray.data = static_cast<const float*>(pointer);
}

void glNormalPointer(GLenum, GLsizei, const GLvoid* pointer) {
    rec.normalArray.data = static_cast<const float*>(pointer);
}

void glTexCoordPointer(GLint, GLenum, GLsizei, const GLvoid* pointer) {
    rec.texCoordArray.data = static_cast<const float*>(pointer);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    rec.vertices.clear();
    rec.count = 0;
    for (GLsizei i = 0; i < count; ++i) arrayVertex(static_cast<GLuint>(first + i));
    primitive(mode, rec.count, rec.vertices);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    rec.vertices.clear();
    rec.count = 0;
    for (GLsizei i = 0; i < count; ++i) {
        if (type == GL_UNSIGNED_SHORT)
            arrayVertex(static_cast<const GLushort*>(indices)[i]);
        else if (type == GL_UNSIGNED_BYTE)
            arrayVertex(static_cast<const GLubyte*>(indices)[i]);
        else
            arrayVertex(static_cast<const GLuint*>(indices)[i]);
    }
    primitive(mode, rec.count, rec.vertices);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    int glutArgc = 1;
    glutInit(&glutArgc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("shapes");
    GLUquadric* quadric = gluNewQuadric();
    std::error_code noFolder;
    std::filesystem::create_directories(std::filesystem::path(argv[1]).parent_path(), noFolder);
    std::FILE* file = std::fopen(argv[1], "w");
    if (file == nullptr) return 1;
    for (const EsShape& shape : esShapes()) {
        rec.out.clear();
        rec.normalSet = rec.texCoordSet = false;
        gluQuadricTexture(quadric, shape.textured ? GL_TRUE : GL_FALSE);
        shape.make(quadric);
        std::fprintf(file, "shape %s\n%s", shape.name, rec.out.c_str());
    }
    gluDeleteQuadric(quadric);
    return std::fclose(file) == 0 ? 0 : 1;
}
