# platform.cmake -- the Linux build: X11 and GLX beneath freeglut, SDL2_mixer for the cues, ffmpeg for
# recordings, and the Debian package; every library from Debian's packages.
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(GLUT REQUIRED)
find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_mixer REQUIRED CONFIG)
find_package(X11 REQUIRED)
# Debian's libglm-dev, header-only: the matrices of the plant's layout.
find_package(glm REQUIRED CONFIG)
# Debian's libstb-dev: stb_image_write for screenshots, and its compiled copy, which the texture
# generator links too.
find_path(STB_INCLUDE_DIR stb/stb_image_write.h REQUIRED)
find_library(STB_LIBRARY stb REQUIRED)

set(GLINTMERE_PLATFORM_LIBRARIES OpenGL::GLX OpenGL::GL X11::X11 SDL2::SDL2 SDL2_mixer::SDL2_mixer ${STB_LIBRARY})

macro(glintmere_platform_finish)
  include(${GLINTMERE_PLATFORM_DIR}/package.cmake)
  include(${GLINTMERE_PLATFORM_DIR}/install.cmake)
endmacro()
