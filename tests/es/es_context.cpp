// es_context.cpp -- Mesa's OpenGL ES 2.0 through EGL on a pbuffer, with the layer's table filled by
// eglGetProcAddress, and what the drawing asks of its platform: the current context as a cache key
// and the swap.
//
// Nothing here links libGL, nor libGLESv2: every ES call is looked up, so the layer's glEnable and
// Mesa's never meet, and a GL name the layer lacks cannot quietly reach Mesa's.
#include "es/es_context.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "core/window_calls.h"
#include "es/egl_side.h"
#include "gl/buffer_calls.h"
#include "gl/es/es_layer.h"
#include "platform/platform.h"
#include "room/draw/render_state.h"
#include "room/draw/scene.h"
#include "room/draw/textures.h"
#include "view/draw/projection.h"

EglSide egl;

void failEgl(const char* what) {
    std::fprintf(stderr, "es_context: %s (EGL error 0x%x)\n", what, static_cast<unsigned>(eglGetError()));
    std::exit(1);
}

EGLDisplay platformDisplay(EGLenum platform, void* native) {
    auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getDisplay == nullptr) failEgl("no eglGetPlatformDisplayEXT");
    EGLDisplay display = getDisplay(platform, native, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) failEgl("no EGL display");
    return display;
}

// EGL sorts deeper colour first, and a 10-bit buffer rounds every colour twice, so the sizes are
// checked, not merely asked for.
EGLConfig exactConfig(EGLDisplay display, EGLint surfaceType) {
    const EGLint wanted[] = {EGL_SURFACE_TYPE, surfaceType, EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT,
                             EGL_RED_SIZE,     8,           EGL_GREEN_SIZE,      8,
                             EGL_BLUE_SIZE,    8,           EGL_DEPTH_SIZE,      32,
                             EGL_NONE};
    EGLConfig configs[64];
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, configs, 64, &count)) failEgl("eglChooseConfig failed");
    for (EGLint i = 0; i < count; ++i) {
        EGLint red = 0, green = 0, blue = 0, depth = 0;
        eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
        eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &green);
        eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &blue);
        eglGetConfigAttrib(display, configs[i], EGL_DEPTH_SIZE, &depth);
        if (red == 8 && green == 8 && blue == 8 && depth == 32) return configs[i];
    }
    failEgl("no config with 8-bit channels and a 32-bit depth buffer");
}

void makeEglCurrent(EGLConfig config) {
    if (!eglBindAPI(EGL_OPENGL_ES_API)) failEgl("no OpenGL ES API");
    const EGLint attributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    egl.context = eglCreateContext(egl.display, config, EGL_NO_CONTEXT, attributes);
    if (egl.context == EGL_NO_CONTEXT) failEgl("no ES 2.0 context");
    if (!eglMakeCurrent(egl.display, egl.surface, egl.surface, egl.context)) failEgl("eglMakeCurrent failed");
    const char* missing = nullptr;
    if (!startEsLayer(eglGetProcAddress, &missing)) {
        std::fprintf(stderr, "es_context: ES has no %s\n", missing);
        std::exit(1);
    }
}

void openEsPbuffer(int width, int height) {
    egl.display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY);
    const EGLConfig config = exactConfig(egl.display, EGL_PBUFFER_BIT);
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    egl.surface = eglCreatePbufferSurface(egl.display, config, size);
    if (egl.surface == EGL_NO_SURFACE) failEgl("no pbuffer");
    makeEglCurrent(config);
}

const char* esRendererName() {
    return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

const void* platformCurrentGlContext() {
    const EGLContext current = eglGetCurrentContext();
    return current == EGL_NO_CONTEXT ? nullptr : current;
}

void glutSwapBuffers() {
    flushEsLayer();
    eglSwapBuffers(egl.display, egl.surface);
}

void prepareRoomOnEs() {
    installProjection(applyProjection);
    requireBufferCallsOrDrawStraightforwardly();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    initLights();
    if (!loadTextures()) std::exit(1);
    sharedQuadric = gluNewQuadric();
}
