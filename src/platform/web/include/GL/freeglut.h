// freeglut.h -- the GLUT the shell and the drawing call, in the browser: GLUT's standard calls as Emscripten
// declares them, and the one freeglut call the program adds, defined over the page by glut_page.cpp.
//
// Emscripten ships GLUT's standard header but no freeglut.h. The calls the program makes are defined by
// this folder (glut_page.cpp and glut_page.js), not by Emscripten's own GLUT, which has no menus; the
// solid and wire shapes come from the GL ES 2 layer.
#pragma once

#include <GL/glut.h>

#ifdef __cplusplus
extern "C" {
#endif

// As freeglut declares it: a GL call of the current context by name, or null.
typedef void (*GLUTproc)(void);
GLUTproc glutGetProcAddress(const char* procName);

#ifdef __cplusplus
}
#endif
