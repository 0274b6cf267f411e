// user_files.h -- the files the user names on the command line (--screenshot, --record): kept as paths
// from the argument to the call that opens them, so that a name in any script reaches the file system whole.
#pragma once

#include <filesystem>
#include <string>

// The path an argument names; the argument is text as platformArguments gives it (platform/platform.h).
std::filesystem::path userFilePath(const std::string& argument);

// The name as the program's messages print it: UTF-8 on Windows, the bytes of the name on Linux.
std::string shownName(const std::filesystem::path& file);
