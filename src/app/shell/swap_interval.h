// swap_interval.h -- asks the GL platform for vertical sync where it offers a way to.
#pragma once

// Requests the swap interval through GLX_EXT_swap_control, GLX_MESA_swap_control or
// GLX_SGI_swap_control, whichever the display offers; returns false when none is offered.
bool requestSwapInterval(int interval);

// Whether a space-separated extension list names the extension as a whole word.
bool extensionListed(const char* list, const char* name);
