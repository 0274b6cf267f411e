// extension_list.h -- reading the space-separated extension lists that GL and its platforms hand back.
#pragma once

// Whether a space-separated extension list names the extension as a whole word.
bool extensionListed(const char* list, const char* name);
