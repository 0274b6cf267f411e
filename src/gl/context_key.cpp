// context_key.cpp -- the current GL context as a cache key.
#include "gl/context_key.h"

bool ContextKey::enterCurrent() {
    const void* current = currentGlContext();
    if (context_ == current) return false;
    context_ = current;
    return true;
}
