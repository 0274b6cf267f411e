// es_context.h -- an OpenGL ES 2.0 context from Mesa through EGL with the layer started on it: a pbuffer
// for the tests (no X needed), or a window on the X display for timing frames as the program shows them.
#pragma once

// A pbuffer of `width` by `height`, 8 bits a channel with a 32-bit depth buffer: the formats of the GLX
// window whose frames the tests compare with. Exits with a message when EGL cannot give one.
void openEsPbuffer(int width, int height);

// A window of `width` by `height` on $DISPLAY, drawn through EGL, with the swap interval 0. Exits with
// a message when there is no display or no context.
void openEsWindow(int width, int height);

// The renderer and version ES reports, for the benchmark's report.
const char* esRendererName();

// The room ready to draw on the open context, as start-up readies it on the program's window: the
// projection, the drawing's buffer calls, the lights, the textures and the shared quadric. Exits with
// the loader's message when a texture cannot be read.
void prepareRoomOnEs();
