// page_calls.h -- the page's side of the web platform: the calls glut_page.js and cue_webaudio.js define in
// JavaScript, which this folder's C++ makes.
#pragma once

#include <cstdint>

// The GLUT callbacks the page calls, numbered as glut_page.js numbers them.
enum PageCallback { PageDisplay = 0, PageReshape = 1, PageKeyboard = 2, PageSpecial = 3, PageMotion = 4, PageIdle = 5 };

extern "C" {
// ---- glut_page.js: the window, its input, timers, menus and the frame loop ----
void pageGlutInit();
int pageGlutCreateWindow(const char* title, int width, int height);
void pageGlutSetTitle(const char* title);
int pageGlutGet(int what);
// Callbacks go to the page as their places in the function table; `which` is one of PageCallback.
void pageGlutSetCallback(int which, intptr_t callback);
void pageGlutTimer(unsigned int ms, intptr_t tick, int value);
void pageGlutPostRedisplay();
void pageGlutSetCursor(int cursor);
void pageGlutFullScreen();
int pageGlutCreateMenu(intptr_t callback);
void pageGlutAddMenuEntry(const char* label, int value);
void pageGlutAddSubMenu(const char* label, int menu);
void pageGlutAttachMenu(int button);
void pageGlutDestroyWindow();
void pageGlutMainLoop();
// Holds drawing, input and timers for `ms` milliseconds: a blocking cue is playing.
void pageHold(double ms);

// ---- cue_webaudio.js: the cues ----
// Plays `fileName` (a path of the page's file system) in `mode`: 0 once in the background, 1 looped
// until replaced, 2 blocking until it has played.
void pageCuePlay(const char* fileName, int mode);
}
