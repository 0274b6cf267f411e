# es_layer.cmake -- the layer that runs the drawing on OpenGL ES 2.0 (glintmere_es, src/gl/es), and the
# program's drawing built against it instead of GL, GLU and GLUT (glintmere_draw_es). Included by the top
# CMakeLists.txt once the drawing's sources are known. Built where Mesa's ES proves it, on Linux, and for the
# browser (Emscripten), whose platform fills its table with WebGL's calls.
if(NOT CMAKE_SYSTEM_NAME MATCHES "^(Linux|Emscripten)$")
  return()
endif()

file(GLOB GLINTMERE_ES_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_library(glintmere_es STATIC ${GLINTMERE_ES_SOURCES})
target_include_directories(glintmere_es PUBLIC ${PROJECT_SOURCE_DIR}/src)
# Mesa rounds every product and sum on its own; a fused multiply-add would place vertices a bit apart.
target_compile_options(glintmere_es PRIVATE -ffp-contract=off)
# The CPU lighting's loops are written for the vectorizer: each lane is the same float sums and
# products a scalar loop would make (no fusing, no reordering), only several vertices at a time.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/face_lighting.cpp PROPERTIES COMPILE_OPTIONS
  "-O3;-fno-math-errno")
target_link_libraries(glintmere_es PRIVATE glintmere_warnings)

# The very sources of glintmere_draw, without a platform: whoever links it gives the drawing the current
# context (platformCurrentGlContext) and the swap.
add_library(glintmere_draw_es STATIC ${GLINTMERE_DRAW_SOURCES})
target_link_libraries(glintmere_draw_es PUBLIC glintmere_logic glintmere_es PRIVATE glintmere_warnings)
