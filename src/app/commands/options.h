// options.h -- Glintmere's own command-line options, read after GLUT's.
#pragma once

#include <string>
#include <vector>

#include "app/commands/camera_motion.h"

enum class ScenePreset { Start, Lit, Busy };

struct Options {
    bool help = false;
    bool version = false;
    bool mute = false;
    long frames = 0;     // 0: run until the user quits
    long benchmark = 0;  // 0: no benchmark
    std::string screenshot;
    ScenePreset preset = ScenePreset::Start;
    CameraMotion motion = CameraMotion::Still;
    bool fullscreen = false;
    std::string record;  // empty: no recording
};

struct ParseResult {
    Options options;
    std::string error;  // empty when the arguments were understood
};

// Parses the arguments after the program name. GLUT's own options (-display NAME, -geometry WxH+X+Y,
// -direct, -indirect, -iconic, -gldebug, -sync) are skipped, since glutInit takes them.
ParseResult parseOptions(const std::vector<std::string>& args);

// The --help text, with `recordHelp` as the --record paragraph: what the platform records to.
std::string usageText(const std::string& recordHelp);

// Puts the scene into a preset's state before the first frame (used by --scene for benchmarks).
void applyScenePreset(ScenePreset preset);
