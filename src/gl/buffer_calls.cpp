// buffer_calls.cpp -- the buffer-object calls of the current context, through glutGetProcAddress.
#include "gl/buffer_calls.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "gl/buffer_calls_testing.h"
#include "gl/context_key.h"
#include "gl/straightforward.h"

namespace {

struct KnownCalls {
    ContextKey context;
    BufferCalls calls;
    bool withheld = false;  // a test's pretence of a GL 1.1 context
};
KnownCalls known;

template <typename Call>
Call lookUp(const char* name) {
    return reinterpret_cast<Call>(glutGetProcAddress(name));
}

// "1.5 Mesa ..." or "4.5 (Compatibility Profile) Mesa ...": the major and minor number it starts with.
bool versionAtLeast(const char* version, int major, int minor) {
    int haveMajor = 0, haveMinor = 0;
    if (version == nullptr || std::sscanf(version, "%d.%d", &haveMajor, &haveMinor) != 2) return false;
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}

}  // namespace

const BufferCalls& bufferCalls() {
    if (!known.context.enterCurrent()) return known.calls;
    known.calls = BufferCalls{};
    // A driver may hand out the names of calls its GL does not have; the version says whether they work.
    if (known.withheld || !versionAtLeast(reinterpret_cast<const char*>(glGetString(GL_VERSION)), 1, 5))
        return known.calls;
    known.calls.genBuffers = lookUp<PFNGLGENBUFFERSPROC>("glGenBuffers");
    known.calls.bindBuffer = lookUp<PFNGLBINDBUFFERPROC>("glBindBuffer");
    known.calls.bufferData = lookUp<PFNGLBUFFERDATAPROC>("glBufferData");
    known.calls.bufferSubData = lookUp<PFNGLBUFFERSUBDATAPROC>("glBufferSubData");
    if (!known.calls.complete()) known.calls = BufferCalls{};
    return known.calls;
}

void requireBufferCallsOrDrawStraightforwardly() {
    if (bufferCalls().complete() || straightforwardDrawing()) return;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    std::fprintf(stderr, "glintmere: OpenGL %s has no buffer objects; every frame is drawn the straightforward way\n",
                 version != nullptr ? version : "of unknown version");
    setStraightforwardDrawing(true);
}

void withholdBufferCalls(bool withheld) {
    known.withheld = withheld;
    known.context = ContextKey{};
}
