// recording_posix.cpp -- what --record needs on Linux: POSIX signals, a pipe and ffmpeg.
//
// Implemented features:
//  [X] .y4m files written directly, with SIGXFSZ ignored so a file-size limit fails a write, not the program
//  [X] every other name encoded by ffmpeg, started with posix_spawnp and fed through a pipe
//  [X] ffmpeg missing, closing its input, or ending badly: said, and the recording ends
//  [X] ffmpeg waited for even when the parent started Glintmere with SIGCHLD ignored; a wait that
//      still fails is a failed recording
// Missing features:
//  [ ] a choice of encoder or quality: ffmpeg picks them from the file name
#include <fcntl.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/platform.h"

extern char** environ;

namespace {

// ffmpeg's pad filter: the frame at the top left of the next even size, the rest black.
constexpr const char* evenSizeFilter = "pad=ceil(iw/2)*2:ceil(ih/2)*2";

int encoderInput = -1;  // the pipe's writing end
pid_t encoder = -1;

// How ffmpeg ended, for a message: "ended with status 1", "ended on signal 9 (Killed)".
std::string howEnded(int status) {
    if (WIFEXITED(status)) return "ended with status " + std::to_string(WEXITSTATUS(status));
    return "ended on signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
}

}  // namespace

const char* platformRecordOptionHelp() {
    return "  --record FILE        write every frame shown to FILE as a video of 60 frames a second:\n"
           "                       a .y4m name is written directly, any other (.mp4, .webm) through\n"
           "                       ffmpeg; with --frames N, a clip of N frames\n";
}

bool platformCanRecord(std::string&) {
    return true;
}

void platformPrepareToWriteFiles() {
    // A file-size limit (ulimit -f) must end the recording, with "File too large", not the program.
    std::signal(SIGXFSZ, SIG_IGN);
}

bool platformStartVideoEncoder(const std::string& fileName, std::string& whyNot) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        whyNot = std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    // Whatever ffmpeg says goes to standard error, so the program's own output stays as it is.
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    // "file:" keeps a name that starts with '-' or holds a ':' a plain file name to ffmpeg.
    std::string output = "file:" + fileName;
    // H.264, the encoder behind .mp4, .mkv and .mov, refuses an odd width or height, and which encoder
    // a name gets depends on how ffmpeg was built; so every encoded clip of an odd-sized window gets a
    // black column at the right or row at the bottom. Even sizes pass unchanged.
    const char* argv[] = {"ffmpeg", "-hide_banner", "-loglevel",    "error",        "-y",   "-f", "yuv4mpegpipe", "-i",
                          "-",      "-vf",          evenSizeFilter, output.c_str(), nullptr};
    // With SIGCHLD ignored (inherited from a parent that set it so), the system would reap ffmpeg
    // itself and its status would be lost: the program's own child must stay waitable.
    std::signal(SIGCHLD, SIG_DFL);
    pid_t pid = -1;
    int error = posix_spawnp(&pid, "ffmpeg", &actions, &attributes, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(fds[0]);
    if (error != 0) {
        close(fds[1]);
        if (error == ENOENT)
            whyNot =
                "ffmpeg is not installed (install the ffmpeg package, or record to a .y4m file, which needs nothing "
                "else)";
        else
            whyNot = "cannot start ffmpeg: " + std::string(std::strerror(error));
        return false;
    }
    // A closed pipe must end the recording, not the program.
    std::signal(SIGPIPE, SIG_IGN);
    encoderInput = fds[1];
    encoder = pid;
    return true;
}

int platformWriteToVideoEncoder(const uint8_t* data, size_t size, long long& written) {
    while (size > 0) {
        ssize_t n = write(encoderInput, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        data += n;
        size -= static_cast<size_t>(n);
        written += n;
    }
    return 0;
}

long long platformVideoEncoderUnreadBytes() {
    // A pipe keeps what its reader left until the writer closes it too; Linux pipes answer FIONREAD.
    int unread = 0;
    ioctl(encoderInput, FIONREAD, &unread);
    return unread;
}

VideoEncoderEnd platformFinishVideoEncoder() {
    close(encoderInput);
    encoderInput = -1;
    int status = 0;
    pid_t pid = encoder;
    encoder = -1;
    for (;;) {
        if (waitpid(pid, &status, 0) == pid) break;
        if (errno == EINTR) continue;
        // How ffmpeg ended is not known, so neither is whether the clip is whole.
        return {false, "could not be waited for (" + std::string(std::strerror(errno)) + ")"};
    }
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, howEnded(status)};
}
