// straightforward.h -- the one switch that turns every speed-up of the drawing off.
//
// With it on, every frame is drawn the plain immediate-mode way: each object sent vertex by vertex
// through its own transforms, every layer painted even where a later one covers it, nothing
// recorded. It is the reference the faster drawing is compared with, in tests and benchmarks, and
// the first thing to try when a picture looks wrong. Set GLINTMERE_STRAIGHTFORWARD=1 in the
// environment to start the program with it on.
#pragma once

bool straightforwardDrawing();
void setStraightforwardDrawing(bool on);
