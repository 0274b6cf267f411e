// window_calls.cpp -- forwards the commands' window and projection calls to what start-up installed.
#include "core/window_calls.h"

#include "core/scene_state.h"
#include "core/window_calls_testing.h"

namespace {
WindowCalls window;
ProjectionCall projection = nullptr;
long redisplayRequests = 0;
long projectionRequests = 0;
}  // namespace

void installWindowCalls(const WindowCalls& calls) {
    window = calls;
}

void installProjection(ProjectionCall apply) {
    projection = apply;
}

void requestRedisplay() {
    ++redisplayRequests;
    if (window.postRedisplay != nullptr) window.postRedisplay();
}

void selectMainWindow() {
    if (window.setWindow != nullptr) window.setWindow(scene.mainWindow);
}

void setWindowTitle(const char* title) {
    if (window.setWindowTitle != nullptr) window.setWindowTitle(title);
}

void startTimer(unsigned int ms, void (*tick)(int), int value) {
    if (window.startTimer != nullptr) window.startTimer(ms, tick, value);
}

void closeMainWindow() {
    if (window.destroyWindow != nullptr) window.destroyWindow(scene.mainWindow);
    window = WindowCalls{};
}

void reproject() {
    ++projectionRequests;
    if (projection != nullptr) projection(scene.windowWidth, scene.windowHeight);
}

long redisplayRequestCount() {
    return redisplayRequests;
}

long projectionRequestCount() {
    return projectionRequests;
}
