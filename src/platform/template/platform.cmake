# platform.cmake -- the template of a new platform's build: copy this folder to src/platform/<name>,
# then build with -DGLINTMERE_PLATFORM=<name> (or a preset that sets it). This file must provide:
#  - glm::glm: Debian's GLM headers (find_package(glm CONFIG), or find_path and an INTERFACE target in a
#    cross build, whose compiler must not see the rest of /usr/include);
#  - OpenGL::GL, OpenGL::GLU and GLUT::GLUT: what the drawing links (imported or INTERFACE targets);
#  - STB_INCLUDE_DIR: the folder holding stb/stb_image_write.h, which the shell writes screenshots with
#    (and, where no compiled stb is linked, a .cpp in this folder defining STB_IMAGE_WRITE_IMPLEMENTATION);
#  - GLINTMERE_PLATFORM_LIBRARIES: what the .cpp files of this folder (glintmere_platform) link;
#  - the macro glintmere_platform_finish(): the platform's packaging, run once the program and its
#    assets exist (it may do nothing);
#  - compile definitions and link options the whole build needs on this platform.
# The platform's tests are registered by tests/platform/<name>/tests.cmake (start from either
# existing platform's).
message(FATAL_ERROR "src/platform/template is the starting point of a new platform, not a platform to build: "
  "copy it to src/platform/<name> and fill it in")
