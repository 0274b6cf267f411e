// recorded_shape.h -- unchanging geometry recorded once per GL context as a display list and
// replayed. A list keeps every call it recorded, colours, normals and texture coordinates
// included, so the replay leaves the same current values behind as drawing it afresh.
#pragma once

#include "gl/context_key.h"
#include "gl/straightforward.h"

// Whether GL is drawing pixels (not feedback or selection), where recorded and batched geometry may
// stand in for the plain drawing.
bool renderingPixels();

class RecordedShape {
public:
    // Replays the shape, recording it with `record` first when this context has not seen it yet.
    template <class Record>
    void draw(Record&& record) {
        // Feedback and selection get the shape drawn afresh: Mesa cannot replay a list there. So
        // does the straightforward drawing.
        if (straightforwardDrawing() || !renderingPixels()) {
            record();
            return;
        }
        if (startRecording()) {
            record();
            finishRecording();
        }
        if (!replay()) record();  // no list could be had: draw it the plain way
    }

private:
    bool startRecording();  // true when a new list is open for recording
    void finishRecording();
    bool replay();

    ContextKey context;  // the context the list belongs to
    unsigned int list = 0;
};
