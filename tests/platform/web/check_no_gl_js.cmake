# check_no_gl_js.cmake -- fails when the JavaScript of SCRIPT, a program built for node, holds WebGL, GLUT or
# Web Audio code: the logic links nothing that draws or sounds, and Emscripten brings in the JavaScript of
# every library call a program makes.
file(READ ${SCRIPT} code)
string(REGEX MATCHALL "GLctx|_glut[A-Z][A-Za-z]*|_pageGlut[A-Z][A-Za-z]*|AudioContext|_emscripten_gl[A-Z][A-Za-z]*" found "${code}")
if(found)
  list(REMOVE_DUPLICATES found)
  list(JOIN found ", " shown)
  message(FATAL_ERROR "the logic test program's JavaScript holds ${shown}")
endif()
