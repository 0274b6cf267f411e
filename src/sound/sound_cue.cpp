// sound_cue.cpp -- routes every cue to the installed backend.
#include "sound/sound_cue.h"

namespace {
std::unique_ptr<CueBackend>& installed() {
    static std::unique_ptr<CueBackend> backend;
    return backend;
}
}  // namespace

void playCue(const char* fileName, SoundMode mode) {
    if (!installed()) installed() = makeDefaultCueBackend();
    if (installed()) installed()->play(fileName ? fileName : "", mode);
}

void setCueBackend(std::unique_ptr<CueBackend> backend) { installed() = std::move(backend); }

void shutdownCues() { installed().reset(); }
