// swap_interval.cpp -- the extension lookup that the GLX and WGL swap-interval requests share.
#include "gl/swap_interval.h"

#include <cstring>

bool extensionListed(const char* list, const char* name) {
    if (list == nullptr) return false;
    size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        bool startsWord = at == list || at[-1] == ' ';
        bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}
