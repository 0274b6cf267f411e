// user_files_posix.cpp -- the names the user gives, on Linux: bytes, passed on as they are.
//
// Implemented features:
//  [X] the arguments as the bytes given, which std::filesystem::path takes one for one
//  [X] a named file opened with fopen, whatever bytes its name holds
// Missing features:
//  [ ] none: a Linux file name is any string of bytes, and every call takes it as it is
#include <cstdio>

#include "platform/platform.h"

std::vector<std::string> platformArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::FILE* platformOpenForWriting(const std::filesystem::path& file) {
    return std::fopen(file.c_str(), "wb");
}
