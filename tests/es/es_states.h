// es_states.h -- the states whose frames are drawn both through Mesa's fixed function (the reference
// program) and through the ES layer (the ES tests), by the same steps in both processes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

constexpr int esFrameWidth = 1200;
constexpr int esFrameHeight = 600;

struct EsState {
    const char* name;
    int frames;
    void (*prepare)();  // sets the scene up, after the common start
};

// How GoogleTest names a state in its reports.
inline void PrintTo(const EsState& state, std::ostream* out) {
    *out << state.name;
}

// Every state, in the order both programs draw them.
const std::vector<EsState>& esStates();

// Once, with a context current and the room's lights, textures and quadric ready: keeps the process's
// state as the start every state is drawn from.
void keepEsStart();

// The frames of `state` from the common start: the process state put back, the clock fixed, GL's
// state made plain, then `state.prepare` and `state.frames` frames, each read back as packed RGB rows
// bottom up. `beforeFrame` runs before each frame (to plant a fault, say).
std::vector<std::vector<unsigned char>> drawEsState(const EsState& state, void (*beforeFrame)(int frame) = nullptr);

// Where the reference program writes a frame, under `folder`.
std::string esFrameFile(const std::string& folder, const EsState& state, int frame);
