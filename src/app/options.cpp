// options.cpp -- parses --help, --version, --mute, --frames, --screenshot, --benchmark, --scene,
// --motion, --fullscreen and --record.
#include "app/options.h"

#include <cerrno>
#include <cstdlib>

#include "app/scene_state.h"
#include "aquarium/tables.h"

namespace {

bool parseCount(const std::string& text, long& out) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0' || value <= 0) return false;
    out = value;
    return true;
}

bool isGlutOption(const std::string& arg, bool& takesValue) {
    takesValue = arg == "-display" || arg == "-geometry";
    return takesValue || arg == "-direct" || arg == "-indirect" || arg == "-iconic" || arg == "-gldebug" ||
           arg == "-sync";
}

}  // namespace

ParseResult parseOptions(const std::vector<std::string>& args) {
    ParseResult result;
    Options& o = result.options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool takesValue = false;
        if (isGlutOption(arg, takesValue)) {
            if (takesValue) ++i;
            continue;
        }
        std::string name = arg, value;
        bool inlineValue = false;
        if (arg.rfind("--", 0) == 0) {
            size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
                inlineValue = true;
            }
        }
        auto needValue = [&]() -> bool {
            if (inlineValue) return true;
            if (i + 1 >= args.size()) {
                result.error = "option '" + name + "' requires an argument";
                return false;
            }
            value = args[++i];
            return true;
        };
        auto noValue = [&]() -> bool {
            if (inlineValue) result.error = "option '" + name + "' doesn't allow an argument";
            return !inlineValue;
        };

        if (name == "--help") {
            if (!noValue()) return result;
            o.help = true;
        } else if (name == "--version") {
            if (!noValue()) return result;
            o.version = true;
        } else if (name == "--mute") {
            if (!noValue()) return result;
            o.mute = true;
        } else if (name == "--frames" || name == "--benchmark") {
            if (!needValue()) return result;
            long& target = name == "--frames" ? o.frames : o.benchmark;
            if (!parseCount(value, target)) {
                result.error = "invalid frame count '" + value + "' for '" + name + "'";
                return result;
            }
        } else if (name == "--screenshot") {
            if (!needValue()) return result;
            if (value.empty()) {
                result.error = "option '--screenshot' needs a file name";
                return result;
            }
            o.screenshot = value;
        } else if (name == "--scene") {
            if (!needValue()) return result;
            if (value == "start")
                o.preset = ScenePreset::Start;
            else if (value == "lit")
                o.preset = ScenePreset::Lit;
            else if (value == "busy")
                o.preset = ScenePreset::Busy;
            else {
                result.error = "unknown scene '" + value + "' (start, lit or busy)";
                return result;
            }
        } else if (name == "--motion") {
            if (!needValue()) return result;
            if (value == "still")
                o.motion = CameraMotion::Still;
            else if (value == "orbit")
                o.motion = CameraMotion::Orbit;
            else if (value == "walk")
                o.motion = CameraMotion::Walk;
            else {
                result.error = "unknown motion '" + value + "' (still, orbit or walk)";
                return result;
            }
        } else if (name == "--fullscreen") {
            if (!noValue()) return result;
            o.fullscreen = true;
        } else if (name == "--record") {
            if (!needValue()) return result;
            if (value.empty()) {
                result.error = "option '--record' needs a file name";
                return result;
            }
            o.record = value;
        } else if (arg.rfind("--", 0) == 0) {
            result.error = "unrecognized option '" + arg + "'";
            return result;
        } else if (arg.rfind("-", 0) == 0 && arg.size() > 1) {
            result.error = "invalid option -- '" + arg.substr(1) + "'";
            return result;
        } else {
            result.error = "unexpected argument '" + arg + "'";
            return result;
        }
    }
    if (!o.screenshot.empty() && o.frames == 0) result.error = "option '--screenshot' needs '--frames N'";
    if (o.motion != CameraMotion::Still && o.frames == 0 && o.benchmark == 0)
        result.error = "option '--motion' needs '--frames N' or '--benchmark N'";
    if (o.benchmark != 0 && o.frames != 0) result.error = "options '--benchmark' and '--frames' exclude each other";
    // A recording would be timed with the frames it measures.
    if (o.benchmark != 0 && !o.record.empty()) result.error = "options '--benchmark' and '--record' exclude each other";
    return result;
}

std::string usageText() {
    return "Usage: glintmere [GLUT OPTIONS] [OPTION]...\n"
           "Show a furnished 3-D room with a living aquarium; press F1 or h in the window for the keys.\n"
           "\n"
           "  --mute               start with sound off\n"
           "  --frames N           quit through the normal exit after N frames\n"
           "  --screenshot FILE    with --frames, save the last frame as a PNG image\n"
           "  --benchmark N        draw N frames without vertical sync, then print frame times\n"
           "                       to standard error and quit\n"
           "  --scene NAME         start from a prepared scene: start (default), lit (lighting and\n"
           "                       all four lights on) or busy (lit, ten fish and all 64 worms)\n"
           "  --motion NAME        with --frames or --benchmark, move the camera every frame: still\n"
           "                       (default), orbit (the perspective view turning a degree a frame)\n"
           "                       or walk (the walk-through eye stepping and turning)\n"
           "  --fullscreen         cover the whole screen from the first frame\n"
           "  --record FILE        write every frame shown to FILE as a video of 60 frames a second:\n"
           "                       a .y4m name is written directly, any other (.mp4, .webm) through\n"
           "                       ffmpeg; with --frames N, a clip of N frames\n"
           "  --help               show this help and exit\n"
           "  --version            show the version and exit\n"
           "\n"
           "GLUT options such as -display NAME and -geometry WxH+X+Y are also accepted.\n"
           "The program reads texture/ and musics/ from its working directory.\n";
}

void applyScenePreset(ScenePreset preset) {
    if (preset == ScenePreset::Start) return;
    scene.texturesOn = 1;
    scene.lightingOn = 1;
    scene.ceilingLightOff = 0;
    scene.leftLampOff = 0;
    scene.rightLampOff = 0;
    scene.frontLampOff = 0;
    if (preset == ScenePreset::Busy) {
        for (Fish& fish : fishes) fish.alive = 1.0f;
        for (Worm& worm : worms) worm.alive = 1.0f;
    }
}
