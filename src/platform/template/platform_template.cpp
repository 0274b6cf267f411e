// platform_template.cpp -- the starting point of a new platform: every function of platform/platform.h,
// stubbed, each saying what it must do. Copy this folder to src/platform/<name>, split this file by
// concern as the other platforms do (window system, GL context, recording, cue backend), and replace
// every stub. It is not built; a stub left in place does the safe thing, never a crash.
//
// Implemented features:
//  [ ] the display check, the window off the screen at once, the start folder
//  [ ] the GL context's identity and vertical sync
//  [ ] --record: .y4m files, and the formats ffmpeg writes
//  [ ] the cues
//  [ ] the user's file names, whatever characters they hold; a start-up error the user sees
// Missing features:
//  [X] everything, until the stubs are replaced
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "sound/sound_cue.h"

// Say on standard error why the window system cannot be reached, plainly, and return false; GLUT
// would otherwise end the process tersely. A platform that always has its screen returns true.
bool platformWindowSystemReachable(int, char**) {
    return true;
}

// Take the current GLUT window off the screen now: the exit destroys the window and then plays the
// clap without returning to the main loop, where GLUT would really destroy it.
void platformHideCurrentWindow() {}

// Send everything asked of the window system so far (the hidden window above), without the main loop.
void platformFlushWindowSystem() {}

// Where a program started from a file manager gets an arbitrary working folder, make the folder
// holding texture/ and musics/ the working one and return true; return false when it stays as it is.
bool platformEnterProgramFolder() {
    return false;
}

// The current GL context, any pointer that tells contexts apart, or nullptr when none is current.
// Display lists and buffer objects are made again in a context that differs from the last one, so a
// platform with one context for the process's life may return any fixed non-null pointer once GL is up.
const void* platformCurrentGlContext() {
    return nullptr;
}

// Ask for the swap interval (1: vertical sync, 0: as fast as frames come) and say whether it was
// granted; false without a context. The aquarium advances a step a frame, so vertical sync keeps it
// at the display's pace.
bool platformRequestSwapInterval(int) {
    return false;
}

// The --record lines of --help: what this platform can record to, each line ending in a newline.
const char* platformRecordOptionHelp() {
    return "  --record FILE        not available on this platform\n";
}

// Whether a recording can be written at all; where the platform has no files to write (a web page),
// say why in one phrase and return false, and --record is refused before the window opens.
bool platformCanRecord(std::string&) {
    return true;
}

// Make a write past a file-size limit fail with an error instead of ending the program.
void platformPrepareToWriteFiles() {}

// Start an encoder (ffmpeg) writing `fileName` from the YUV4MPEG2 stream it is then given, or say in
// one phrase why not. .y4m files never come here: the shell writes them itself.
bool platformStartVideoEncoder(const std::string&, std::string& whyNot) {
    whyNot = "this platform records no video";
    return false;
}

// Write all of the bytes to the encoder, adding to `written` every byte that went in; 0, or the errno
// value that stopped it (EPIPE when the encoder closed its input).
int platformWriteToVideoEncoder(const uint8_t*, size_t, long long&) {
    return EPIPE;
}

// The bytes written that the encoder has not read yet.
long long platformVideoEncoderUnreadBytes() {
    return 0;
}

// Close the encoder's input, wait for it to end, and say how it ended; a failed wait is a failure.
VideoEncoderEnd platformFinishVideoEncoder() {
    return {false, "was never started"};
}

// The backend that plays the cues (sound/sound_cue.h): one at a time, a new one stopping the last;
// SoundMode::Blocking holds the caller until the cue ends, the two background modes return at once and
// BackgroundLoop repeats until replaced. No audio device: silence and one line on standard error. A
// missing or unplayable file: silence and one warning per file name. Never a line on standard output.
// Until then: no backend, and the player stays silent.
std::unique_ptr<CueBackend> platformMakeCueBackend() {
    return nullptr;
}

// The arguments after the program's name, as text std::filesystem::path takes from char8_t on this
// platform (UTF-8 where its file names are wide, the bytes as given where they are bytes): read from
// wherever the platform keeps the full command line, so no file name loses a letter.
std::vector<std::string> platformArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// Open the named file for writing in binary through whichever call takes the path's own native name;
// nullptr with errno set on failure.
std::FILE* platformOpenForWriting(const std::filesystem::path& file) {
    return std::fopen(file.string().c_str(), "wb");
}

// Where the program's messages vanish with it at a start-up error (a console that closes, a launcher
// that keeps no output), show `message` where the user sees it and return once it has been read;
// elsewhere do nothing.
void platformShowStartupError(const std::string&) {}
