// stb_image_write.cpp -- the PNG writer of --screenshot in the browser, compiled here from Debian's header,
// since Debian's compiled libstb is built for the machine, not for WebAssembly.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
