# platform.cmake -- the browser build: Debian's Emscripten compiles the program to WebAssembly, the page's
# canvas is its window (GLUT's calls backed by the page, glut_page.*), WebGL 1 draws through the GL ES 2
# layer, Web Audio plays the cues, and the site (build/<preset>/site) and its zip are made here.
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "The web platform is built with Emscripten: cmake --preset web (make web)")
endif()

# Debian's glm and stb headers, each through a folder of links of its own: the whole of /usr/include
# would put the build machine's C library before Emscripten's.
set(GLINTMERE_WEB_HEADERS ${CMAKE_BINARY_DIR}/debian-headers)
file(MAKE_DIRECTORY ${GLINTMERE_WEB_HEADERS})
foreach(folder glm stb)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps.sh web")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${GLINTMERE_WEB_HEADERS}/${folder} SYMBOLIC)
endforeach()
add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm INTERFACE ${GLINTMERE_WEB_HEADERS})
# stb_image_write.cpp in this folder compiles the writer (--screenshot writes into the page's memory).
set(STB_INCLUDE_DIR ${GLINTMERE_WEB_HEADERS})

# GoogleTest from Debian's source (tests/CMakeLists.txt), built without threads, which the logic tests
# under node do not have.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)

# The page's side of the platform: GL/freeglut.h in include/ (Emscripten ships no freeglut header) declares
# the GLUT calls glut_page.cpp defines over the page, and the two JavaScript libraries, glut_page.js (window,
# input, timers, menus, frame loop) and cue_webaudio.js (the cues), are linked into every program that uses it.
add_library(glintmere_web_page INTERFACE)
target_include_directories(glintmere_web_page INTERFACE ${GLINTMERE_PLATFORM_DIR}/include)
foreach(library glut_page.js cue_webaudio.js)
  target_link_options(glintmere_web_page INTERFACE "SHELL:--js-library ${GLINTMERE_PLATFORM_DIR}/${library}")
  set_property(TARGET glintmere_web_page APPEND PROPERTY INTERFACE_LINK_DEPENDS ${GLINTMERE_PLATFORM_DIR}/${library})
endforeach()

# GLUT, GL and GLU: the page's GLUT, and the GL ES 2 layer (glintmere_es, src/gl/es/es_layer.cmake), which
# defines GL, GLU and GLUT's shapes over a table of WebGL calls that gl_context_webgl.cpp fills.
add_library(GLUT::GLUT INTERFACE IMPORTED)
set_property(TARGET GLUT::GLUT PROPERTY INTERFACE_LINK_LIBRARIES glintmere_web_page)
add_library(OpenGL::GL INTERFACE IMPORTED)
set_property(TARGET OpenGL::GL PROPERTY INTERFACE_LINK_LIBRARIES glintmere_es)
add_library(OpenGL::GLU INTERFACE IMPORTED)

set(GLINTMERE_PLATFORM_LIBRARIES glintmere_web_page glintmere_es)

# The page's own files, beside the program in the site.
set(GLINTMERE_WEB_PAGE_FILES index.html page.css page.js)
list(TRANSFORM GLINTMERE_WEB_PAGE_FILES PREPEND ${GLINTMERE_PLATFORM_DIR}/site/)

macro(glintmere_platform_finish)
  include(${GLINTMERE_PLATFORM_DIR}/site.cmake)
  # The layer's GLUT shapes are declared by the page's GLUT header.
  target_include_directories(glintmere_es PRIVATE ${GLINTMERE_PLATFORM_DIR}/include)
  # The drawing built a second time against the layer is for the native tests of the layer; the browser's
  # drawing is glintmere_draw itself.
  if(TARGET glintmere_draw_es)
    set_target_properties(glintmere_draw_es PROPERTIES EXCLUDE_FROM_ALL TRUE)
  endif()
endmacro()
