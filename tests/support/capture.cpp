// capture.cpp -- console capture, cue recording and process-state reset for the tests.
#include "support/capture.h"

#include <algorithm>
#include <iterator>

#include "aquarium/feeder.h"
#include "aquarium/random.h"
#include "aquarium/random_testing.h"
#include "aquarium/tables.h"
#include "core/console.h"
#include "core/scene_state.h"
#include "support/process_state.h"
#include "view/walk.h"

ConsoleCapture::ConsoleCapture() {
    setConsoleSink([this](std::string_view t) { text_.append(t); });
}

ConsoleCapture::~ConsoleCapture() {
    setConsoleSink({});
}

std::vector<std::string> ConsoleCapture::lines() const {
    std::vector<std::string> out;
    std::string current;
    for (char c : text_) {
        if (c == '\n') {
            out.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) out.push_back(current);
    return out;
}

std::vector<PlayedCue>& playedCues() {
    static std::vector<PlayedCue> cues;
    return cues;
}

namespace {
class RecordingBackend final : public CueBackend {
public:
    void play(const std::string& fileName, SoundMode mode) override { playedCues().push_back({fileName, mode}); }
};
}  // namespace

std::unique_ptr<CueBackend> makeRecordingBackend() {
    return std::make_unique<RecordingBackend>();
}

void resetProcessState() {
    scene = startSceneKeepingHandles(scene);  // a GL test's window outlives the reset, as the program's does
    computeStartViewDistance();
    updateLookDirection();
    bowlFeeder.resetFeeder();
    std::fill(std::begin(fishHasTarget), std::end(fishHasTarget), 0);
    std::fill(std::begin(fishTargetWorm), std::end(fishTargetWorm), 0);
    setTimeSource({});
    setDefaultCueBackendFactory(nullptr);
    setCueBackend(makeRecordingBackend());
    playedCues().clear();
}
