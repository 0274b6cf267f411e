// room_gl.h -- GL test helpers for the room: the texture set loaded once, a frame drawn as the
// display callback draws it (without the swap, so the back buffer can be read), room points
// projected to the window.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <ostream>

#include "app/draw/frame_draw.h"
#include "app/shell/startup.h"
#include "aquarium/tables.h"
#include "core/scene_state.h"
#include "room/draw/render_state.h"
#include "room/draw/scene.h"
#include "room/draw/textures.h"
#include "support/capture.h"
#include "support/gl_window.h"
#include "view/draw/projection.h"

namespace roomtest {

// The generated texture/ folder lives in the build folder, the parent of the tests' folder; the
// tests run from there under ctest, and get there themselves when started from elsewhere.
inline void enterFolderWithTextures() {
    if (std::filesystem::exists("texture/floor.bmp")) return;
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return;
    auto build = exe.parent_path().parent_path();
    if (std::filesystem::exists(build / "texture/floor.bmp")) std::filesystem::current_path(build, error);
}

// A window, the lights, the twelve textures and the shared quadric, as start-up leaves them.
inline void ensureRoomReady() {
    static bool ready = false;
    ensureGlWindow();
    if (ready) return;
    enterFolderWithTextures();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (!prepareRoom()) std::abort();  // the generated textures are always usable
    ready = true;
}

// An empty aquarium, so nothing moving passes in front of the pixels a test reads.
inline void emptyAquarium() {
    scene.autoFeed = 0;
    for (Fish& f : fishes) f.alive = 0.0f;
    for (Worm& w : worms) w.alive = 0.0f;
}

// The display callback's steps, without the swap.
inline void renderFrame() {
    drawFrame();
    glFinish();
}

// State left by one frame reaches into the next (texturing stays on after the last pebble, so the
// first untextured frame still draws the box through the old binding). A change shows in full from
// the second frame on, which is what these tests read.
inline void renderSettledFrame() {
    renderFrame();
    renderFrame();
}

// Window position of a point in room coordinates (the frame of the view transform).
inline std::array<double, 3> projectRoomPoint(double x, double y, double z) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    applyViewTransform();
    auto p = projectPoint(x, y, z);
    glPopMatrix();
    return p;
}

inline Rgb roomPixel(double x, double y, double z) {
    auto p = projectRoomPoint(x, y, z);
    return readPixel(static_cast<int>(p[0]), static_cast<int>(p[1]));
}

inline bool colourNear(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

inline Rgb rgbOf(float r, float g, float b) {
    return {static_cast<int>(r * 255 + 0.5f), static_cast<int>(g * 255 + 0.5f), static_cast<int>(b * 255 + 0.5f)};
}

}  // namespace roomtest

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
