// frame_stats.h -- the median and 99th percentile of the benchmark's frame times.
#pragma once

#include <vector>

struct FrameStats {
    double medianMs;
    double p99Ms;
};
FrameStats summarise(std::vector<double> frameMs);
