// egl_side.h -- the EGL display, surface and context the ES programs draw with, and the steps the
// pbuffer and the window share.
#pragma once

#include <EGL/egl.h>
#include <EGL/eglext.h>

struct EglSide {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};
extern EglSide egl;

[[noreturn]] void failEgl(const char* what);
EGLDisplay platformDisplay(EGLenum platform, void* native);
// The config with exactly 8 bits a channel and a 32-bit depth buffer for `surfaceType`.
EGLConfig exactConfig(EGLDisplay display, EGLint surfaceType);
// An ES 2.0 context on `config`, made current on egl.surface, with the layer started on it.
void makeEglCurrent(EGLConfig config);
