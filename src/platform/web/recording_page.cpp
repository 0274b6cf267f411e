// recording_page.cpp -- what --record needs in the browser: a refusal, since a page writes no files.
//
// Implemented features:
//  [X] --record refused before anything starts, saying that the desktop program records
// Missing features:
//  [ ] recording in the page: the browser's own screen recording, or the desktop program, does it
#include <cerrno>

#include "platform/platform.h"

const char* platformRecordOptionHelp() {
    return "  --record FILE        not in the browser, where a page writes no files; the desktop\n"
           "                       program records (glintmere --record clip.mp4)\n";
}

bool platformCanRecord(std::string& whyNot) {
    whyNot = "a web page writes no files; record with the desktop program (glintmere --record clip.mp4)";
    return false;
}

// Never reached: nothing is recorded.
void platformPrepareToWriteFiles() {}

bool platformStartVideoEncoder(const std::string&, std::string& whyNot) {
    whyNot = "a web page writes no files";
    return false;
}

int platformWriteToVideoEncoder(const uint8_t*, size_t, long long&) {
    return EPIPE;
}

long long platformVideoEncoderUnreadBytes() {
    return 0;
}

VideoEncoderEnd platformFinishVideoEncoder() {
    return {};
}
