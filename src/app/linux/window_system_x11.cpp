// window_system_x11.cpp -- the GLUT shell's needs of X11: the display check and the window taken off
// the screen at once.
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/shell/window_system.h"

bool windowSystemReachable(int argc, char** argv) {
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

void hideCurrentWindowNow() {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (display != nullptr && drawable != 0) XUnmapWindow(display, drawable);
}

void flushWindowSystem() {
    Display* display = glXGetCurrentDisplay();
    if (display != nullptr) XFlush(display);
}

bool enterProgramFolder() {
    // Installed or run from the build folder, the program is started where its data is; a Linux
    // program keeps the working folder it is given.
    return false;
}
