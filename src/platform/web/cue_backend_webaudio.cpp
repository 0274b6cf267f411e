// cue_backend_webaudio.cpp -- the cues in the browser: wave files played through Web Audio by the page
// (cue_webaudio.js), with the cue player's rules.
//
// Implemented features:
//  [X] the three modes: once in the background, looped until replaced, and blocking until the cue has played
//  [X] one cue at a time: every cue, even one that cannot sound, stops the one playing
//  [X] a blocking cue holds drawing, input and timers until it has played, as the desktop program waits;
//      cues asked for during it play after it, in order
//  [X] browsers start sound only after a key or a click: until then the page says so, and the looped
//      cue playing at that moment (the music) starts with the first one
//  [X] a missing or undecodable file: silent, one warning per file name on standard error
//  [X] a log of the cues and an analyser of what sounds, which the page's tests read
// Missing features:
//  [ ] a choice of output device: the browser's
//  [ ] a cue that is not looped and was asked for before the first key or click never sounds: it would
//      come late
//  [ ] the frame in which a blocking cue is asked (a fish leaving) is shown as the cue starts; the desktop
//      program shows it once the cue has played, since it waits in the middle of that frame
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/web/page_calls.h"
#include "sound/sound_cue.h"

namespace {

// The page keeps the sound itself: its audio context outlives this object, so that the clap of the exit
// goes on playing after the program has ended.
class WebAudioBackend final : public CueBackend {
public:
    void play(const std::string& fileName, SoundMode mode) override {
        const int pageMode = mode == SoundMode::Background ? 0 : mode == SoundMode::BackgroundLoop ? 1 : 2;
        pageCuePlay(fileName.c_str(), pageMode);
    }
};

}  // namespace

std::unique_ptr<CueBackend> platformMakeCueBackend() {
    return std::make_unique<WebAudioBackend>();
}
