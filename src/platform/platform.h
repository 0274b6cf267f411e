// platform.h -- what every platform provides: the one list a port implements.
//
// Everything that differs between Linux, Windows and any later port sits behind these functions, and
// each is defined by exactly one folder, src/platform/<name>/, built alone for its platform (chosen by
// GLINTMERE_PLATFORM, with that folder's platform.cmake). The rest of the program is the same on every
// platform and has no #ifdef for one. A new platform starts as a copy of src/platform/template/, whose
// stubs say what each function must do.
//
// Every platform must provide:
//  - the window system beneath GLUT: whether it can be reached, taking the window off the screen at
//    once, sending what was asked of it, and the folder the program works in;
//  - the GL context: its identity, which keys what is kept per context, and vertical sync;
//  - --record's needs: whether and what the option can write, a file-size limit that fails a write
//    rather than the program, and ffmpeg (or nothing) fed through a pipe for formats other than .y4m;
//  - the cue backend: what plays the wave files, silent where no audio device opens;
//  - the names the user gives: the command line as text every file name survives, and opening such
//    a file whatever characters its name holds;
//  - a start-up error shown where the user sees it, when the console would close with it unseen.
// The GLUT shell (app/shell) calls them; of the floors below it, only gl/ asks for the context.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CueBackend;

// ---- The window system beneath GLUT ----

// Whether the window system can be reached, with GLUT's own -display option if given. When it
// cannot, says why on standard error, plainly, before GLUT would end the process tersely.
bool platformWindowSystemReachable(int argc, char** argv);

// Takes the current GLUT window off the screen now. freeglut only marks a destroyed window and
// destroys it on its next pass of the main loop, which the exit never reaches.
void platformHideCurrentWindow();

// Sends everything asked of the window system so far, without waiting for the main loop.
void platformFlushWindowSystem();

// Makes the program's own folder the working folder, so that a program started from a file
// manager finds texture/ and musics/ beside it. False when the working folder stays as it is.
bool platformEnterProgramFolder();

// ---- The GL context ----

// The GL context current on this thread, or nullptr: what is kept per context (display lists,
// buffer objects) is made again the first time it is used in another one.
const void* platformCurrentGlContext();

// Requests vertical sync through the platform's swap-control extension; false when none is
// offered or no context is current.
bool platformRequestSwapInterval(int interval);

// ---- What --record needs ----

// The --record paragraph of --help, option name included, each line ending in a newline: what
// the platform can record to.
const char* platformRecordOptionHelp();

// Whether the platform can write a recording at all: false, with why (one phrase, for "cannot record
// to FILE: WHY"), where it has no files to write, as in a web page. Asked before anything else.
bool platformCanRecord(std::string& whyNot);

// Readies the process to write a .y4m file: a write past a file-size limit must fail with "File too
// large" and end the recording, not end the program.
void platformPrepareToWriteFiles();

// Starts ffmpeg writing `fileName` from the YUV4MPEG2 stream it is then given. False, with why
// (one phrase, for "cannot record to FILE: WHY"), when it cannot.
bool platformStartVideoEncoder(const std::string& fileName, std::string& whyNot);

// Writes all of `size` bytes into ffmpeg's input, and adds to `written` every byte that went in,
// a part of a failed write included. 0, or the errno value that stopped it (EPIPE: ffmpeg closed
// its input).
int platformWriteToVideoEncoder(const uint8_t* data, size_t size, long long& written);

// The bytes written that ffmpeg has not read yet.
long long platformVideoEncoderUnreadBytes();

struct VideoEncoderEnd {
    bool well = true;  // ffmpeg ended with status 0
    std::string how;   // "ended with status 3", "ended on signal 9 (Killed)"
};

// Closes ffmpeg's input and waits for it to end.
VideoEncoderEnd platformFinishVideoEncoder();

// ---- The cues ----

// The backend that plays the wave files (sound/sound_cue.h): it plays one cue at a time in the
// cue's mode, and falls back to silence, after one line on standard error, where no audio device
// opens; a file it cannot play stays silent with one warning per file name.
std::unique_ptr<CueBackend> platformMakeCueBackend();

// ---- What the user names ----

// The command line's arguments after the program's name, as text in the encoding std::filesystem::path
// takes from char8_t: UTF-8 on Windows (read from the wide command line, so that a name outside the
// ANSI code page survives), the bytes as given on Linux.
std::vector<std::string> platformArguments(int argc, char** argv);

// Opens a file the user named for writing, in binary, whatever characters its name holds; nullptr,
// with errno set, when it cannot.
std::FILE* platformOpenForWriting(const std::filesystem::path& file);

// ---- Start-up errors ----

// The program is ending at start-up on an error whose message (one or more lines, in UTF-8 on
// Windows) has gone to the console or standard error. Where that console is the program's own and
// closes with it, unread (Windows, started from Explorer or a shortcut rather than from a console
// window), shows the message in a message box and returns once the user has closed it; anywhere
// else does nothing.
void platformShowStartupError(const std::string& message);
