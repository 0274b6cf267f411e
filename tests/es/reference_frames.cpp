// reference_frames.cpp -- draws the ES tests' states through Mesa's fixed function in a GLX window on
// the X display and writes each frame, as packed RGB rows bottom up, to the folder named on the command line.
// The ES tests compare the layer's frames with these; the two cannot share a process, as the layer
// defines the very GL names libGL does.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "es/es_states.h"
#include "room/room_gl.h"
#include "sound/sound_cue.h"
#include "support/capture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(folder);
    setCueBackend(makeRecordingBackend());
    roomtest::ensureRoomReady();
    keepEsStart();
    for (const EsState& state : esStates()) {
        const auto frames = drawEsState(state);
        for (int i = 0; i < state.frames; ++i) {
            std::ofstream out(esFrameFile(folder.string(), state, i), std::ios::binary);
            out.write(reinterpret_cast<const char*>(frames[static_cast<size_t>(i)].data()),
                      static_cast<std::streamsize>(frames[static_cast<size_t>(i)].size()));
            if (!out) {
                std::fprintf(stderr, "reference_frames: cannot write into %s\n", folder.c_str());
                return 1;
            }
        }
    }
    return 0;
}
