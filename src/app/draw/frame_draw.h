// frame_draw.h -- the display callback: one frame drawn and swapped, and the hook before the swap.
#pragma once

// Called with the finished frame still in the back buffer, just before the swap; only the
// screenshot and record options set it (app/shell/run_modes.cpp).
using FrameHook = void (*)();
extern FrameHook beforeSwapHook;

void onDisplay();
// Everything onDisplay does before the swap: clear, view transform, render state, the scene.
void drawFrame();
