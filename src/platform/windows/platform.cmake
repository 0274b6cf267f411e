# platform.cmake -- the Windows build, cross-built with MinGW-w64 (the windows preset, toolchain.cmake
# beside this file): the system's opengl32, glu32 and winmm, a static freeglut built from Debian's
# source package (scripts/windows-deps.sh), and the zip and the installer.
find_package(OpenGL REQUIRED)
# freeglut linked in: its header then declares the calls without dllimport.
find_package(GLUT REQUIRED)
add_compile_definitions(FREEGLUT_STATIC)
# Only system DLLs beside the exe: the C++ runtime, winpthreads and freeglut are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)
# Debian's libglm-dev, header-only. Its package file would put all of /usr/include before a cross
# compiler, so only the headers' own folder is taken (scripts/windows-deps.sh links it into the prefix).
find_path(GLM_INCLUDE_DIR glm/glm.hpp REQUIRED)
add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm INTERFACE ${GLM_INCLUDE_DIR})
# Debian's libstb-dev header; its compiled copy is not built for MinGW, so stb_image_write.cpp here
# compiles the implementation.
find_path(STB_INCLUDE_DIR stb/stb_image_write.h REQUIRED)

set(GLINTMERE_PLATFORM_LIBRARIES OpenGL::GL winmm gdi32 user32 shell32)

macro(glintmere_platform_finish)
  # The zip and the installer (make windows).
  include(${GLINTMERE_PLATFORM_DIR}/package.cmake)
endmacro()
