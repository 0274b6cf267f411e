// es_window.cpp -- a window on the X display drawn through EGL, for timing the layer's frames as the
// program shows its own: swapped onto the same Xvfb as the GLX window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "es/egl_side.h"
#include "es/es_context.h"

void openEsWindow(int width, int height) {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr) failEgl("no X display");
    egl.display = platformDisplay(EGL_PLATFORM_X11_KHR, x);
    const EGLConfig config = exactConfig(egl.display, EGL_WINDOW_BIT);
    EGLint visualId = 0;
    eglGetConfigAttrib(egl.display, config, EGL_NATIVE_VISUAL_ID, &visualId);
    XVisualInfo wanted{};
    wanted.visualid = static_cast<VisualID>(visualId);
    int found = 0;
    XVisualInfo* visual = XGetVisualInfo(x, VisualIDMask, &wanted, &found);
    if (visual == nullptr) failEgl("no X visual for the config");
    const Window root = DefaultRootWindow(x);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(x, root, visual->visual, AllocNone);
    Window window = XCreateWindow(x, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                  visual->depth, InputOutput, visual->visual, CWColormap, &attributes);
    XFree(visual);
    XStoreName(x, window, "Glintmere on OpenGL ES");
    XMapWindow(x, window);
    XSync(x, False);
    egl.surface = eglCreatePlatformWindowSurface(egl.display, config, &window, nullptr);
    if (egl.surface == EGL_NO_SURFACE) failEgl("no window surface");
    makeEglCurrent(config);
    eglSwapInterval(egl.display, 0);
}
