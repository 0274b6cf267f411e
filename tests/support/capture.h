// capture.h -- test helpers: the console as a list of lines, and the cues that were played.
#pragma once

#include <string>
#include <vector>

#include "sound/sound_cue.h"

// Collects everything written to the console while it lives.
class ConsoleCapture {
public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    const std::string& text() const { return text_; }
    std::vector<std::string> lines() const;  // split at newlines; a trailing partial line is kept
    void clear() { text_.clear(); }

private:
    std::string text_;
};

struct PlayedCue {
    std::string fileName;
    SoundMode mode;
    bool operator==(const PlayedCue&) const = default;
};

// The recording backend every test process installs at start; tests read and clear it.
std::vector<PlayedCue>& playedCues();
std::unique_ptr<CueBackend> makeRecordingBackend();

// Puts the scene state, the aquarium tables and the played cues back to how a fresh process has them.
void resetProcessState();
