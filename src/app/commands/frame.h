// frame.h -- the frame loop's logic: idle and the two timers, the window title and the exit.
#pragma once

extern char titleBuffer[200];

void onIdle();
void onFlapTimer(int value);
void onWaveTimer(int value);
[[noreturn]] void exitProgram();
