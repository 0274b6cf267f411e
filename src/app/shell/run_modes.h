// run_modes.h -- the display callbacks behind --frames, --screenshot and --benchmark; each draws
// the ordinary frame and then counts, saves or times it. Also hands every frame to --record.
#pragma once

#include <filesystem>

// Quits through the exit routine after `frames` frames, saving the last one as a PNG first when
// `screenshot` names a file. The N frames are drawn whatever happens to the recording or the
// screenshot; if either failed, the run then ends with status 1 there instead of through the exit
// routine.
void startCountedRun(long frames, std::filesystem::path screenshot);
void countedDisplay();

// Draws `frames` frames as fast as GL allows, then times as many empty frames, prints the figures
// to standard error and quits through the exit routine.
void startBenchmark(long frames);
void benchmarkDisplay();

// Hands every finished frame to the recording (app/shell/recording.h) before it is swapped onto the screen,
// in whichever run mode. Called once the recording has started.
void recordEveryFrame();

// Reads the finished frame from the back buffer and writes it as a PNG; false (with a message)
// on failure.
bool saveBackBufferPng(const std::filesystem::path& file, int width, int height);
