// options.cpp -- parses --help, --version, --mute, --frames, --screenshot, --benchmark, --scene,
// --motion, --fullscreen and --record.
#include "app/commands/options.h"

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "aquarium/tables.h"
#include "core/scene_state.h"

namespace {

enum OptionId { Help = 256, Version, Mute, Frames, Benchmark, Screenshot, Scene, Motion, Fullscreen, Record };

// The value named by `word` in `choices`; false when no choice has that name.
template <typename Value>
bool pickNamed(const std::string& word, std::initializer_list<std::pair<const char*, Value>> choices, Value& out) {
    for (const auto& [name, value] : choices)
        if (word == name) {
            out = value;
            return true;
        }
    return false;
}

constexpr option longOptions[] = {
    {"help", no_argument, nullptr, Help},
    {"version", no_argument, nullptr, Version},
    {"mute", no_argument, nullptr, Mute},
    {"frames", required_argument, nullptr, Frames},
    {"benchmark", required_argument, nullptr, Benchmark},
    {"screenshot", required_argument, nullptr, Screenshot},
    {"scene", required_argument, nullptr, Scene},
    {"motion", required_argument, nullptr, Motion},
    {"fullscreen", no_argument, nullptr, Fullscreen},
    {"record", required_argument, nullptr, Record},
    {nullptr, 0, nullptr, 0},
};
// No short options. '+' stops at the first word that is not an option, so that a stray word is
// refused where it stands; ':' keeps getopt quiet and tells a missing value apart.
constexpr const char* shortOptions = "+:";

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

// getopt_long takes any unambiguous start of a name; Glintmere's options are only ever spelled out.
bool isSpelledOut(const std::string& arg) {
    const std::string name = arg.substr(2, arg.find('=') - 2);
    for (const option* o = longOptions; o->name != nullptr; ++o)
        if (name == o->name) return true;
    return false;
}

// The word as the message names the option: without a value given after '='.
std::string optionName(const std::string& arg) {
    return arg.substr(0, arg.find('='));
}

}  // namespace

ParseResult parseOptions(const std::vector<std::string>& args) {
    ParseResult result;
    Options& o = result.options;

    std::vector<std::string> words{"glintmere"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());

    // optind 0 makes getopt forget an earlier scan, even one left inside a group like "-xy"; a scan
    // of no words then leaves it ready at the first argument, where this one can move it on.
    optind = 0;
    getopt_long(1, argv.data(), shortOptions, longOptions, nullptr);

    // getopt_long reads one option a call; the word it would read next is looked at first, since
    // GLUT's own options (glutInit's to take) would look to it like groups of short options.
    while (optind < argc) {
        const std::string arg = words[static_cast<size_t>(optind)];
        bool takesValue = false;
        if (isGlutOption(arg, takesValue)) {
            optind = std::min(argc, optind + (takesValue ? 2 : 1));
            continue;
        }
        if (arg.rfind("--", 0) == 0 && !isSpelledOut(arg)) {
            result.error = "unrecognized option '" + arg + "'";
            return result;
        }
        const int id = getopt_long(argc, argv.data(), shortOptions, longOptions, nullptr);
        const std::string value = optarg != nullptr ? optarg : "";
        switch (id) {
            case -1:  // a word that is no option
                result.error = "unexpected argument '" + arg + "'";
                return result;
            case ':':
                result.error = "option '" + arg + "' requires an argument";
                return result;
            case '?':  // a value given to an option that takes none, or a short option
                if (arg.rfind("--", 0) == 0)
                    result.error = "option '" + optionName(arg) + "' doesn't allow an argument";
                else
                    result.error = "invalid option -- '" + arg.substr(1) + "'";
                return result;
            case Help:
                o.help = true;
                break;
            case Version:
                o.version = true;
                break;
            case Mute:
                o.mute = true;
                break;
            case Frames:
            case Benchmark:
                if (!parseCount(value, id == Frames ? o.frames : o.benchmark)) {
                    result.error = "invalid frame count '" + value + "' for '" + optionName(arg) + "'";
                    return result;
                }
                break;
            case Screenshot:
                if (value.empty()) {
                    result.error = "option '--screenshot' needs a file name";
                    return result;
                }
                o.screenshot = value;
                break;
            case Scene:
                if (!pickNamed(value,
                               {{"start", ScenePreset::Start}, {"lit", ScenePreset::Lit}, {"busy", ScenePreset::Busy}},
                               o.preset)) {
                    result.error = "unknown scene '" + value + "' (start, lit or busy)";
                    return result;
                }
                break;
            case Motion:
                if (!pickNamed(
                        value,
                        {{"still", CameraMotion::Still}, {"orbit", CameraMotion::Orbit}, {"walk", CameraMotion::Walk}},
                        o.motion)) {
                    result.error = "unknown motion '" + value + "' (still, orbit or walk)";
                    return result;
                }
                break;
            case Fullscreen:
                o.fullscreen = true;
                break;
            case Record:
                if (value.empty()) {
                    result.error = "option '--record' needs a file name";
                    return result;
                }
                o.record = value;
                break;
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

std::string usageText(const std::string& recordHelp) {
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
           "  --fullscreen         cover the whole screen from the first frame\n" +
           recordHelp +
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
