// window_system.h -- what the GLUT shell needs of the system beneath GLUT: X11 and POSIX on Linux
// (app/linux), Win32 on Windows (app/windows). Each platform folder defines all of it.
#pragma once

// Whether the window system can be reached, with GLUT's own -display option if given. When it
// cannot, says why on standard error, plainly, before GLUT would end the process tersely.
bool windowSystemReachable(int argc, char** argv);

// Takes the current GLUT window off the screen now. freeglut only marks a destroyed window and
// destroys it on its next pass of the main loop, which the exit never reaches.
void hideCurrentWindowNow();

// Sends everything asked of the window system so far, without waiting for the main loop.
void flushWindowSystem();

// Makes the program's own folder the working folder, so that a program started from a file
// manager finds texture/ and musics/ beside it. False when the working folder stays as it is.
bool enterProgramFolder();
