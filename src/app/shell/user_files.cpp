// user_files.cpp -- the user's file names between their arguments, their paths and the messages.
#include "app/shell/user_files.h"

std::filesystem::path userFilePath(const std::string& argument) {
    // char8_t text is UTF-8 to std::filesystem::path on Windows and taken byte for byte elsewhere,
    // which is what platformArguments hands out on each.
    return std::filesystem::path(std::u8string(argument.begin(), argument.end()));
}

std::string shownName(const std::filesystem::path& file) {
    try {
        std::u8string name = file.u8string();
        return std::string(name.begin(), name.end());
    } catch (const std::exception&) {
        // A wide name no UTF-8 can spell (a lone surrogate): shown as far as the narrow calls can.
        return "(a name the console cannot show)";
    }
}
