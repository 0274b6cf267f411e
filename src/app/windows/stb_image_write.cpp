// stb_image_write.cpp -- the PNG writer of the screenshots, compiled here from Debian's header; under
// Linux the program links Debian's compiled libstb instead.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
