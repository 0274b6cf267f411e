// console.cpp -- console output, flushed after every write so lines appear as they happen.
#include "core/console.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {
ConsoleSink& sink() {
    static ConsoleSink s;
    return s;
}

void emit(std::string_view text) {
    if (sink()) {
        sink()(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
}  // namespace

void consoleLine(std::string_view text) {
    std::string line(text);
    line.push_back('\n');
    emit(line);
}

void consoleWrite(std::string_view text) {
    emit(text);
}

void consolePrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed > 0) {
        std::vector<char> buffer(static_cast<size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        emit(std::string_view(buffer.data(), static_cast<size_t>(needed)));
    }
    va_end(args);
}

void setConsoleSink(ConsoleSink s) {
    sink() = std::move(s);
}
