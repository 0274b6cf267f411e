// lighting.cpp -- glLight, glLightModel, glMaterial and glColorMaterial: the lighting state the
// programs read (lighting_program.cpp).
#include <cmath>

#include "gl/es/batch.h"
#include "gl/es/context.h"
#include "gl/es/immediate.h"
#include "gl/es/matrix.h"

namespace es {

namespace {

Light* lightFor(GLenum light) {
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + maxLights) return nullptr;
    return &context().lighting.lights[light - GL_LIGHT0];
}

void copy4(const GLfloat* from, float* to) {
    for (int k = 0; k < 4; ++k) to[k] = from[k];
}

}  // namespace

}  // namespace es

using namespace es;

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    Light* l = lightFor(light);
    if (l == nullptr) return raise(GL_INVALID_ENUM);
    switch (pname) {
        case GL_AMBIENT:
            copy4(params, l->ambient);
            break;
        case GL_DIFFUSE:
            copy4(params, l->diffuse);
            break;
        case GL_SPECULAR:
            copy4(params, l->specular);
            break;
        case GL_POSITION:
            // Fixed in eye space by the model-view matrix of the moment.
            transformPoint(context().modelView.top(), params, l->position);
            break;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            return glLightf(light, pname, params[0]);
        default:
            // Spotlights are not among the drawing's lights.
            return raise(GL_INVALID_ENUM);
    }
    drawStateChanged();
}

void glLightf(GLenum light, GLenum pname, GLfloat param) {
    Light* l = lightFor(light);
    if (l == nullptr) return raise(GL_INVALID_ENUM);
    if (param < 0) return raise(GL_INVALID_VALUE);
    switch (pname) {
        case GL_CONSTANT_ATTENUATION:
            l->attenuation[0] = param;
            break;
        case GL_LINEAR_ATTENUATION:
            l->attenuation[1] = param;
            break;
        case GL_QUADRATIC_ATTENUATION:
            l->attenuation[2] = param;
            break;
        default:
            return raise(GL_INVALID_ENUM);
    }
    drawStateChanged();
}

void glLightModelfv(GLenum pname, const GLfloat* params) {
    // The viewer stays at infinity and one side is lit, GL's defaults, which the drawing keeps.
    if (pname != GL_LIGHT_MODEL_AMBIENT) return raise(GL_INVALID_ENUM);
    copy4(params, context().lighting.modelAmbient);
    drawStateChanged();
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) return raise(GL_INVALID_ENUM);
    LightingGroup& l = context().lighting;
    for (int side = 0; side < 2; ++side) {
        if ((side == 0 && face == GL_BACK) || (side == 1 && face == GL_FRONT)) continue;
        Material& m = l.material[side];
        switch (pname) {
            case GL_AMBIENT:
                copy4(params, m.ambient);
                break;
            case GL_DIFFUSE:
                copy4(params, m.diffuse);
                break;
            case GL_AMBIENT_AND_DIFFUSE:
                copy4(params, m.ambient);
                copy4(params, m.diffuse);
                break;
            case GL_SPECULAR:
                copy4(params, m.specular);
                break;
            case GL_EMISSION:
                copy4(params, m.emission);
                break;
            case GL_SHININESS:
                if (params[0] < 0 || params[0] > 128) return raise(GL_INVALID_VALUE);
                m.shininess = params[0];
                break;
            default:
                return raise(GL_INVALID_ENUM);
        }
    }
    // While colour material is on, the tracked parts stay the current colour whatever is given.
    trackCurrentColour();
    drawStateChanged();
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    if (pname != GL_SHININESS) return raise(GL_INVALID_ENUM);
    glMaterialfv(face, pname, &param);
}

void glColorMaterial(GLenum face, GLenum mode) {
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) return raise(GL_INVALID_ENUM);
    // Emission and specular colour from the vertex colour are not tracked; the drawing asks for neither.
    if (mode != GL_AMBIENT && mode != GL_DIFFUSE && mode != GL_AMBIENT_AND_DIFFUSE) return raise(GL_INVALID_ENUM);
    LightingGroup& l = context().lighting;
    l.colorMaterialFace = face;
    l.colorMaterialMode = mode;
    trackCurrentColour();
    drawStateChanged();
}
