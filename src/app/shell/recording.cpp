// recording.cpp -- the video sink behind --record: a .y4m file, or ffmpeg fed through a pipe
// (platform/platform.h).
#include "app/shell/recording.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/shell/user_files.h"
#include "platform/platform.h"

namespace {

// The aquarium advances once per frame and is meant to be seen at a display's 60 Hz.
constexpr int framesPerSecond = 60;

struct Recording {
    std::filesystem::path file;   // as the user named it, for every call on it
    std::string fileName;         // as the messages show it
    std::FILE* stream = nullptr;  // the .y4m file
    bool encoder = false;         // ffmpeg is running, fed through its pipe
    int width = 0, height = 0;    // 0 until the first frame
    bool active = false;
    bool failed = false;                     // not every frame reached the file; its one message has been printed
    size_t headerBytes = 0, frameBytes = 0;  // the stream header's size, and then each frame's
    long wholeFrames = 0;                    // frames written whole
    std::uintmax_t wholeBytes = 0;           // the bytes up to the end of the last of them
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

// A write to the .y4m file failed: a partly written frame is cut off, so the file holds whole frames.
void stopFile(int error) {
    // Closed first, so that nothing the stream still holds lands after the cut.
    std::fclose(recording.stream);
    recording.stream = nullptr;
    // A device or a pipe cannot be cut, and needs no cutting.
    std::error_code cutError;
    std::filesystem::resize_file(recording.file, recording.wholeBytes, cutError);
    recording.active = false;
    report("stopped", std::string(std::strerror(error)) + "; " + recording.fileName + " holds " +
                          framesHeld(recording.wholeFrames));
}

// A write into ffmpeg's pipe failed. ffmpeg has read what was written less what is still in the pipe; a
// frame in the pipe, or only partly read, is not in the clip.
void stopEncoder(int error) {
    long long readBytes = recording.sentBytes - platformVideoEncoderUnreadBytes();
    long framesRead = 0;
    if (recording.frameBytes > 0 && readBytes >= static_cast<long long>(recording.headerBytes))
        framesRead = static_cast<long>((readBytes - static_cast<long long>(recording.headerBytes)) /
                                       static_cast<long long>(recording.frameBytes));
    recording.active = false;
    recording.encoder = false;
    std::string why =
        error == EPIPE ? "ffmpeg closed its input" : "writing to ffmpeg: " + std::string(std::strerror(error));
    VideoEncoderEnd end = platformFinishVideoEncoder();
    if (end.well)
        report("stopped", why + "; " + recording.fileName + " holds " + framesHeld(framesRead));
    else
        report("failed", why + " and " + end.how);
}

// Writes all of `size` bytes to the .y4m file, flushed, so that a write that fails is seen at the frame
// where it fails; 0, or the error that stopped it.
int writeToFile(const uint8_t* data, size_t size) {
    errno = 0;
    if (std::fwrite(data, 1, size, recording.stream) == size && std::fflush(recording.stream) == 0) return 0;
    return errno != 0 ? errno : EIO;
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

bool startRecording(const std::filesystem::path& file, std::string& message) {
    recording = Recording{};
    recording.file = file;
    recording.fileName = shownName(file);
    const std::string& fileName = recording.fileName;
    std::string whyNot;
    if (!platformCanRecord(whyNot)) {
        message = "glintmere: cannot record to " + fileName + ": " + whyNot;
        return false;
    }
    if (endsWithY4m(fileName)) {
        recording.stream = platformOpenForWriting(file);
        if (recording.stream == nullptr) {
            message = "glintmere: cannot record to " + fileName + ": " + std::strerror(errno);
            return false;
        }
        platformPrepareToWriteFiles();
    } else {
        if (!platformStartVideoEncoder(fileName, whyNot)) {
            message = "glintmere: cannot record to " + fileName + ": " + whyNot;
            return false;
        }
        recording.encoder = true;
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
    int error = recording.encoder
                    ? platformWriteToVideoEncoder(recording.buffer.data(), recording.buffer.size(), recording.sentBytes)
                    : writeToFile(recording.buffer.data(), recording.buffer.size());
    if (error == 0) {
        ++recording.wholeFrames;
        recording.wholeBytes += recording.buffer.size();
    } else if (recording.encoder) {
        stopEncoder(error);
    } else {
        stopFile(error);
    }
}

bool finishRecording() {
    recording.active = false;
    if (recording.encoder) {
        recording.encoder = false;
        VideoEncoderEnd end = platformFinishVideoEncoder();
        if (!end.well) report("failed", "ffmpeg " + end.how);
    } else if (recording.stream != nullptr) {
        // Some file systems say only here that the data could not be stored.
        errno = 0;
        if (std::fclose(recording.stream) != 0 && errno != EINTR)
            report("failed", "closing it: " + std::string(std::strerror(errno != 0 ? errno : EIO)));
        recording.stream = nullptr;
    }
    return !recording.failed;
}
