// main.cpp -- the options, then start-up (app/shell/startup.h) and the main loop.
#include <GL/freeglut.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/commands/camera_motion.h"
#include "app/commands/options.h"
#include "app/draw/frame_draw.h"
#include "app/shell/recording.h"
#include "app/shell/run_modes.h"
#include "app/shell/startup.h"
#include "core/console.h"
#include "core/scene_state.h"
#include "platform/platform.h"
#include "room/draw/scene.h"
#include "sound/sound_cue.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    ParseResult parsed = parseOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "glintmere: %s\nTry 'glintmere --help' for more information.\n", parsed.error.c_str());
        return 2;
    }
    Options& options = parsed.options;
    if (options.help) {
        consoleWrite(usageText(platformRecordOptionHelp()));
        return 0;
    }
    if (options.version) {
        consoleLine("glintmere " GLINTMERE_VERSION);
        return 0;
    }
    if (options.mute) scene.soundOn = 0;
    // Where the platform starts in the program's own folder (Windows), the files named on the command
    // line are still where the user meant: in the folder the program was started from.
    std::error_code noFolder;
    const std::filesystem::path startFolder = std::filesystem::current_path(noFolder);
    if (platformEnterProgramFolder() && !noFolder) {
        for (std::string* name : {&options.screenshot, &options.record}) {
            // A name or start folder the narrow file calls cannot spell (characters outside the code
            // page) is left as given.
            try {
                if (!name->empty() && std::filesystem::path(*name).is_relative())
                    *name = (startFolder / *name).string();
            } catch (const std::exception&) {
            }
        }
    }

    StartupSteps steps;
    steps.argc = &argc;
    steps.argv = argv;
    steps.onceDisplayReached = [&options] {
        // The file is opened, or ffmpeg started, before anything shows, so a recording that cannot
        // be made is said at once.
        if (!options.record.empty() && !startRecording(options.record)) return false;
        setDefaultCueBackendFactory(platformMakeCueBackend);
        return true;
    };
    steps.music = true;
    steps.fullScreen = options.fullscreen;
    steps.glutWindowCalls = true;
    // Vertical sync keeps the frame-paced aquarium at the display's refresh; the benchmark wants
    // every frame GL can give.
    steps.swapInterval = options.benchmark != 0 ? 0 : 1;
    steps.room = true;
    steps.beforeCallbacks = [&options] {
        applyScenePreset(options.preset);
        startCameraMotion(options.motion);
        if (options.benchmark != 0)
            startBenchmark(options.benchmark);
        else if (options.frames != 0)
            startCountedRun(options.frames, options.screenshot);
        if (recordingActive()) recordEveryFrame();
    };
    steps.display = options.benchmark != 0 ? benchmarkDisplay : options.frames != 0 ? countedDisplay : onDisplay;
    steps.input = true;
    steps.timers = true;
    steps.hint = true;
    steps.menus = true;
    if (!startUp(steps)) return 1;
    glutMainLoop();
    gluDeleteQuadric(sharedQuadric);
    return 0;
}
