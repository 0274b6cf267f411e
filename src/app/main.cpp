// main.cpp -- start-up: music, window, lights, textures, callbacks, timers, hint, menus, main loop.
#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/camera_motion.h"
#include "app/console.h"
#include "app/frame.h"
#include "app/glut_platform.h"
#include "app/menu.h"
#include "app/options.h"
#include "app/platform.h"
#include "app/recording.h"
#include "app/run_modes.h"
#include "app/scene_state.h"
#include "app/swap_interval.h"
#include "controls/keyboard.h"
#include "controls/special_keys.h"
#include "room/render_state.h"
#include "room/scene.h"
#include "room/textures.h"
#include "sound/mixer_backend.h"
#include "sound/sound_cue.h"
#include "view/projection.h"

namespace {

// freeglut ends the process with a terse message when it cannot reach the display; say plainly what
// is wrong before anything starts.
bool displayReachable(const std::vector<std::string>& args) {
    const char* name = nullptr;
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "-display") name = args[i + 1].c_str();
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        const char* shown = name != nullptr ? name : std::getenv("DISPLAY");
        std::fprintf(stderr,
                     "glintmere: cannot open the X display \"%s\"; Glintmere needs a graphical session "
                     "(set DISPLAY, or run it under xvfb-run)\n",
                     shown != nullptr ? shown : "");
        return false;
    }
    XCloseDisplay(display);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    ParseResult parsed = parseOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "glintmere: %s\nTry 'glintmere --help' for more information.\n", parsed.error.c_str());
        return 2;
    }
    const Options& options = parsed.options;
    if (options.help) {
        consoleWrite(usageText());
        return 0;
    }
    if (options.version) {
        consoleLine("glintmere " GLINTMERE_VERSION);
        return 0;
    }
    if (!displayReachable(args)) return 1;
    if (options.mute) scene.soundOn = 0;
    // The file is opened, or ffmpeg started, before anything shows, so a recording that cannot
    // be made is said at once.
    if (!options.record.empty() && !startRecording(options.record)) return 1;

    setDefaultCueBackendFactory(makeDefaultCueBackend);
    if (scene.soundOn != 0) playCue("musics/CHECKERS.wav", SoundMode::BackgroundLoop);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    // Full screen: the window is made at the screen's size and then handed to GLUT's full-screen
    // call, so that even the first frame covers the screen.
    if (options.fullscreen) {
        glutInitWindowPosition(0, 0);
        glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    } else {
        glutInitWindowSize(scene.windowWidth, scene.windowHeight);
    }
    scene.mainWindow = glutCreateWindow("Furniture");
    if (options.fullscreen) glutFullScreen();
    installGlutPlatform();
    // Vertical sync keeps the frame-paced aquarium at the display's refresh; the benchmark wants
    // every frame GL can give.
    requestSwapInterval(options.benchmark != 0 ? 0 : 1);
    initLights();
    loadTextures();
    sharedQuadric = gluNewQuadric();
    applyScenePreset(options.preset);
    startCameraMotion(options.motion);
    if (options.benchmark != 0) {
        startBenchmark(options.benchmark);
        glutDisplayFunc(benchmarkDisplay);
    } else if (options.frames != 0) {
        startCountedRun(options.frames, options.screenshot);
        glutDisplayFunc(countedDisplay);
    } else {
        glutDisplayFunc(onDisplay);
    }
    if (recordingActive()) recordEveryFrame();
    glutReshapeFunc(applyProjection);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutMotionFunc(onMouseMotion);
    glutIdleFunc(onIdle);
    glutSetCursor(GLUT_CURSOR_CROSSHAIR);
    glutTimerFunc(40, onFlapTimer, 0);
    glutTimerFunc(20, onWaveTimer, 0);
    consoleLine("Press 'F1' or 'h' for help");
    buildMenus();
    glutMainLoop();
    gluDeleteQuadric(sharedQuadric);
    return 0;
}
