// mixer_backend.h -- the SDL2_mixer cue backend: plays wave files on one mixer channel.
#pragma once

#include <map>
#include <set>
#include <string>

#include "sound/sound_cue.h"

struct Mix_Chunk;

// Opens SDL's audio subsystem (audio only, never video) and the mixer on the first cue. If that
// fails the backend stays silent for good. Chunks are loaded once per file name and kept; a file
// that fails to load is remembered, so each cause is reported once on standard error and the
// console (standard output) never sees it.
class MixerBackend final : public CueBackend {
public:
    MixerBackend() = default;
    ~MixerBackend() override;
    MixerBackend(const MixerBackend&) = delete;
    MixerBackend& operator=(const MixerBackend&) = delete;

    void play(const std::string& fileName, SoundMode mode) override;

    bool deviceOpen() const { return device_ == Device::Open; }
    // The file name of the cue sounding right now, or "" when nothing does.
    std::string playingCue() const;

private:
    enum class Device { Untried, Open, Failed };

    bool ensureDevice();
    Mix_Chunk* chunkFor(const std::string& fileName);
    void waitUntilDone(int channel, const Mix_Chunk* chunk) const;
    void warnOnce(const std::string& cause, const std::string& message);

    Device device_ = Device::Untried;
    int deviceFrequency_ = 0;
    int deviceBytesPerFrame_ = 0;
    std::map<std::string, Mix_Chunk*> chunks_;  // nullptr: the file could not be loaded
    std::set<std::string> warned_;
};
