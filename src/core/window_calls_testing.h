// window_calls_testing.h -- what the logic tests read of the window-call seam instead of a window.
#pragma once

// How often the commands asked for a redisplay and a projection, installed or not.
long redisplayRequestCount();
long projectionRequestCount();
