// console.h -- the one way text reaches standard output: written, then flushed at once.
#pragma once

#include <functional>
#include <string_view>

// Writes text and a newline, then flushes.
void consoleLine(std::string_view text);
// Writes text without a newline (a few loader messages have none), then flushes.
void consoleWrite(std::string_view text);
// printf-style convenience over consoleWrite; the format carries its own newline if any.
void consolePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Tests divert the console; an empty function restores standard output.
using ConsoleSink = std::function<void(std::string_view)>;
void setConsoleSink(ConsoleSink sink);
