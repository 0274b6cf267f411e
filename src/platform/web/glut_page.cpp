// glut_page.cpp -- the GLUT calls the shell makes, in the browser: each hands its work to the page
// (glut_page.js), whose canvas is the one window.
//
// Implemented features:
//  [X] one window, the page's canvas, with a WebGL 1 context (no antialiasing, depth, no alpha)
//  [X] display, reshape, keyboard, special-key, motion and idle callbacks; timers; redisplay requests
//  [X] the frame loop at the page's frame rate (requestAnimationFrame): idle, then display when asked
//  [X] menus: GLUT's menu tree drawn as an HTML menu on the right button, calling the same callbacks
//  [X] the window title as the page's title; the cursor over the canvas
//  [X] full screen, where the browser allows it (only from a click: the page offers a button)
// Missing features:
//  [ ] more than one window, sub-windows, overlays, window position and iconifying: the program uses none
//  [ ] mouse-button, passive-motion, key-release, entry and visibility callbacks: the program registers none
//  [ ] menu changes after the menus are attached (glutChangeToMenuEntry and the like): never made
#include <GL/freeglut.h>

#include <cstdint>
#include <cstring>

#include "platform/web/page_calls.h"
#include "platform/web/webgl_drawing.h"

namespace {
template <typename Function>
intptr_t tableIndex(Function* function) {
    return reinterpret_cast<intptr_t>(function);
}

int initWidth = 300, initHeight = 300;  // GLUT's defaults
}  // namespace

extern "C" {

void glutInit(int*, char**) {
    // GLUT's own options (-display, -geometry) mean nothing in a page; the program skips them itself.
    pageGlutInit();
}

void glutInitDisplayMode(unsigned int) {
    // The page's context is always double-buffered RGB with a depth buffer, as the program asks.
}

void glutInitWindowSize(int width, int height) {
    initWidth = width;
    initHeight = height;
}

void glutInitWindowPosition(int, int) {
    // The canvas sits where the page puts it.
}

int glutCreateWindow(const char* title) {
    const int window = pageGlutCreateWindow(title, initWidth, initHeight);
    if (window != 0) startWebGlDrawing();
    return window;
}

void glutSetWindow(int) {
    // One window: it is always the current one.
}

void glutSetWindowTitle(const char* title) {
    pageGlutSetTitle(title);
}

void glutDestroyWindow(int) {
    pageGlutDestroyWindow();
}

void glutFullScreen() {
    pageGlutFullScreen();
}

int glutGet(GLenum what) {
    return pageGlutGet(static_cast<int>(what));
}

void glutDisplayFunc(void (*callback)()) {
    pageGlutSetCallback(PageDisplay, tableIndex(callback));
}

void glutReshapeFunc(void (*callback)(int, int)) {
    pageGlutSetCallback(PageReshape, tableIndex(callback));
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    pageGlutSetCallback(PageKeyboard, tableIndex(callback));
}

void glutSpecialFunc(void (*callback)(int, int, int)) {
    pageGlutSetCallback(PageSpecial, tableIndex(callback));
}

void glutMotionFunc(void (*callback)(int, int)) {
    pageGlutSetCallback(PageMotion, tableIndex(callback));
}

void glutIdleFunc(void (*callback)()) {
    pageGlutSetCallback(PageIdle, tableIndex(callback));
}

void glutTimerFunc(unsigned int ms, void (*callback)(int), int value) {
    pageGlutTimer(ms, tableIndex(callback), value);
}

void glutPostRedisplay() {
    pageGlutPostRedisplay();
}

void glutSwapBuffers() {
    // The browser shows what was drawn when the frame's callback returns; the layer's held drawing must
    // be in WebGL by then.
    presentWebGlFrame();
}

void glutSetCursor(int cursor) {
    pageGlutSetCursor(cursor);
}

int glutCreateMenu(void (*callback)(int)) {
    return pageGlutCreateMenu(tableIndex(callback));
}

void glutAddMenuEntry(const char* label, int value) {
    pageGlutAddMenuEntry(label, value);
}

void glutAddSubMenu(const char* label, int menu) {
    pageGlutAddSubMenu(label, menu);
}

void glutAttachMenu(int button) {
    pageGlutAttachMenu(button);
}

void glutMainLoop() {
    // Starts the page's frame loop and returns to the browser for good: main never goes on from here.
    pageGlutMainLoop();
}

}  // extern "C"
