// extension_list.cpp -- one extension found in a list, as each platform's swap-interval request looks for it.
#include "core/extension_list.h"

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
