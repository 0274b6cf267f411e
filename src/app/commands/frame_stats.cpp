// frame_stats.cpp -- the median and 99th percentile of the benchmark's frame times; plain arithmetic.
#include "app/commands/frame_stats.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

FrameStats summarise(std::vector<double> frameMs) {
    if (frameMs.empty()) return {0.0, 0.0};
    std::sort(frameMs.begin(), frameMs.end());
    size_t n = frameMs.size();
    double median = n % 2 == 1 ? frameMs[n / 2] : (frameMs[n / 2 - 1] + frameMs[n / 2]) / 2.0;
    size_t p99Index = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n))) - 1;
    return {median, frameMs[std::min(p99Index, n - 1)]};
}
