// swap_interval.h -- asks the GL platform for vertical sync where it offers a way to.
#pragma once

// Requests the swap interval through the platform's swap-control extension: GLX_EXT_swap_control,
// GLX_MESA_swap_control or GLX_SGI_swap_control under X11 (gl/glx), WGL_EXT_swap_control on
// Windows (gl/wgl); returns false when none is offered or no context is current.
bool requestSwapInterval(int interval);

// Whether a space-separated extension list names the extension as a whole word.
bool extensionListed(const char* list, const char* name);
