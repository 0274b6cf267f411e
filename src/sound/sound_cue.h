// sound_cue.h -- the one player of the wave-file cues: one cue at a time, a new one stops the last.
#pragma once

#include <memory>
#include <string>

enum class SoundMode { Blocking, Background, BackgroundLoop };

// What actually makes the sound: the platform's player in the program, a recorder in tests,
// silence where no audio device opens.
class CueBackend {
public:
    virtual ~CueBackend() = default;
    virtual void play(const std::string& fileName, SoundMode mode) = 0;
};

// Makes the backend the player uses when none is installed. The program sets the platform's own
// (platformMakeCueBackend, platform/platform.h) at start-up; with no factory the player stays silent.
using CueBackendFactory = std::unique_ptr<CueBackend> (*)();

// The player. It owns the backend, makes the default one on the first cue, and releases
// it at process exit even when nobody calls shutdownCues (the exit routine leaves through
// std::exit). Once the process is exiting, later cues are dropped instead of reopening
// the device from a destructor.
class SoundCue {
public:
    static SoundCue& instance();

    void play(const char* fileName, SoundMode mode);
    void setBackend(std::unique_ptr<CueBackend> backend);
    void setDefaultFactory(CueBackendFactory factory) { defaultFactory_ = factory; }
    void shutdown();

private:
    SoundCue() = default;
    static void releaseAtExit();

    std::unique_ptr<CueBackend> backend_;
    CueBackendFactory defaultFactory_ = nullptr;
    bool exitHookSet_ = false;
    bool exiting_ = false;
};

// Plays a cue through the installed backend. Callers test soundOn first; the player does not.
void playCue(const char* fileName, SoundMode mode);

// Installs a backend; nullptr goes back to the default, made on the next cue.
void setCueBackend(std::unique_ptr<CueBackend> backend);

// Sets the factory of the default backend.
void setDefaultCueBackendFactory(CueBackendFactory factory);

// Stops whatever plays and releases the backend (and with it the audio device); the next cue
// makes the default backend again. The exit routine does not call it: the backend is released at
// process exit all the same.
void shutdownCues();
