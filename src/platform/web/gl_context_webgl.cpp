// gl_context_webgl.cpp -- the GL context in the browser: the canvas's WebGL 1 context, drawn on through the
// GL ES 2 layer (src/gl/es), whose table of real calls is filled here from Emscripten's WebGL calls.
//
// Implemented features:
//  [X] the layer started on the new context, with every ES call it makes, or a plain message and status 1
//  [X] what the layer holds flushed before the browser shows the frame
//  [X] the current context as the key of what is kept per context
//  [X] vertical sync: the page draws at the browser's frame rate, which follows the display
// Missing features:
//  [ ] drawing faster than the display: a page has no swap interval of 0, so the benchmark's frames
//      come at the browser's pace
//  [ ] a context the browser takes away and gives back: the page says to reload
#include <emscripten/html5_webgl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "gl/es/es_layer.h"
#include "platform/platform.h"
#include "platform/web/webgl_drawing.h"

namespace {
// Emscripten's own WebGL 1 calls by their GL names (emscripten_glDrawArrays for "glDrawArrays"): the
// layer defines the GL names themselves.
EsCall webglCall(const char* name) {
    return reinterpret_cast<EsCall>(emscripten_webgl1_get_proc_address(name));
}
}  // namespace

void startWebGlDrawing() {
    const char* missing = nullptr;
    if (startEsLayer(webglCall, &missing)) return;
    std::fprintf(stderr, "glintmere: this browser's WebGL has no %s, so Glintmere cannot draw\n",
                 missing != nullptr ? missing : "call the drawing needs");
    std::exit(1);
}

void presentWebGlFrame() {
    flushEsLayer();
}

const void* platformCurrentGlContext() {
    // The page's context handle, a small number that is never 0 for a context.
    return reinterpret_cast<const void*>(static_cast<uintptr_t>(emscripten_webgl_get_current_context()));
}

bool platformRequestSwapInterval(int interval) {
    return interval == 1 && emscripten_webgl_get_current_context() != 0;
}
