// window_system_win32.cpp -- the window system on Windows: Win32 beneath freeglut.
//
// Implemented features:
//  [X] the window hidden at once when the exit destroys it, and GDI flushed without the main loop
//  [X] the exe's own folder as the working folder, so texture\ and musics\ are found from anywhere
//  [X] a start-up error also shown in a message box when the console is the program's own (started
//      from Explorer or a shortcut), so it does not vanish with the console; from a console, the
//      console alone
// Missing features:
//  [ ] a display check: a Windows program always has its desktop
#include <windows.h>

#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/platform.h"

bool platformWindowSystemReachable(int, char**) {
    // A Windows program always has its desktop; there is no display to name or miss.
    return true;
}

void platformHideCurrentWindow() {
    HDC dc = wglGetCurrentDC();
    HWND window = dc != nullptr ? WindowFromDC(dc) : nullptr;
    if (window != nullptr) ShowWindow(window, SW_HIDE);
}

void platformFlushWindowSystem() {
    GdiFlush();
}

bool platformEnterProgramFolder() {
    // Started from Explorer or a shortcut, the working folder is anywhere; texture/ and musics/
    // are beside the exe.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return false;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return false;
        path.resize(path.size() * 2);
    }
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (std::filesystem::equivalent(std::filesystem::current_path(error), folder, error)) return false;
    std::filesystem::current_path(folder, error);
    return !error;
}

void platformShowStartupError(const std::string& message) {
    // Windows opens a console for a console program started from Explorer or a shortcut and closes it
    // as the program ends; the program is then the only one attached to it. From a console window the
    // shell is attached too, and the message stays there. With no console at all (a parent that took
    // the streams), the parent reads them.
    std::array<DWORD, 2> attached{};
    if (GetConsoleProcessList(attached.data(), static_cast<DWORD>(attached.size())) != 1) return;
    std::string lines = message;
    while (!lines.empty() && (lines.back() == '\n' || lines.back() == '\r')) lines.pop_back();
    int size = MultiByteToWideChar(CP_UTF8, 0, lines.c_str(), -1, nullptr, 0);
    if (size <= 0) return;
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, lines.c_str(), -1, text.data(), size);
    MessageBoxW(nullptr, text.c_str(), L"Glintmere", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
