// startup.h -- the one start-up sequence, which the program and every test harness that opens a window run.
#pragma once

#include <functional>

#include "core/scene_state.h"

// What may differ between the program and a harness that starts like it. Left as they are, the
// steps open the window with its display callback and nothing more; the program asks for all.
struct StartupSteps {
    int* argc = nullptr;  // handed to glutInit, which takes its own options out
    char** argv = nullptr;
    // Runs once the display is known to be reachable, before the music; false ends the start-up there.
    std::function<bool()> onceDisplayReached;
    bool music = false;       // the background music, when the scene's sound is on
    bool fullScreen = false;  // the screen's size and GLUT's full screen instead of width by height
    int width = scene.windowWidth;
    int height = scene.windowHeight;
    bool glutWindowCalls = false;  // GLUT's window calls behind the window-call seam; otherwise the projection only
    int swapInterval = -1;         // asked of the GL platform when 0 or more
    bool room = false;             // the lights, the textures and the shared quadric
    // Runs once the window and the room are ready, before the callbacks are installed.
    std::function<void()> beforeCallbacks;
    void (*display)() = nullptr;  // GLUT refuses to show a window without one
    bool input = false;           // reshape, keyboard, special keys, motion, idle and the cursor
    bool timers = false;          // the fin swing and the wave decay
    bool hint = false;            // the help hint on the console
    bool menus = false;
};

// Runs the steps asked for, in the program's order. False, with nothing after that point started,
// when the X display cannot be reached (said on standard error), `onceDisplayReached` refused, or a
// texture cannot be used (said on the console).
bool startUp(const StartupSteps& steps);

// The room's part of start-up on the current window: the lights, the twelve textures and the shared
// quadric (made once). startUp runs it when asked to; a test that opened a bare window runs it later.
// False, after the texture's message, when a texture cannot be used.
bool prepareRoom();
