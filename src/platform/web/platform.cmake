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

# GLUT: the calls the shell makes, defined in glut_page.cpp over the page (glut_page.js); GL/freeglut.h
# in include/ declares them, since Emscripten ships no freeglut header.
add_library(GLUT::GLUT INTERFACE IMPORTED)
target_include_directories(GLUT::GLUT INTERFACE ${GLINTMERE_PLATFORM_DIR}/include)
target_link_options(GLUT::GLUT INTERFACE "SHELL:--js-library ${GLINTMERE_PLATFORM_DIR}/glut_page.js")
set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_LINK_DEPENDS ${GLINTMERE_PLATFORM_DIR}/glut_page.js)

# GL and GLU: the GL ES 2 layer (src/gl/es), whose table of WebGL calls gl_context_webgl.cpp fills.
add_library(OpenGL::GL INTERFACE IMPORTED)
add_library(OpenGL::GLU INTERFACE IMPORTED)

# The cue backend's page half, linked with whatever links the platform.
add_library(glintmere_web_audio INTERFACE)
target_link_options(glintmere_web_audio INTERFACE "SHELL:--js-library ${GLINTMERE_PLATFORM_DIR}/cue_webaudio.js")
set_property(TARGET glintmere_web_audio APPEND PROPERTY INTERFACE_LINK_DEPENDS ${GLINTMERE_PLATFORM_DIR}/cue_webaudio.js)
set(GLINTMERE_PLATFORM_LIBRARIES glintmere_web_audio)

# The page's own files, beside the program in the site.
set(GLINTMERE_WEB_PAGE_FILES index.html page.css page.js)
list(TRANSFORM GLINTMERE_WEB_PAGE_FILES PREPEND ${GLINTMERE_PLATFORM_DIR}/site/)

macro(glintmere_platform_finish)
  include(${GLINTMERE_PLATFORM_DIR}/site.cmake)
endmacro()
