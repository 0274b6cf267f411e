// client_arrays.h -- client-side arrays switched on for one draw and off again after it.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <initializer_list>

// Enables the arrays in the order given and, when it goes, disables them in the reverse order, so
// no array is left on for the immediate-mode drawing that follows.
class ClientArrays {
public:
    ClientArrays(std::initializer_list<GLenum> arrays) {
        for (GLenum array : arrays)
            if (count_ < maxArrays) {
                arrays_[count_++] = array;
                glEnableClientState(array);
            }
    }
    ~ClientArrays() {
        while (count_ > 0) glDisableClientState(arrays_[--count_]);
    }
    ClientArrays(const ClientArrays&) = delete;
    ClientArrays& operator=(const ClientArrays&) = delete;

private:
    static constexpr std::size_t maxArrays = 4;  // vertex, colour, normal and texture coordinates
    GLenum arrays_[maxArrays] = {};
    std::size_t count_ = 0;
};
