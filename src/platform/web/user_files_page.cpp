// user_files_page.cpp -- the names the user gives, in the browser: the page's URL query, turned into
// arguments by page.js, and files in the page's own memory file system.
//
// Implemented features:
//  [X] the arguments as page.js passes them (UTF-8), which std::filesystem::path takes one for one
//  [X] a named file (--screenshot) opened with fopen in the page's memory file system
//  [X] a start-up error seen: the console panel beside the canvas keeps the message, and the page
//      says the program has ended with its status
// Missing features:
//  [ ] files kept after the page closes: what the program writes lives in the page's memory
#include <cstdio>

#include "platform/platform.h"

std::vector<std::string> platformArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::FILE* platformOpenForWriting(const std::filesystem::path& file) {
    return std::fopen(file.c_str(), "wb");
}

// Nothing more to do: the message is already in the page's console panel, which stays in view under
// the page's note that the program has ended.
void platformShowStartupError(const std::string&) {}
