// gl_context_glx.cpp -- the GL context on Linux: GLX's current context and its swap interval.
//
// Implemented features:
//  [X] the current context as the key of what is kept per context
//  [X] vertical sync through GLX_EXT_swap_control, GLX_MESA_swap_control or GLX_SGI_swap_control
// Missing features:
//  [ ] GLX_SGI_swap_control cannot turn vertical sync off, so a benchmark there runs at the display's pace
#include <GL/glx.h>

#include "core/extension_list.h"
#include "platform/platform.h"

const void* platformCurrentGlContext() {
    return glXGetCurrentContext();
}

bool platformRequestSwapInterval(int interval) {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) return false;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));

    if (extensionListed(extensions, "GLX_EXT_swap_control")) {
        using Fn = void (*)(Display*, GLXDrawable, int);
        auto fn = reinterpret_cast<Fn>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
        if (fn != nullptr) {
            fn(display, drawable, interval);
            return true;
        }
    }
    if (extensionListed(extensions, "GLX_MESA_swap_control")) {
        using Fn = int (*)(unsigned);
        auto fn = reinterpret_cast<Fn>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
        if (fn != nullptr) return fn(static_cast<unsigned>(interval)) == 0;
    }
    if (extensionListed(extensions, "GLX_SGI_swap_control") && interval > 0) {
        using Fn = int (*)(int);
        auto fn = reinterpret_cast<Fn>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalSGI")));
        if (fn != nullptr) return fn(interval) == 0;
    }
    return false;
}
