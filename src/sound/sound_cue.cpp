// sound_cue.cpp -- SoundCue, the front door of every cue: routes it to the installed backend.
#include "sound/sound_cue.h"

#include <cstdlib>

SoundCue& SoundCue::instance() {
    // Never destroyed: a process-wide object's destructor may still reach the player during exit,
    // after function statics made later than it are gone. The device itself is let go in releaseAtExit.
    static SoundCue* const cue = new SoundCue();
    return *cue;
}

void SoundCue::play(const char* fileName, SoundMode mode) {
    if (exiting_) return;
    if (!backend_ && defaultFactory_ != nullptr) {
        backend_ = defaultFactory_();
        if (!exitHookSet_) {
            // Registered after the process-wide objects are built, so it runs before their destructors.
            exitHookSet_ = std::atexit(&SoundCue::releaseAtExit) == 0;
        }
    }
    if (backend_) backend_->play(fileName ? fileName : "", mode);
}

void SoundCue::setBackend(std::unique_ptr<CueBackend> backend) {
    backend_ = std::move(backend);
}

void SoundCue::shutdown() {
    backend_.reset();
}

void SoundCue::releaseAtExit() {
    SoundCue& cue = instance();
    cue.exiting_ = true;
    cue.backend_.reset();
}

void playCue(const char* fileName, SoundMode mode) {
    SoundCue::instance().play(fileName, mode);
}

void setCueBackend(std::unique_ptr<CueBackend> backend) {
    SoundCue::instance().setBackend(std::move(backend));
}

void setDefaultCueBackendFactory(CueBackendFactory factory) {
    SoundCue::instance().setDefaultFactory(factory);
}

void shutdownCues() {
    SoundCue::instance().shutdown();
}
