// winmm_backend.h -- the Windows cue backend: WINMM's PlaySoundA, which plays one sound at a time,
// in the background, looped or to its end, exactly as the cues want.
#pragma once

#include <set>
#include <string>

#include "sound/sound_cue.h"

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
