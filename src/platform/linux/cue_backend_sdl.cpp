// cue_backend_sdl.cpp -- the cues on Linux: wave files played by SDL2_mixer on one mixer channel.
//
// Implemented features:
//  [X] the three modes: once in the background, looped until replaced, and blocking until the cue ends
//  [X] one cue at a time: every cue, even one that cannot sound, halts the one playing
//  [X] no audio device: silence for good, after one line on standard error
//  [X] a missing, empty, truncated or non-wave file: silent, one warning per file name on standard error
//  [X] a blocking cue gives up after its own length and two seconds, so a stalled device cannot hang
// Missing features:
//  [ ] a choice of device: SDL's default one, or the driver SDL_AUDIODRIVER names
//  [ ] a wave file changed on disk after its first cue: each file is read once and kept
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "platform/linux/cue_backend_sdl_testing.h"
#include "platform/platform.h"
#include "sound/sound_cue.h"

namespace {
// Every cue goes to this one channel: halting it before each new cue gives one cue at a time.
constexpr int cueChannel = 0;
// A blocking cue waits for its own length plus this much, so a stalled device cannot hang the program.
constexpr Uint32 blockingSlackMs = 2000;
constexpr Uint32 pollMs = 5;

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

}  // namespace

MixerBackend::~MixerBackend() {
    if (device_ != Device::Open) return;
    Mix_HaltChannel(-1);
    for (auto& [name, chunk] : chunks_)
        if (chunk) Mix_FreeChunk(chunk);
    chunks_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void MixerBackend::warnOnce(const std::string& cause, const std::string& message) {
    if (!warned_.insert(cause).second) return;
    std::fprintf(stderr, "glintmere: %s\n", message.c_str());
    std::fflush(stderr);
}

bool MixerBackend::ensureDevice() {
    if (device_ == Device::Open) return true;
    if (device_ == Device::Failed) return false;
    device_ = Device::Failed;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        warnOnce("device", std::string("no audio device (") + SDL_GetError() + "), sound is off");
        return false;
    }
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        warnOnce("device", std::string("cannot open the audio device (") + Mix_GetError() + "), sound is off");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&deviceFrequency_, &format, &channels) == 0 || deviceFrequency_ <= 0) {
        warnOnce("device", std::string("the audio device reports no format (") + Mix_GetError() + "), sound is off");
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    deviceBytesPerFrame_ = static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) * channels;
    // A wave file cut short is refused rather than played in part.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "verystrict");
    device_ = Device::Open;
    return true;
}

Mix_Chunk* MixerBackend::chunkFor(const std::string& fileName) {
    auto found = chunks_.find(fileName);
    if (found != chunks_.end()) return found->second;
    Mix_Chunk* chunk = fileName.empty() ? nullptr : Mix_LoadWAV(fileName.c_str());
    if (!chunk) {
        const char* why = fileName.empty() ? "no file name" : Mix_GetError();
        warnOnce("file:" + fileName, "cannot play \"" + fileName + "\" (" + why + "), it stays silent");
    }
    chunks_.emplace(fileName, chunk);
    return chunk;
}

void MixerBackend::waitUntilDone(int channel, const Mix_Chunk* chunk) const {
    Uint64 lengthMs = 0;
    if (deviceFrequency_ > 0 && deviceBytesPerFrame_ > 0)
        lengthMs = static_cast<Uint64>(chunk->alen) * 1000 / deviceBytesPerFrame_ / deviceFrequency_;
    const Uint64 deadline = SDL_GetTicks64() + lengthMs + blockingSlackMs;
    while (Mix_Playing(channel) != 0 && Mix_GetChunk(channel) == chunk && SDL_GetTicks64() < deadline)
        SDL_Delay(pollMs);
}

void MixerBackend::play(const std::string& fileName, SoundMode mode) {
    if (!ensureDevice()) return;
    // Any cue, even one that cannot sound, stops the one playing.
    Mix_HaltChannel(-1);
    Mix_Chunk* chunk = chunkFor(fileName);
    if (!chunk) return;
    const int loops = mode == SoundMode::BackgroundLoop ? -1 : 0;
    const int channel = Mix_PlayChannel(cueChannel, chunk, loops);
    if (channel < 0) {
        warnOnce("play", std::string("the mixer refused a cue (") + Mix_GetError() + ")");
        return;
    }
    if (mode == SoundMode::Blocking) waitUntilDone(channel, chunk);
}

std::string MixerBackend::playingCue() const {
    if (device_ != Device::Open || Mix_Playing(cueChannel) == 0) return "";
    const Mix_Chunk* sounding = Mix_GetChunk(cueChannel);
    for (const auto& [name, chunk] : chunks_)
        if (chunk && chunk == sounding) return name;
    return "";
}

std::unique_ptr<CueBackend> platformMakeCueBackend() {
    return std::make_unique<MixerBackend>();
}

bool sdlCueDeviceOpen(const CueBackend& backend) {
    const auto* mixer = dynamic_cast<const MixerBackend*>(&backend);
    return mixer != nullptr && mixer->deviceOpen();
}

std::string sdlPlayingCue(const CueBackend& backend) {
    const auto* mixer = dynamic_cast<const MixerBackend*>(&backend);
    return mixer != nullptr ? mixer->playingCue() : "";
}
