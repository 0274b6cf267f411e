// main.cpp -- the options, then start-up (app/shell/startup.h) and the main loop; a start-up error is also
// handed to the platform, which shows it where the console would close with it unread.
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
#include "app/shell/user_files.h"
#include "core/console.h"
#include "core/scene_state.h"
#include "platform/platform.h"
#include "room/draw/scene.h"
#include "sound/sound_cue.h"

namespace {

// What start-up says on the console, kept while it is said, for the platform's showing of a start-up
// error; the console still gets every word as it comes.
std::string startupTranscript;

void keepStartupTranscript() {
    setConsoleSink([](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
        startupTranscript.append(text);
    });
}

// Standard error's line of a start-up error, which the platform then shows too.
void startupError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    startupTranscript += line + "\n";
}

}  // namespace

int main(int argc, char** argv) {
    ParseResult parsed = parseOptions(platformArguments(argc, argv));
    if (!parsed.error.empty()) {
        startupError("glintmere: " + parsed.error + "\nTry 'glintmere --help' for more information.");
        platformShowStartupError(startupTranscript);
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
    std::filesystem::path screenshot = userFilePath(options.screenshot);
    std::filesystem::path record = userFilePath(options.record);
    // Where the platform starts in the program's own folder (Windows), the files named on the command
    // line are still where the user meant: in the folder the program was started from.
    std::error_code noFolder;
    const std::filesystem::path startFolder = std::filesystem::current_path(noFolder);
    if (platformEnterProgramFolder() && !noFolder) {
        for (std::filesystem::path* file : {&screenshot, &record})
            if (!file->empty() && file->is_relative()) *file = (startFolder / *file).make_preferred();
    }

    keepStartupTranscript();
    StartupSteps steps;
    steps.argc = &argc;
    steps.argv = argv;
    steps.onceDisplayReached = [&record] {
        // The file is opened, or ffmpeg started, before anything shows, so a recording that cannot
        // be made is said at once.
        std::string message;
        if (!record.empty() && !startRecording(record, message)) {
            startupError(message);
            return false;
        }
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
    steps.beforeCallbacks = [&options, &screenshot] {
        applyScenePreset(options.preset);
        startCameraMotion(options.motion);
        if (options.benchmark != 0)
            startBenchmark(options.benchmark);
        else if (options.frames != 0)
            startCountedRun(options.frames, screenshot);
        if (recordingActive()) recordEveryFrame();
    };
    steps.display = options.benchmark != 0 ? benchmarkDisplay : options.frames != 0 ? countedDisplay : onDisplay;
    steps.input = true;
    steps.timers = true;
    steps.hint = true;
    steps.menus = true;
    if (!startUp(steps)) {
        platformShowStartupError(startupTranscript);
        return 1;
    }
    // Started: the console is the console again, and what it says from here on is not start-up's.
    setConsoleSink({});
    startupTranscript.clear();
    glutMainLoop();
    gluDeleteQuadric(sharedQuadric);
    return 0;
}
