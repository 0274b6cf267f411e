// es_shapes_estest.cpp -- the layer's GLU quadrics and GLUT shapes send the vertices, normals and texture
// coordinates the system's GLU and freeglut send (written by shapes_reference.cpp), in the same
// primitives and order, to the bit.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "es/es_context.h"
#include "es/es_shapes.h"
#include "gl/es/display_lists_testing.h"

namespace {

// Each shape's description in the reference file, by name.
std::map<std::string, std::string> referenceShapes() {
    std::ifstream in(GLINTMERE_ES_SHAPES_FILE);
    std::map<std::string, std::string> shapes;
    std::string line, name;
    while (std::getline(in, line)) {
        if (line.rfind("shape ", 0) == 0)
            name = line.substr(6);
        else
            shapes[name] += line + "\n";
    }
    return shapes;
}

// The first line where two descriptions part, for the failure message.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected), b(actual);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool more = static_cast<bool>(std::getline(a, x)), moreToo = static_cast<bool>(std::getline(b, y));
        if (!more && !moreToo) return "none";
        if (x != y) return "line " + std::to_string(line) + ": system \"" + x + "\", layer \"" + y + "\"";
    }
}

TEST(EsShapes, AreVertexForVertexTheSystemsGluAndFreeglut) {
    static bool opened = false;
    if (!opened) openEsPbuffer(64, 64), opened = true;
    const auto expected = referenceShapes();
    ASSERT_EQ(expected.size(), esShapes().size()) << "no reference shapes in " << GLINTMERE_ES_SHAPES_FILE;
    GLUquadric* quadric = gluNewQuadric();
    for (const EsShape& shape : esShapes()) {
        SCOPED_TRACE(shape.name);
        gluQuadricTexture(quadric, shape.textured ? GL_TRUE : GL_FALSE);
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        shape.make(quadric);
        glEndList();
        const std::string actual = describeList(list);
        const std::string& wanted = expected.at(shape.name);
        EXPECT_FALSE(wanted.empty());
        EXPECT_TRUE(actual == wanted) << "first difference at " << firstDifference(wanted, actual);
    }
    gluDeleteQuadric(quadric);
}

}  // namespace
