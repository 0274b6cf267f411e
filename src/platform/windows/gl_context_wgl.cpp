// gl_context_wgl.cpp -- the GL context on Windows: WGL's current context and its swap interval.
//
// Implemented features:
//  [X] the current context as the key of what is kept per context
//  [X] vertical sync through WGL_EXT_swap_control, found in either extension list
// Missing features:
//  [ ] vertical sync on a GL without WGL_EXT_swap_control (Microsoft's GL 1.1): frames come as fast as drawn
#include <windows.h>
// clang-format off
#include <GL/gl.h>
// clang-format on

#include "core/extension_list.h"
#include "platform/platform.h"

namespace {
// wglGetProcAddress hands back a FARPROC; the call's own type is restored through the generic one.
template <typename Call>
Call wglCall(const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}
}  // namespace

const void* platformCurrentGlContext() {
    return wglGetCurrentContext();
}

bool platformRequestSwapInterval(int interval) {
    if (wglGetCurrentContext() == nullptr) return false;
    // Drivers list the WGL extensions through wglGetExtensionsStringEXT, older ones among GL's own.
    auto wglExtensions = wglCall<const char*(WINAPI*)()>("wglGetExtensionsStringEXT");
    bool offered = (wglExtensions != nullptr && extensionListed(wglExtensions(), "WGL_EXT_swap_control")) ||
                   extensionListed(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), "WGL_EXT_swap_control");
    if (!offered) return false;
    auto swapInterval = wglCall<BOOL(WINAPI*)(int)>("wglSwapIntervalEXT");
    return swapInterval != nullptr && swapInterval(interval) == TRUE;
}
