// cue_backend_winmm.cpp -- the cues on Windows: WINMM's PlaySoundA, which plays one sound at a time,
// in the background, looped or to its end, exactly as the cues want.
//
// Implemented features:
//  [X] the three modes: SND_ASYNC, SND_ASYNC | SND_LOOP, and SND_SYNC for a blocking cue
//  [X] one cue at a time: every cue, even one that cannot sound, stops the one playing
//  [X] no wave-out device: silence for good, after one line on standard error
//  [X] a missing file, or one a blocking cue cannot play: silent, one warning per file name
// Missing features:
//  [ ] a time limit on a blocking cue: PlaySoundA holds the caller for as long as the device takes
//  [ ] a warning for a broken file in a background cue: asynchronous PlaySoundA returns before it reads
//      the file, and a file it cannot play then stays silent without a word
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "platform/platform.h"
#include "sound/sound_cue.h"

namespace {

// With no wave-out device the backend stays silent for good, after one line on standard error; a
// file that cannot be played is said once per file name, and the console (standard output) never
// sees either.
class WinmmBackend final : public CueBackend {
public:
    WinmmBackend() = default;
    ~WinmmBackend() override;
    WinmmBackend(const WinmmBackend&) = delete;
    WinmmBackend& operator=(const WinmmBackend&) = delete;

    void play(const std::string& fileName, SoundMode mode) override;

private:
    void warnOnce(const std::string& cause, const std::string& message);

    enum class Device { Untried, Present, Absent };
    Device device_ = Device::Untried;
    std::set<std::string> warned_;
};

}  // namespace

WinmmBackend::~WinmmBackend() {
    // A looping cue would otherwise go on until the process ends.
    if (device_ == Device::Present) PlaySoundA(nullptr, nullptr, 0);
}

void WinmmBackend::warnOnce(const std::string& cause, const std::string& message) {
    if (!warned_.insert(cause).second) return;
    std::fprintf(stderr, "glintmere: %s\n", message.c_str());
    std::fflush(stderr);
}

void WinmmBackend::play(const std::string& fileName, SoundMode mode) {
    if (device_ == Device::Untried) {
        device_ = waveOutGetNumDevs() > 0 ? Device::Present : Device::Absent;
        if (device_ == Device::Absent) warnOnce("device", "no audio device, sound is off");
    }
    if (device_ == Device::Absent) return;
    // Any cue, even one that cannot sound, stops the one playing.
    PlaySoundA(nullptr, nullptr, 0);
    std::error_code error;
    if (fileName.empty() || !std::filesystem::is_regular_file(fileName, error)) {
        warnOnce("file:" + fileName, "cannot play \"" + fileName + "\" (no such file), it stays silent");
        return;
    }
    // SND_NODEFAULT: a file that cannot be played stays silent instead of ringing the system's sound.
    DWORD flags = SND_FILENAME | SND_NODEFAULT;
    switch (mode) {
        case SoundMode::Blocking:
            flags |= SND_SYNC;
            break;
        case SoundMode::Background:
            flags |= SND_ASYNC;
            break;
        case SoundMode::BackgroundLoop:
            flags |= SND_ASYNC | SND_LOOP;
            break;
    }
    if (!PlaySoundA(fileName.c_str(), nullptr, flags))
        warnOnce("file:" + fileName,
                 "cannot play \"" + fileName + "\" (not a wave file the device plays), it stays silent");
}

std::unique_ptr<CueBackend> platformMakeCueBackend() {
    return std::make_unique<WinmmBackend>();
}
