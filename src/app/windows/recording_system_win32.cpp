// recording_system_win32.cpp -- --record on Windows: .y4m files only. Feeding ffmpeg would take a
// pipe, a child process and ffmpeg found on the PATH; a .y4m file needs none of them, and ffmpeg
// converts it afterwards wherever it is installed.
#include <cerrno>

#include "app/shell/recording_system.h"

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

const char* recordOptionHelp() {
    return "  --record FILE        write every frame shown to FILE as a video of 60 frames a second;\n"
           "                       FILE must end in .y4m, the only format written on Windows (ffmpeg\n"
           "                       converts it to others); with --frames N, a clip of N frames\n";
}

void prepareToWriteFiles() {
    // A write past what the disk holds fails with an error on Windows; nothing can end the program.
}

bool startVideoEncoder(const std::string& fileName, std::string& whyNot) {
    whyNot = "on Windows Glintmere records only .y4m files (record to " + asY4mName(fileName) +
             ", and convert it with ffmpeg if you need another format)";
    return false;
}

// Never reached: no encoder starts.
int writeToVideoEncoder(const uint8_t*, size_t, long long&) {
    return EPIPE;
}

long long videoEncoderUnreadBytes() {
    return 0;
}

VideoEncoderEnd finishVideoEncoder() {
    return {};
}
