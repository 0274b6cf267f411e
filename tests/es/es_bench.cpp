// es_bench.cpp -- the program's --benchmark run with its frames drawn through the ES layer on Mesa's
// OpenGL ES 2.0: the same scene, camera motion, timers and frame timing as app/shell/run_modes.cpp,
// reported in the same lines, so bench/es.sh can set its figures beside the program's own.
//
// The frames go to an EGL pbuffer, whose swap presents nothing; with --window they go to an EGL window
// on $DISPLAY instead. That shows them, but EGL's swap on Xvfb sends every frame through the X socket,
// several times dearer than GLX's, a cost of the window system that says nothing of the layer.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/commands/camera_motion.h"
#include "app/commands/frame.h"
#include "app/commands/frame_stats.h"
#include "app/commands/options.h"
#include "app/draw/frame_draw.h"
#include "core/scene_state.h"
#include "core/window_calls.h"
#include "es/es_context.h"
#include "gl/straightforward.h"
#include "view/draw/projection.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr long warmUpFrames = 20;  // as the program's benchmark

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// GLUT's timers, as the frame loop asks for them through the window-call seam.
struct Timer {
    Clock::time_point due;
    void (*tick)(int);
    int value;
};
std::vector<Timer> timers;

void addTimer(unsigned int ms, void (*tick)(int), int value) {
    timers.push_back({Clock::now() + std::chrono::milliseconds(ms), tick, value});
}

void runDueTimers() {
    const Clock::time_point now = Clock::now();
    std::vector<Timer> due;
    for (auto it = timers.begin(); it != timers.end();)
        if (it->due <= now) {
            due.push_back(*it);
            it = timers.erase(it);
        } else {
            ++it;
        }
    for (const Timer& t : due) t.tick(t.value);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool window = false;
    if (!args.empty() && args.front() == "--window") {
        window = true;
        args.erase(args.begin());
    }
    const ParseResult parsed = parseOptions(args);
    if (!parsed.error.empty() || parsed.options.benchmark <= 0) {
        std::fprintf(stderr, "usage: %s [--window] --benchmark N [--scene S] [--motion M]\n%s\n", argv[0],
                     parsed.error.c_str());
        return 2;
    }
    const Options& options = parsed.options;
    scene.soundOn = 0;
    if (window)
        openEsWindow(scene.windowWidth, scene.windowHeight);
    else
        openEsPbuffer(scene.windowWidth, scene.windowHeight);
    WindowCalls calls;
    calls.startTimer = addTimer;
    installWindowCalls(calls);
    prepareRoomOnEs();
    applyProjection(scene.windowWidth, scene.windowHeight);
    applyScenePreset(options.preset);
    startCameraMotion(options.motion);
    addTimer(40, onFlapTimer, 0);
    addTimer(20, onWaveTimer, 0);

    std::vector<double> sceneMs;
    Clock::time_point firstMeasured;
    for (long frame = 0; frame < warmUpFrames + options.benchmark; ++frame) {
        runDueTimers();
        onIdle();
        const Clock::time_point start = Clock::now();
        if (frame == warmUpFrames) firstMeasured = start;
        stepCameraMotion();
        onDisplay();
        glFinish();
        if (frame >= warmUpFrames) sceneMs.push_back(millisecondsSince(start));
    }
    const double sceneWallMs = millisecondsSince(firstMeasured);

    std::vector<double> emptyMs;
    for (long i = 0; i < warmUpFrames + options.benchmark; ++i) {
        const Clock::time_point start = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glutSwapBuffers();
        glFinish();
        if (i >= warmUpFrames) emptyMs.push_back(millisecondsSince(start));
    }
    const FrameStats sceneStats = summarise(sceneMs);
    const FrameStats emptyStats = summarise(emptyMs);
    const double fps = sceneWallMs > 0 ? 1000.0 * static_cast<double>(sceneMs.size()) / sceneWallMs : 0.0;
    const double ratio = emptyStats.medianMs > 0 ? sceneStats.medianMs / emptyStats.medianMs : 0.0;
    std::fprintf(stderr, "renderer: %s\n", esRendererName());
    std::fprintf(stderr, "version: %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    std::fprintf(stderr, "drawing: %s\n", straightforwardDrawing() ? "straightforward" : "fast");
    std::fprintf(stderr,
                 "benchmark frames=%zu width=%d height=%d median_ms=%.3f p99_ms=%.3f fps=%.1f "
                 "empty_median_ms=%.3f empty_p99_ms=%.3f ratio=%.2f\n",
                 sceneMs.size(), scene.windowWidth, scene.windowHeight, sceneStats.medianMs, sceneStats.p99Ms, fps,
                 emptyStats.medianMs, emptyStats.p99Ms, ratio);
    std::fprintf(stderr, "frame times ms:");
    for (double ms : sceneMs) std::fprintf(stderr, " %.3f", ms);
    std::fprintf(stderr, "\n");
    return 0;
}
