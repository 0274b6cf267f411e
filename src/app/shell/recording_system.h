// recording_system.h -- what --record needs of the system beneath the shell: a file-size limit
// that fails a write rather than the program, and ffmpeg fed through a pipe for the formats other
// than .y4m. POSIX on Linux (app/linux), Win32 on Windows (app/windows). Each platform folder
// defines all of it; the .y4m stream itself and every message of a recording are app/shell's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The --record paragraph of --help, option name included, each line ending in a newline: what
// the platform can record to.
const char* recordOptionHelp();

// Readies the process to write a .y4m file: a write past a file-size limit must fail with "File too
// large" and end the recording, not end the program.
void prepareToWriteFiles();

// Starts ffmpeg writing `fileName` from the YUV4MPEG2 stream it is then given. False, with why
// (one phrase, for "cannot record to FILE: WHY"), when it cannot.
bool startVideoEncoder(const std::string& fileName, std::string& whyNot);

// Writes all of `size` bytes into ffmpeg's input, and adds to `written` every byte that went in,
// a part of a failed write included. 0, or the errno value that stopped it (EPIPE: ffmpeg closed
// its input).
int writeToVideoEncoder(const uint8_t* data, size_t size, long long& written);

// The bytes written that ffmpeg has not read yet.
long long videoEncoderUnreadBytes();

struct VideoEncoderEnd {
    bool well = true;  // ffmpeg ended with status 0
    std::string how;   // "ended with status 3", "ended on signal 9 (Killed)"
};

// Closes ffmpeg's input and waits for it to end.
VideoEncoderEnd finishVideoEncoder();
