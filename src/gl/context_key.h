// context_key.h -- the cache key of what is kept per GL context: display lists and buffer objects.
#pragma once

// The context a cached GL name belongs to. Names made in another context went away with it, so a
// cache is made again the first time it is used in the current one.
class ContextKey {
public:
    // True when the current context is not the one the cache was made in; from then on it is.
    bool enterCurrent();

private:
    const void* context_ = nullptr;
};
