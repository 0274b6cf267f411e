// cue_backend_winmm.cpp -- the cues on Windows: WINMM's PlaySoundW, which plays one sound at a time,
// in the background, looped or to its end, exactly as the cues want. The program reads each wave file
// itself, checks it, and hands PlaySoundW the bytes.
//
// Implemented features:
//  [X] the three modes: SND_ASYNC, SND_ASYNC | SND_LOOP, and SND_SYNC for a blocking cue
//  [X] one cue at a time: every cue, even one that cannot sound, stops the one playing
//  [X] no wave-out device: silence for good, after one line on standard error
//  [X] a missing file, or one that is not a PCM wave file (checked before it plays, so a background
//      cue says so too): silent, one warning per file name
//  [X] the files found by their relative names from a folder of any name and length: PlaySound's own
//      file reading spells the full path in the ANSI code page and in at most 128 characters, so the
//      bytes are read here and played from memory (SND_MEMORY)
// Missing features:
//  [ ] a time limit on a blocking cue: PlaySoundW holds the caller for as long as the device takes
//  [ ] compressed wave files (ADPCM and the like): only PCM, which the generated cues are, is played
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sound/sound_cue.h"

namespace {

uint32_t readLe32(const std::vector<char>& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

uint16_t readLe16(const std::vector<char>& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// A RIFF WAVE file, whole, whose "fmt " chunk describes PCM a wave-out device plays (1 or 2 channels of
// 8 or 16 bits) and whose "data" chunk lies within the file: what PlaySoundW plays. PlaySoundW would say no
// to anything else only while playing it, which in the background is after it has returned.
bool playableWave(const std::vector<char>& bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    // PlaySoundW takes the length of the sound in memory from this size alone: more than the file
    // holds, and it would read past the bytes.
    if (readLe32(bytes, 4) > bytes.size() - 8) return false;
    bool format = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        uint32_t size = readLe32(bytes, at + 4);
        if (size > bytes.size() - at - 8) return false;  // a chunk past the end: a cut file
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
            if (size < 16) return false;
            uint16_t tag = readLe16(bytes, at + 8), channels = readLe16(bytes, at + 10);
            uint32_t rate = readLe32(bytes, at + 12);
            uint16_t blockAlign = readLe16(bytes, at + 20), bits = readLe16(bytes, at + 22);
            format = tag == WAVE_FORMAT_PCM && (channels == 1 || channels == 2) && (bits == 8 || bits == 16) &&
                     rate > 0 && blockAlign == channels * bits / 8;
            if (!format) return false;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            return format && size > 0;
        }
        at += 8 + size + (size & 1);  // chunks are padded to an even size
    }
    return false;
}

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
    void stop();

    enum class Device { Untried, Present, Absent };
    Device device_ = Device::Untried;
    std::set<std::string> warned_;
    // The bytes of the cue playing: PlaySoundW reads them while it plays, so they are kept until the
    // sound has been stopped.
    std::vector<char> playing_;
};

}  // namespace

WinmmBackend::~WinmmBackend() {
    // A looping cue would otherwise go on until the process ends, reading freed memory.
    if (device_ == Device::Present) stop();
}

void WinmmBackend::stop() {
    PlaySoundW(nullptr, nullptr, 0);
    playing_.clear();
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
    stop();
    std::ifstream file(fileName, std::ios::binary);
    if (fileName.empty() || !file) {
        warnOnce("file:" + fileName, "cannot play \"" + fileName + "\" (no such file), it stays silent");
        return;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad() || !playableWave(bytes)) {
        warnOnce("file:" + fileName,
                 "cannot play \"" + fileName + "\" (not a wave file the device plays), it stays silent");
        return;
    }
    // SND_NODEFAULT: a sound that cannot be played stays silent instead of ringing the system's sound.
    DWORD flags = SND_MEMORY | SND_NODEFAULT;
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
    playing_ = std::move(bytes);
    if (!PlaySoundW(reinterpret_cast<LPCWSTR>(playing_.data()), nullptr, flags)) {
        playing_.clear();
        warnOnce("file:" + fileName,
                 "cannot play \"" + fileName + "\" (not a wave file the device plays), it stays silent");
    }
}

std::unique_ptr<CueBackend> platformMakeCueBackend() {
    return std::make_unique<WinmmBackend>();
}
