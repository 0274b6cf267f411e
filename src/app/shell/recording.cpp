// recording.cpp -- the video sink behind --record: a .y4m file, or ffmpeg fed through a pipe.
#include "app/shell/recording.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace {

// The aquarium advances once per frame and is meant to be seen at a display's 60 Hz.
constexpr int framesPerSecond = 60;
// ffmpeg's pad filter: the frame at the top left of the next even size, the rest black.
constexpr const char* evenSizeFilter = "pad=ceil(iw/2)*2:ceil(ih/2)*2";

struct Recording {
    std::string fileName;
    int fd = -1;
    pid_t ffmpeg = -1;
    int width = 0, height = 0;  // 0 until the first frame
    bool active = false;
    bool failed = false;                     // not every frame reached the file; its one message has been printed
    size_t headerBytes = 0, frameBytes = 0;  // the stream header's size, and then each frame's
    long wholeFrames = 0;                    // frames written whole
    off_t wholeBytes = 0;                    // the bytes up to the end of the last of them
    long long sentBytes = 0;                 // every byte written, a part of a frame included
    std::vector<uint8_t> buffer;
};
Recording recording;

bool endsWithY4m(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".y4m";
}

// The one message of a recording that did not get every frame into its file.
void report(const char* verb, const std::string& why) {
    if (!recording.failed)
        std::fprintf(stderr, "glintmere: the recording to %s %s: %s\n", recording.fileName.c_str(), verb, why.c_str());
    recording.failed = true;
}

std::string framesHeld(long frames) {
    if (frames <= 0) return "no frames";
    if (frames == 1) return "the first frame";
    return "the first " + std::to_string(frames) + " frames";
}

// How ffmpeg ended, for a message: "ended with status 1", "ended on signal 9 (Killed)".
std::string howEnded(int status) {
    if (WIFEXITED(status)) return "ended with status " + std::to_string(WEXITSTATUS(status));
    return "ended on signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
}

// Closes ffmpeg's input and waits for it to end; its wait status.
int closeAndWaitForFfmpeg() {
    close(recording.fd);
    recording.fd = -1;
    int status = 0;
    pid_t pid = recording.ffmpeg;
    recording.ffmpeg = -1;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

bool endedWell(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A write to the .y4m file failed: a partly written frame is cut off, so the file holds whole frames.
void stopFile(int error) {
    // A device or a pipe cannot be cut (ftruncate fails), and needs no cutting.
    [[maybe_unused]] int cut = ftruncate(recording.fd, recording.wholeBytes);
    close(recording.fd);
    recording.fd = -1;
    recording.active = false;
    report("stopped", std::string(std::strerror(error)) + "; " + recording.fileName + " holds " +
                          framesHeld(recording.wholeFrames));
}

// A write into ffmpeg's pipe failed. ffmpeg has read what was written less what is still in the pipe; a
// frame in the pipe, or only partly read, is not in the clip.
void stopFfmpeg(int error) {
    // A pipe keeps what its reader left until the writer closes it too; Linux pipes answer FIONREAD.
    int unread = 0;
    ioctl(recording.fd, FIONREAD, &unread);
    long long readBytes = recording.sentBytes - unread;
    long framesRead = 0;
    if (recording.frameBytes > 0 && readBytes >= static_cast<long long>(recording.headerBytes))
        framesRead = static_cast<long>((readBytes - static_cast<long long>(recording.headerBytes)) /
                                       static_cast<long long>(recording.frameBytes));
    recording.active = false;
    std::string why =
        error == EPIPE ? "ffmpeg closed its input" : "writing to ffmpeg: " + std::string(std::strerror(error));
    int status = closeAndWaitForFfmpeg();
    if (endedWell(status))
        report("stopped", why + "; " + recording.fileName + " holds " + framesHeld(framesRead));
    else
        report("failed", why + " and " + howEnded(status));
}

// Writes all of `size` bytes; 0, or the error that stopped it.
int writeAll(const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(recording.fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        data += n;
        size -= static_cast<size_t>(n);
        recording.sentBytes += n;
    }
    return 0;
}

bool startFfmpeg(const std::string& fileName) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "glintmere: cannot record to %s: %s\n", fileName.c_str(), std::strerror(errno));
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
    pid_t pid = -1;
    int error = posix_spawnp(&pid, "ffmpeg", &actions, &attributes, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(fds[0]);
    if (error != 0) {
        close(fds[1]);
        if (error == ENOENT)
            std::fprintf(stderr,
                         "glintmere: cannot record to %s: ffmpeg is not installed (install the ffmpeg package, "
                         "or record to a .y4m file, which needs nothing else)\n",
                         fileName.c_str());
        else
            std::fprintf(stderr, "glintmere: cannot record to %s: cannot start ffmpeg: %s\n", fileName.c_str(),
                         std::strerror(error));
        return false;
    }
    // A closed pipe must end the recording, not the program.
    std::signal(SIGPIPE, SIG_IGN);
    recording.fd = fds[1];
    recording.ffmpeg = pid;
    return true;
}

uint8_t clampByte(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

// The YUV4MPEG2 stream header for this size.
std::string y4mHeader(int width, int height) {
    char header[96];
    std::snprintf(header, sizeof header, "YUV4MPEG2 W%d H%d F%d:1 Ip A1:1 C420jpeg\n", width, height, framesPerSecond);
    return header;
}

// One frame of the stream: "FRAME", then the Y, U and V planes (4:2:0, BT.601 studio range, each
// chroma sample from the mean colour of its 2 by 2 block). The source is `sourceWidth` by
// `sourceHeight` RGB, rows bottom up; the frame is `width` by `height`, anchored at the top left.
void appendY4mFrame(const uint8_t* rgb, int sourceWidth, int sourceHeight, int width, int height,
                    std::vector<uint8_t>& out) {
    static const char frameTag[] = "FRAME\n";
    out.insert(out.end(), frameTag, frameTag + sizeof frameTag - 1);
    // The pixel at (x, y) counted from the top left; black outside the source.
    auto pixel = [&](int x, int y, int channel) -> int {
        if (x >= sourceWidth || y >= sourceHeight) return 0;
        size_t row = static_cast<size_t>(sourceHeight - 1 - y);
        return rgb[(row * static_cast<size_t>(sourceWidth) + static_cast<size_t>(x)) * 3 + channel];
    };
    size_t lumaStart = out.size();
    out.resize(lumaStart + static_cast<size_t>(width) * static_cast<size_t>(height));
    uint8_t* luma = out.data() + lumaStart;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int r = pixel(x, y, 0), g = pixel(x, y, 1), b = pixel(x, y, 2);
            *luma++ = clampByte(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
        }
    int chromaWidth = (width + 1) / 2, chromaHeight = (height + 1) / 2;
    size_t planeSize = static_cast<size_t>(chromaWidth) * static_cast<size_t>(chromaHeight);
    size_t chromaStart = out.size();
    out.resize(chromaStart + 2 * planeSize);
    uint8_t* u = out.data() + chromaStart;
    uint8_t* v = u + planeSize;
    for (int cy = 0; cy < chromaHeight; ++cy)
        for (int cx = 0; cx < chromaWidth; ++cx) {
            int sum[3] = {0, 0, 0}, count = 0;
            for (int y = 2 * cy; y < std::min(2 * cy + 2, height); ++y)
                for (int x = 2 * cx; x < std::min(2 * cx + 2, width); ++x) {
                    for (int c = 0; c < 3; ++c) sum[c] += pixel(x, y, c);
                    ++count;
                }
            int r = (sum[0] + count / 2) / count, g = (sum[1] + count / 2) / count, b = (sum[2] + count / 2) / count;
            *u++ = clampByte(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
            *v++ = clampByte(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
        }
}

}  // namespace

bool startRecording(const std::string& fileName) {
    recording = Recording{};
    recording.fileName = fileName;
    if (endsWithY4m(fileName)) {
        recording.fd = open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (recording.fd < 0) {
            std::fprintf(stderr, "glintmere: cannot record to %s: %s\n", fileName.c_str(), std::strerror(errno));
            return false;
        }
        // A file-size limit (ulimit -f) must end the recording, with "File too large", not the program.
        std::signal(SIGXFSZ, SIG_IGN);
    } else if (!startFfmpeg(fileName)) {
        return false;
    }
    recording.active = true;
    std::atexit([] { finishRecording(); });
    return true;
}

bool recordingActive() {
    return recording.active;
}

void recordFrame(const uint8_t* rgb, int width, int height) {
    if (!recording.active || width <= 0 || height <= 0) return;
    recording.buffer.clear();
    if (recording.width == 0) {
        recording.width = width;
        recording.height = height;
        std::string header = y4mHeader(width, height);
        recording.buffer.assign(header.begin(), header.end());
        recording.headerBytes = header.size();
    }
    size_t frameStart = recording.buffer.size();
    appendY4mFrame(rgb, width, height, recording.width, recording.height, recording.buffer);
    recording.frameBytes = recording.buffer.size() - frameStart;
    int error = writeAll(recording.buffer.data(), recording.buffer.size());
    if (error == 0) {
        ++recording.wholeFrames;
        recording.wholeBytes += static_cast<off_t>(recording.buffer.size());
    } else if (recording.ffmpeg > 0) {
        stopFfmpeg(error);
    } else {
        stopFile(error);
    }
}

bool finishRecording() {
    recording.active = false;
    if (recording.ffmpeg > 0) {
        int status = closeAndWaitForFfmpeg();
        if (!endedWell(status)) report("failed", "ffmpeg " + howEnded(status));
    } else if (recording.fd >= 0) {
        // Some file systems say only here that the data could not be stored.
        if (close(recording.fd) != 0 && errno != EINTR)
            report("failed", "closing it: " + std::string(std::strerror(errno)));
        recording.fd = -1;
    }
    return !recording.failed;
}
