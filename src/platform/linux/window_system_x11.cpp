// window_system_x11.cpp -- the window system on Linux: X11 beneath freeglut.
//
// Implemented features:
//  [X] the display check, with GLUT's -display option or DISPLAY, and a plain message without one
//  [X] the window unmapped at once when the exit destroys it, and the request sent without the main loop
//  [X] a start-up error left on standard error alone, where a terminal or the desktop's log keeps it
// Missing features:
//  [ ] a start folder of its own: the program keeps the working folder it is given (installed, its
//      launcher starts it beside its data)
//  [ ] a start-up error shown on the desktop: started from a desktop entry, the message goes to the
//      session's log only
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

bool platformWindowSystemReachable(int argc, char** argv) {
    const char* name = nullptr;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-display") == 0) name = argv[i + 1];
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        const char* shown = name != nullptr ? name : std::getenv("DISPLAY");
        std::fprintf(stderr,
                     "glintmere: cannot open the X display \"%s\"; Glintmere needs a graphical session "
                     "(set DISPLAY, or run it under xvfb-run)\n",
                     shown != nullptr ? shown : "");
        return false;
    }
    XCloseDisplay(display);
    return true;
}

void platformHideCurrentWindow() {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (display != nullptr && drawable != 0) XUnmapWindow(display, drawable);
}

void platformFlushWindowSystem() {
    Display* display = glXGetCurrentDisplay();
    if (display != nullptr) XFlush(display);
}

bool platformEnterProgramFolder() {
    // Installed or run from the build folder, the program is started where its data is; a Linux
    // program keeps the working folder it is given.
    return false;
}

void platformShowStartupError(const std::string&) {
    // Standard error already holds the message, and nothing closes it unread.
}
