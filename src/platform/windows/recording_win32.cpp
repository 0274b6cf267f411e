// recording_win32.cpp -- what --record needs on Windows: nothing but the file.
//
// Implemented features:
//  [X] .y4m files, written by the shell through standard C++ file I/O
//  [X] any other name refused at start, with the .y4m name to use instead
// Missing features:
//  [ ] ffmpeg: feeding it would take a pipe, a child process and ffmpeg found on the PATH; a .y4m
//      file needs none of them, and ffmpeg converts it afterwards wherever it is installed
#include <cerrno>

#include "platform/platform.h"

namespace {

// `fileName` with its extension, or the end of it when it has none, made .y4m.
std::string asY4mName(const std::string& fileName) {
    size_t folderEnd = fileName.find_last_of("/\\:");
    size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    size_t dot = fileName.rfind('.');
    // A leading dot ("/.hidden") starts a name, not an extension.
    if (dot == std::string::npos || dot <= nameStart) return fileName + ".y4m";
    return fileName.substr(0, dot) + ".y4m";
}

}  // namespace

const char* platformRecordOptionHelp() {
    return "  --record FILE        write every frame shown to FILE as a video of 60 frames a second;\n"
           "                       FILE must end in .y4m, the only format written on Windows (ffmpeg\n"
           "                       converts it to others); with --frames N, a clip of N frames\n";
}

bool platformCanRecord(std::string&) {
    return true;
}

void platformPrepareToWriteFiles() {
    // A write past what the disk holds fails with an error on Windows; nothing can end the program.
}

bool platformStartVideoEncoder(const std::string& fileName, std::string& whyNot) {
    whyNot = "on Windows Glintmere records only .y4m files (record to " + asY4mName(fileName) +
             ", and convert it with ffmpeg if you need another format)";
    return false;
}

// Never reached: no encoder starts.
int platformWriteToVideoEncoder(const uint8_t*, size_t, long long&) {
    return EPIPE;
}

long long platformVideoEncoderUnreadBytes() {
    return 0;
}

VideoEncoderEnd platformFinishVideoEncoder() {
    return {};
}
