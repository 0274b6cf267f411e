// frame_draw.cpp -- one frame: clear, view transform, render state and light switches, the scene,
// the optional hook, the swap.
#include "app/draw/frame_draw.h"

#include <GL/freeglut.h>

#include "core/scene_state.h"
#include "room/draw/render_state.h"
#include "room/draw/scene.h"
#include "view/draw/projection.h"

FrameHook beforeSwapHook = nullptr;

void onDisplay() {
    drawFrame();
    if (beforeSwapHook != nullptr) beforeSwapHook();
    glutSwapBuffers();
    glFlush();
}

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyViewTransform();
    applyRenderState();
    applyLightSwitches();
    drawScene();
}
