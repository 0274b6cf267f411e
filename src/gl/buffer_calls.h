// buffer_calls.h -- GL 1.5's buffer-object calls, looked up at run time in the current context.
//
// Windows' opengl32 exports GL 1.1 alone, and Linux's libGL need not export more; the driver hands
// the calls out through GLUT's glutGetProcAddress, the same way on both. A GL without them (GL 1.1,
// Microsoft's software renderer in a machine without a driver) gets the straightforward drawing.
#pragma once

// clang-format off
#include <GL/gl.h>
#include <GL/glext.h>
// clang-format on

struct BufferCalls {
    PFNGLGENBUFFERSPROC genBuffers = nullptr;
    PFNGLBINDBUFFERPROC bindBuffer = nullptr;
    PFNGLBUFFERDATAPROC bufferData = nullptr;
    PFNGLBUFFERSUBDATAPROC bufferSubData = nullptr;

    bool complete() const { return genBuffers && bindBuffer && bufferData && bufferSubData; }
};

// The calls of the current context, looked up the first time they are asked for in it. They are
// complete only when the context's GL is 1.5 or newer and hands all four out.
const BufferCalls& bufferCalls();

// Start-up's check: when the current context has no buffer objects, says so in one line on standard
// error and turns the straightforward drawing on (gl/straightforward.h), which needs none.
void requireBufferCallsOrDrawStraightforwardly();
