// swap_interval_wgl.cpp -- vertical sync through WGL_EXT_swap_control.
#include <windows.h>
// clang-format off
#include <GL/gl.h>
// clang-format on

#include "gl/swap_interval.h"

namespace {
// wglGetProcAddress hands back a FARPROC; the call's own type is restored through the generic one.
template <typename Call>
Call wglCall(const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}
}  // namespace

bool requestSwapInterval(int interval) {
    if (wglGetCurrentContext() == nullptr) return false;
    // Drivers list the WGL extensions through wglGetExtensionsStringEXT, older ones among GL's own.
    auto wglExtensions = wglCall<const char*(WINAPI*)()>("wglGetExtensionsStringEXT");
    bool offered = (wglExtensions != nullptr && extensionListed(wglExtensions(), "WGL_EXT_swap_control")) ||
                   extensionListed(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), "WGL_EXT_swap_control");
    if (!offered) return false;
    auto swapInterval = wglCall<BOOL(WINAPI*)(int)>("wglSwapIntervalEXT");
    return swapInterval != nullptr && swapInterval(interval) == TRUE;
}
