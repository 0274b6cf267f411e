// run_modes.cpp -- counted runs, screenshots and the frame-time benchmark.
#include "app/shell/run_modes.h"

#include <GL/freeglut.h>
#include <stb/stb_image_write.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/commands/camera_motion.h"
#include "app/commands/frame.h"
#include "app/commands/frame_stats.h"
#include "app/draw/frame_draw.h"
#include "app/shell/recording.h"
#include "app/shell/user_files.h"
#include "core/scene_state.h"
#include "gl/read_back.h"
#include "gl/straightforward.h"
#include "platform/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr long warmUpFrames = 20;

// What the run modes keep between frames, in one record as the recording keeps its own.
struct RunModes {
    long framesWanted = 0;                 // the counted run's N
    long framesDrawn = 0;                  // by the counted run or the benchmark, warm-up frames included
    std::filesystem::path screenshotFile;  // empty: no screenshot
    bool screenshotDue = false;            // the frame being drawn is the last, saved before its swap
    bool screenshotSaved = false;
    bool recordingFrames = false;            // every frame goes to the recording
    std::vector<unsigned char> framePixels;  // the frame read back for the recording, kept for the next

    long benchmarkFrames = 0;  // measured frames, after the warm-up ones
    std::vector<double> sceneFrameMs;
    Clock::time_point firstMeasured;
};
RunModes runModes;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void finishBenchmark() {
    double sceneWallMs = millisecondsSince(runModes.firstMeasured);
    int width = glutGet(GLUT_WINDOW_WIDTH);
    int height = glutGet(GLUT_WINDOW_HEIGHT);

    // Empty frames in the same window and run: clear and swap only.
    std::vector<double> emptyMs;
    emptyMs.reserve(static_cast<size_t>(runModes.benchmarkFrames));
    for (long i = 0; i < warmUpFrames + runModes.benchmarkFrames; ++i) {
        Clock::time_point start = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glutSwapBuffers();
        glFinish();
        if (i >= warmUpFrames) emptyMs.push_back(millisecondsSince(start));
    }

    FrameStats sceneStats = summarise(runModes.sceneFrameMs);
    FrameStats emptyStats = summarise(emptyMs);
    double fps = sceneWallMs > 0 ? 1000.0 * static_cast<double>(runModes.sceneFrameMs.size()) / sceneWallMs : 0.0;
    double ratio = emptyStats.medianMs > 0 ? sceneStats.medianMs / emptyStats.medianMs : 0.0;
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    std::fprintf(stderr, "renderer: %s\n", renderer ? renderer : "unknown");
    std::fprintf(stderr, "version: %s\n", version ? version : "unknown");
    std::fprintf(stderr, "window: %dx%d\n", width, height);
    std::fprintf(stderr, "drawing: %s\n", straightforwardDrawing() ? "straightforward" : "fast");
    std::fprintf(stderr, "frames: %zu (after %ld warm-up frames)\n", runModes.sceneFrameMs.size(), warmUpFrames);
    std::fprintf(stderr, "scene frame: median %.3f ms, p99 %.3f ms, %.1f frames per second\n", sceneStats.medianMs,
                 sceneStats.p99Ms, fps);
    std::fprintf(stderr, "empty frame: median %.3f ms, p99 %.3f ms\n", emptyStats.medianMs, emptyStats.p99Ms);
    std::fprintf(stderr, "ratio to empty frame: %.2f\n", ratio);
    std::fprintf(stderr,
                 "benchmark frames=%zu width=%d height=%d median_ms=%.3f p99_ms=%.3f fps=%.1f "
                 "empty_median_ms=%.3f empty_p99_ms=%.3f ratio=%.2f\n",
                 runModes.sceneFrameMs.size(), width, height, sceneStats.medianMs, sceneStats.p99Ms, fps,
                 emptyStats.medianMs, emptyStats.p99Ms, ratio);
    std::fprintf(stderr, "frame times ms:");
    for (double ms : runModes.sceneFrameMs) std::fprintf(stderr, " %.3f", ms);
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    exitProgram();
}

}  // namespace

namespace {
// The one hook before the swap: the recording takes every frame, the screenshot the last.
void captureBeforeSwap() {
    int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    if (runModes.recordingFrames && recordingActive() && width > 0 && height > 0) {
        readBackBuffer(0, 0, width, height, runModes.framePixels);
        recordFrame(runModes.framePixels.data(), width, height);
    }
    if (runModes.screenshotDue) {
        runModes.screenshotDue = false;
        runModes.screenshotSaved = saveBackBufferPng(runModes.screenshotFile, width, height);
    }
}
}  // namespace

void recordEveryFrame() {
    runModes.recordingFrames = true;
    beforeSwapHook = captureBeforeSwap;
}

bool saveBackBufferPng(const std::filesystem::path& file, int width, int height) {
    const std::string fileName = shownName(file);
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "glintmere: no frame to save to %s\n", fileName.c_str());
        return false;
    }
    std::vector<unsigned char> pixels;
    readBackBuffer(0, 0, width, height, pixels);
    // The file is opened here rather than by stb, whose own opening takes only a narrow name.
    std::FILE* stream = platformOpenForWriting(file);
    if (stream == nullptr) {
        std::fprintf(stderr, "glintmere: could not write the screenshot %s: %s\n", fileName.c_str(),
                     std::strerror(errno));
        return false;
    }
    struct Sink {
        std::FILE* stream;
        bool failed = false;
    } sink{stream};
    auto write = [](void* context, void* data, int size) {
        auto* to = static_cast<Sink*>(context);
        if (!to->failed && std::fwrite(data, 1, static_cast<size_t>(size), to->stream) != static_cast<size_t>(size))
            to->failed = true;
    };
    // GL's rows run bottom up; an image file's run top down.
    stbi_flip_vertically_on_write(1);
    errno = 0;
    bool encoded = stbi_write_png_to_func(write, &sink, width, height, 3, pixels.data(), width * 3) != 0;
    int writeError = errno;
    bool closed = std::fclose(stream) == 0;
    if (!closed && writeError == 0) writeError = errno;
    if (!encoded || sink.failed || !closed) {
        std::fprintf(stderr, "glintmere: could not write the screenshot %s: %s\n", fileName.c_str(),
                     writeError != 0 ? std::strerror(writeError) : "the picture could not be encoded");
        return false;
    }
    return true;
}

void startCountedRun(long frames, std::filesystem::path screenshot) {
    runModes.framesWanted = frames;
    runModes.framesDrawn = 0;
    runModes.screenshotFile = std::move(screenshot);
}

void countedDisplay() {
    stepCameraMotion();
    bool last = runModes.framesDrawn + 1 >= runModes.framesWanted;
    if (last && !runModes.screenshotFile.empty()) {
        runModes.screenshotDue = true;
        beforeSwapHook = captureBeforeSwap;
    }
    onDisplay();
    if (++runModes.framesDrawn < runModes.framesWanted) return;
    // The clip is finished here rather than at exit, so that an encoder failing only at the end
    // still decides the status; a failed recording, like a failed screenshot, gives status 1.
    bool recorded = finishRecording();
    if (!recorded || (!runModes.screenshotFile.empty() && !runModes.screenshotSaved)) std::exit(1);
    exitProgram();
}

void startBenchmark(long frames) {
    runModes.benchmarkFrames = frames;
    runModes.framesDrawn = 0;
    runModes.sceneFrameMs.clear();
    runModes.sceneFrameMs.reserve(static_cast<size_t>(frames));
}

void benchmarkDisplay() {
    Clock::time_point start = Clock::now();
    if (runModes.framesDrawn == warmUpFrames) runModes.firstMeasured = start;
    stepCameraMotion();  // as a key press would, inside the frame's time
    onDisplay();
    glFinish();
    if (runModes.framesDrawn >= warmUpFrames) runModes.sceneFrameMs.push_back(millisecondsSince(start));
    ++runModes.framesDrawn;
    if (runModes.framesDrawn >= warmUpFrames + runModes.benchmarkFrames) finishBenchmark();
}
