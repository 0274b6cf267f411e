// message_box_reader.cpp -- a test's eyes and hand on a Windows desktop (under Wine): waits for a message
// box of a given title, prints its text in UTF-8 and presses its OK button, as a user reads and closes it.
//
//   message_box_reader TITLE SECONDS   status 0 once a box was read and closed, 1 when none came in time
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring wide(const char* text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring converted(static_cast<size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, converted.data(), size);
    converted.pop_back();
    return converted;
}

std::string utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, converted.data(), size, nullptr, nullptr);
    converted.pop_back();
    return converted;
}

// The box's message: the text of its static controls (the icon's is empty), in their order.
BOOL CALLBACK collectText(HWND child, LPARAM into) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"Static") != 0) return TRUE;
    int length = GetWindowTextLengthW(child);
    if (length <= 0) return TRUE;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(child, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    *reinterpret_cast<std::wstring*>(into) += text;
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: message_box_reader TITLE SECONDS\n");
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring title = wide(argv[1]);
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2])) * 1000;
    do {
        // "#32770": the window class of every dialog, message boxes among them.
        HWND box = FindWindowW(L"#32770", title.c_str());
        if (box != nullptr && IsWindowVisible(box)) {
            std::wstring text;
            EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
            std::string shown = utf8(text);
            std::fwrite(shown.data(), 1, shown.size(), stdout);
            std::fflush(stdout);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
            return 0;
        }
        Sleep(50);
    } while (static_cast<LONG>(deadline - GetTickCount()) > 0);
    std::fprintf(stderr, "message_box_reader: no message box titled %s\n", argv[1]);
    return 1;
}
