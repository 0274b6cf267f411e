// stb_image_write.cpp -- the PNG writer of the screenshots on Windows, compiled here from Debian's
// header, since Debian's compiled libstb (which Linux links) is not built for MinGW.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
