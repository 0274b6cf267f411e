// special_keys.h -- function keys, arrows, Home and Insert.
#pragma once

// The key codes onSpecialKey understands: GLUT's own values (app/shell/glut_window_calls.cpp checks that
// they match), named here so the commands need no GLUT header.
enum SpecialKey : int {
    KeyF1 = 1,
    KeyF2 = 2,
    KeyF3 = 3,
    KeyF4 = 4,
    KeyF5 = 5,
    KeyF6 = 6,
    KeyF7 = 7,
    KeyF8 = 8,
    KeyF9 = 9,
    KeyF10 = 10,
    KeyF11 = 11,
    KeyF12 = 12,
    KeyLeft = 100,
    KeyUp = 101,
    KeyRight = 102,
    KeyDown = 103,
    KeyPageUp = 104,
    KeyPageDown = 105,
    KeyHome = 106,
    KeyEnd = 107,
    KeyInsert = 108,
};

void onSpecialKey(int key, int x, int y);
