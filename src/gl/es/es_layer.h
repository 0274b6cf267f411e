// es_layer.h -- what a platform does to run the program's GL 1.x drawing on OpenGL ES 2.0 (or WebGL 1):
// hand the layer its real ES calls once the context is current, and flush the layer before presenting.
//
// The drawing calls glBegin, glLightfv, gluSphere, glutSolidCube and the rest with their real names; the
// layer in this folder defines them and draws through ES 2.0. It serves one context at a time and never
// touches the framebuffer binding, so a platform may draw into a window, a pbuffer or a framebuffer object.
#pragma once

// A real ES call as a lookup hands it out (eglGetProcAddress's type), and the lookup itself.
using EsCall = void (*)();
using EsLookUp = EsCall (*)(const char* name);

// Takes the real ES 2.0 calls from `lookUp` and sets the layer's state to GL's initial state; call it
// with the context current. False when a call is missing, its name in `*missing` when given.
bool startEsLayer(EsLookUp lookUp, const char** missing = nullptr);

// Sends everything the layer holds back to ES, as glFlush does; call it before presenting a frame.
void flushEsLayer();
