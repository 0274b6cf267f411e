// es_calls.cpp -- the table of real OpenGL ES 2.0 calls, filled from the platform's lookup.
#include "gl/es/es_calls.h"

namespace es {

Calls gl;

bool loadCalls(EsLookUp lookUp, const char** missing) {
    Calls loaded;
#define GLINTMERE_ES_LOAD(result, name, parameters)                                     \
    loaded.name = reinterpret_cast<result(GLAPIENTRY*) parameters>(lookUp("gl" #name)); \
    if (loaded.name == nullptr) {                                                       \
        if (missing != nullptr) *missing = "gl" #name;                                  \
        return false;                                                                   \
    }
    GLINTMERE_ES_CALLS(GLINTMERE_ES_LOAD)
#undef GLINTMERE_ES_LOAD
    gl = loaded;
    return true;
}

}  // namespace es
