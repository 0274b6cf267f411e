// sdl_backend.cpp -- placeholder until the SDL2_mixer backend lands: plays nothing.
#include "sound/sound_cue.h"

namespace {
class SilentBackend final : public CueBackend {
public:
    void play(const std::string&, SoundMode) override {}
};
}  // namespace

std::unique_ptr<CueBackend> makeDefaultCueBackend() { return std::make_unique<SilentBackend>(); }
