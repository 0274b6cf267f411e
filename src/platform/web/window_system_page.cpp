// window_system_page.cpp -- the window system in the browser: the page, whose canvas is the one window.
//
// Implemented features:
//  [X] nothing to check at start: where the program runs, its page is there
//  [X] the window taken away at once when the exit destroys it: the page removes the canvas
//  [X] the start folder: the site's texture/ and musics/ are preloaded into the root of the page's file
//      system, the working folder
// Missing features:
//  [ ] none of the X display's options: -display and -geometry mean nothing in a page
#include "platform/platform.h"
#include "platform/web/page_calls.h"

bool platformWindowSystemReachable(int, char**) {
    return true;
}

void platformHideCurrentWindow() {
    // The same as destroying it: the page takes the canvas away and says the program has ended.
    pageGlutDestroyWindow();
}

void platformFlushWindowSystem() {
    // The page shows what changed when the program returns to the browser.
}

bool platformEnterProgramFolder() {
    return false;
}
