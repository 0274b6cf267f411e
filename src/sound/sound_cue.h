// sound_cue.h -- the one player of the wave-file cues: one cue at a time, a new one stops the last.
#pragma once

#include <memory>
#include <string>

enum class SoundMode { Blocking, Background, BackgroundLoop };

// What actually makes the sound: SDL2_mixer in the program, a recorder in tests,
// silence where no audio device opens.
class CueBackend {
public:
    virtual ~CueBackend() = default;
    virtual void play(const std::string& fileName, SoundMode mode) = 0;
};

// Plays a cue through the installed backend. Callers test soundOn first; the player does not.
void playCue(const char* fileName, SoundMode mode);

// Installs a backend; nullptr goes back to the default, made on the next cue.
void setCueBackend(std::unique_ptr<CueBackend> backend);

// The program's default backend (SDL2_mixer, falling back to silence).
std::unique_ptr<CueBackend> makeDefaultCueBackend();

// Stops whatever plays and releases the audio device; the exit path calls it after the last cue.
void shutdownCues();
