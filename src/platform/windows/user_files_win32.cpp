// user_files_win32.cpp -- the names the user gives, on Windows: read and opened through the wide
// calls, so that any name Windows allows works, not only those of the ANSI code page.
//
// Implemented features:
//  [X] the arguments from the wide command line, as UTF-8
//  [X] a named file opened with _wfopen from the path's own wide name
// Missing features:
//  [ ] names in the console's messages: they are written in UTF-8, which a console on a code page of
//      its own shows garbled outside ASCII (the files themselves are right)
#include <windows.h>
// clang-format off
#include <shellapi.h>
// clang-format on

#include <cstdio>

#include "platform/platform.h"

namespace {

std::string utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string converted(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
    converted.pop_back();  // the terminating zero
    return converted;
}

}  // namespace

std::vector<std::string> platformArguments(int argc, char** argv) {
    // The CRT's argv holds the ANSI code page's spelling, where a name outside it has lost its
    // letters to '?'; the wide command line has them all, split by the same rules.
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

std::FILE* platformOpenForWriting(const std::filesystem::path& file) {
    return _wfopen(file.c_str(), L"wb");
}
