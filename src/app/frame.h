// frame.h -- the frame loop: display, idle and the two timers, the window title and the exit.
#pragma once

extern char titleBuffer[200];

// Called with the finished frame still in the back buffer, just before the swap; only the
// screenshot and record options set it (app/run_modes.cpp).
using FrameHook = void (*)();
extern FrameHook beforeSwapHook;

void onDisplay();
// Everything onDisplay does before the swap: clear, view transform, render state, the scene.
void drawFrame();
void onIdle();
void onFlapTimer(int value);
void onWaveTimer(int value);
[[noreturn]] void exitProgram();
