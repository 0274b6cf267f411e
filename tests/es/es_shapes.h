// es_shapes.h -- the shapes the drawing has GLU and GLUT make, with the sizes it makes them at: the ES
// layer's own must send the same vertices as the system's GLU and freeglut, float for float.
#pragma once

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <vector>

struct EsShape {
    const char* name;
    void (*make)(GLUquadric* quadric);  // the quadric makes texture coordinates when `textured` says so
    bool textured;
};

inline const std::vector<EsShape>& esShapes() {
    static const std::vector<EsShape> shapes = {
        {"bulb", [](GLUquadric* q) { gluSphere(q, 0.2, 20, 20); }, false},
        {"bulb_textured", [](GLUquadric* q) { gluSphere(q, 0.2, 20, 20); }, true},
        {"small_pebble", [](GLUquadric* q) { gluSphere(q, 1.0, 20, 20); }, true},
        {"large_pebble", [](GLUquadric* q) { gluSphere(q, 1.5, 20, 20); }, true},
        {"fish_disc", [](GLUquadric* q) { gluSphere(q, 2.0, 20, 20); }, false},
        {"ceiling_rose", [](GLUquadric* q) { gluCylinder(q, 0.18, 0.2, 0.1, 10, 5); }, true},
        {"ceiling_rose_plain", [](GLUquadric* q) { gluCylinder(q, 0.18, 0.2, 0.1, 10, 5); }, false},
        {"lamp_rod", [](GLUquadric* q) { gluCylinder(q, 0.05, 0.05, 0.8, 10, 5); }, true},
        {"rose_disk", [](GLUquadric* q) { gluDisk(q, 0, 0.18, 10, 3); }, true},
        {"rose_disk_plain", [](GLUquadric* q) { gluDisk(q, 0, 0.18, 10, 3); }, false},
        {"fish_eye", [](GLUquadric*) { glutSolidSphere(0.18, 15, 15); }, false},
        {"worm_body", [](GLUquadric*) { glutSolidSphere(1.0, 15, 15); }, false},
        {"unit_cube", [](GLUquadric*) { glutSolidCube(1.0); }, false},
        {"wire_cube", [](GLUquadric*) { glutWireCube(1.0); }, false},
    };
    return shapes;
}
