// context_key.cpp -- the current GL context as a cache key.
#include "gl/context_key.h"

#include "platform/platform.h"

bool ContextKey::enterCurrent() {
    const void* current = platformCurrentGlContext();
    if (context_ == current) return false;
    context_ = current;
    return true;
}
