// swap_interval_glx.cpp -- vertical sync through the GLX swap-control extensions.
#include <GL/glx.h>

#include "gl/swap_interval.h"

bool requestSwapInterval(int interval) {
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
