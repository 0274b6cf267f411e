// current_context_wgl.cpp -- the current WGL context, as the identity of what is kept per context.
#include <windows.h>

#include "gl/context_key.h"

const void* currentGlContext() {
    return wglGetCurrentContext();
}
