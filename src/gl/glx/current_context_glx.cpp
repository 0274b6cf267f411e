// current_context_glx.cpp -- the current GLX context, as the identity of what is kept per context.
#include <GL/glx.h>

#include "gl/context_key.h"

const void* currentGlContext() {
    return glXGetCurrentContext();
}
