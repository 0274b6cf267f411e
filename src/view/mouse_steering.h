// mouse_steering.h -- steering the perspective view with the mouse.
#pragma once

// The drag callback.
void onMouseMotion(int x, int y);
