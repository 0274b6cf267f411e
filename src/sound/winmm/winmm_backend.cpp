// winmm_backend.cpp -- the WINMM cue backend, and the program's default backend on Windows.
#include "sound/winmm/winmm_backend.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <cstdio>
#include <filesystem>
#include <memory>

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

std::unique_ptr<CueBackend> makeDefaultCueBackend() {
    return std::make_unique<WinmmBackend>();
}
