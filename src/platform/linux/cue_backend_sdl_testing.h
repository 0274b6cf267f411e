// cue_backend_sdl_testing.h -- what the SDL2_mixer backend's tests read of it.
#pragma once

#include <string>

class CueBackend;

// Whether `backend`, made by platformMakeCueBackend, has the audio device open.
bool sdlCueDeviceOpen(const CueBackend& backend);

// The file name of the cue `backend` sounds right now, or "" when nothing does.
std::string sdlPlayingCue(const CueBackend& backend);
