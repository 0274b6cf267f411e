// sound_test_support.h -- helpers of the sound tests: wave files written and read here, a captured
// file descriptor (stderr, stdout) and an environment variable set for one test.
#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace soundtest {

inline std::filesystem::path freshDir(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() / ("glintmere-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::vector<unsigned char> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 16-bit mono wave file holding a 440 Hz tone. `declaredSeconds` lets a test write a header
// that promises more data than follows (a truncated file).
inline void writeToneWave(const std::filesystem::path& path, double seconds, double declaredSeconds = -1.0) {
    const int rate = 22050;
    const uint32_t frames = static_cast<uint32_t>(seconds * rate);
    const uint32_t declared = declaredSeconds < 0 ? frames : static_cast<uint32_t>(declaredSeconds * rate);
    std::vector<unsigned char> b;
    auto put16 = [&b](uint32_t v) {
        b.push_back(static_cast<unsigned char>(v & 0xff));
        b.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xffff);
        put16(v >> 16);
    };
    auto tag = [&b](const char* t) { b.insert(b.end(), t, t + 4); };
    tag("RIFF");
    put32(36 + declared * 2);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(declared * 2);
    for (uint32_t i = 0; i < frames; ++i)
        put16(static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(6.283185307 * 440.0 * i / rate))));
    writeBytes(path, b);
}

struct WaveFile {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    std::vector<int16_t> samples;  // interleaved when there is more than one channel
    double seconds() const { return channels && sampleRate ? double(samples.size()) / channels / sampleRate : 0.0; }
};

// Reads a RIFF/WAVE file chunk by chunk; returns nothing, with the reason in `problem`, if it is not
// a complete 16-bit PCM wave file.
inline std::optional<WaveFile> readWave(const std::filesystem::path& path, std::string& problem) {
    const auto b = readBytes(path);
    auto u16 = [&b](size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); };
    auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | (uint32_t(u16(at + 2)) << 16)); };
    auto is = [&b](size_t at, const char* t) { return std::equal(t, t + 4, b.begin() + static_cast<long>(at)); };
    if (b.size() < 12 || !is(0, "RIFF") || !is(8, "WAVE")) return problem = "no RIFF/WAVE header", std::nullopt;
    if (u32(4) + 8 != b.size()) return problem = "RIFF size does not match the file", std::nullopt;
    WaveFile w;
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t size = u32(at + 4);
        if (at + 8 + size > b.size()) return problem = "chunk runs past the end", std::nullopt;
        if (is(at, "fmt ") && size >= 16) {
            w.formatTag = u16(at + 8);
            w.channels = u16(at + 10);
            w.sampleRate = u32(at + 12);
            w.byteRate = u32(at + 16);
            w.blockAlign = u16(at + 20);
            w.bitsPerSample = u16(at + 22);
            haveFormat = true;
        } else if (is(at, "data")) {
            if (!haveFormat) return problem = "data before fmt", std::nullopt;
            for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(static_cast<int16_t>(u16(at + 8 + i)));
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData) return problem = "fmt or data chunk missing", std::nullopt;
    return w;
}

// Redirects a file descriptor (2 for stderr, 1 for stdout) into a temporary file while it lives.
class FdCapture {
public:
    explicit FdCapture(int fd) : fd_(fd) {
        std::fflush(nullptr);
        file_ = std::tmpfile();
        saved_ = ::dup(fd_);
        ::dup2(::fileno(file_), fd_);
    }
    ~FdCapture() { restore(); }
    FdCapture(const FdCapture&) = delete;
    FdCapture& operator=(const FdCapture&) = delete;

    // Everything written so far; the descriptor stays redirected.
    std::string text() {
        std::fflush(nullptr);
        std::string out;
        std::rewind(file_);
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) out.push_back(static_cast<char>(c));
        std::fseek(file_, 0, SEEK_END);
        return out;
    }

private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(nullptr);
        ::dup2(saved_, fd_);
        ::close(saved_);
        saved_ = -1;
        std::fclose(file_);
    }

    int fd_;
    int saved_ = -1;
    FILE* file_ = nullptr;
};

inline size_t countOf(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++n;
    return n;
}

// Sets an environment variable for one scope and puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        set(name, value);
    }
    ~ScopedEnv() {
        if (old_)
            set(name_.c_str(), old_->c_str());
        else
            unset(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
#ifdef _WIN32
    static void set(const char* name, const char* value) {
        ::_putenv_s(name, value);
    }
    // An empty value removes the variable.
    static void unset(const char* name) {
        ::_putenv_s(name, "");
    }
#else
    static void set(const char* name, const char* value) {
        ::setenv(name, value, 1);
    }
    static void unset(const char* name) {
        ::unsetenv(name);
    }
#endif

    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace soundtest
