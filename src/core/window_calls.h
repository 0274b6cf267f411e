// window_calls.h -- the seam between the commands and the window system: the GLUT window calls and the
// projection that commands make go through functions the program installs at start-up, so the
// commands and their tests build and run with no GL, GLU or GLUT at all.
#pragma once

// The window calls, installed once the window exists; any of them may be left empty.
struct WindowCalls {
    void (*postRedisplay)() = nullptr;                                            // glutPostRedisplay
    void (*setWindow)(int window) = nullptr;                                      // glutSetWindow
    void (*setWindowTitle)(const char* title) = nullptr;                          // glutSetWindowTitle
    void (*destroyWindow)(int window) = nullptr;                                  // glutDestroyWindow
    void (*startTimer)(unsigned int ms, void (*tick)(int), int value) = nullptr;  // glutTimerFunc
};
void installWindowCalls(const WindowCalls& calls);

// applyProjection of the view, installed by whoever owns a GL context.
using ProjectionCall = void (*)(int width, int height);
void installProjection(ProjectionCall apply);

// What the commands call. Each does nothing while its call is not installed.
void requestRedisplay();
void selectMainWindow();  // the window start-up created, scene.mainWindow
void setWindowTitle(const char* title);
void startTimer(unsigned int ms, void (*tick)(int), int value);
// Destroys the main window and drops every window call, so nothing reaches the window afterwards.
void closeMainWindow();
// applyProjection(windowWidth, windowHeight), as every command that changes a projected value does.
void reproject();
