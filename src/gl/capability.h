// capability.h -- one GL capability switched on or off by a condition.
#pragma once

#include <GL/gl.h>

inline void setCapability(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}
