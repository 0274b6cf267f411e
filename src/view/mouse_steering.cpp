// mouse_steering.cpp -- a drag steers the perspective view: the pointer's place in the window
// becomes the fractions the orbit transform reads.
#include "view/mouse_steering.h"

#include "core/scene_state.h"
#include "core/window_calls.h"

void onMouseMotion(int x, int y) {
    // Fractions of an empty window would be infinite; they keep their last values instead.
    if (scene.viewMode == Perspective && scene.windowWidth > 0 && scene.windowHeight > 0) {
        scene.mouseFracX = static_cast<double>(x) / static_cast<double>(scene.windowWidth);
        scene.mouseFracY = 1.0 - static_cast<double>(y) / static_cast<double>(scene.windowHeight);
    }
    requestRedisplay();
}
